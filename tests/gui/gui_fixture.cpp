#include "tests/gui/gui_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/document.h"
#include "app/main_window.h"
#include "tests/gui/document_helpers.h"

bool PumpMessages(int limit)
{
    bool quit = false;
    MSG message;
    for (int handled = 0; handled < limit && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
         ++handled) {
        if (message.message == WM_QUIT) {
            quit = true;
        } else {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return quit;
}

namespace {

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

GuiTempDir::GuiTempDir()
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    char name[MAX_PATH];
    GetTempFileNameA(base, "qui", 0, name);  // creates a file; the folder takes its place
    DeleteFileA(name);
    CreateDirectoryA(name, nullptr);
    path_ = name;
}

GuiTempDir::~GuiTempDir() { RemoveTree(path_); }

std::vector<std::string> GuiTempDir::List() const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<uint32_t> ScreenPixels(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC screen = GetDC(window), memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, client.bottom, screen, 0, 0, SRCCOPY);
    GdiFlush();
    auto* first = static_cast<uint32_t*>(bits);
    std::vector<uint32_t> pixels(first, first + size_t(client.right) * client.bottom);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return pixels;
}

bool FileExistsA(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MainWindowTest::SetUp()
{
    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    previousDir_ = current;
    workDir_ = std::make_unique<GuiTempDir>();
    ASSERT_TRUE(SetCurrentDirectoryA(workDir_->Path().c_str()));
    PrepareWorkDir();

    window = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    PumpMessages();
}

void MainWindowTest::TearDown()
{
    if (window != nullptr && IsWindow(window)) DestroyWindow(window);
    PumpMessages();
    EXPECT_EQ(modal.Pending(), 0u) << "a scripted dialog answer was never used";
    for (const std::string& problem : modal.Problems()) ADD_FAILURE() << problem;
    SetCurrentDirectoryA(previousDir_.c_str());
    workDir_.reset();
}

LRESULT MainWindowTest::Command(int id, LPARAM value)
{
    return SendMessageA(window, WM_COMMAND, WPARAM(id), value);
}

void MainWindowTest::MakeModifiedDocument()
{
    OpenDocument({{2, 1}});
    ASSERT_EQ(g_document.SetRelative(0, 1, 0), 1);
}
