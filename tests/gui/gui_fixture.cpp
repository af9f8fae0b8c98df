#include "tests/gui/gui_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/globals.h"
#include "app/main_window.h"

bool PumpMessages(DWORD ms)
{
    bool quit = false;
    DWORD start = GetTickCount();
    MSG message;
    for (;;) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
    return quit;
}

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

GuiTempDir::~GuiTempDir()
{
    for (const std::string& name : List()) {
        std::string path = path_ + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(path.c_str())) RemoveDirectoryA(path.c_str());
    }
    RemoveDirectoryA(path_.c_str());
}

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

bool FileExistsA(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MainWindowTest::SetUp()
{
    window = CreateMainWindow(GetModuleHandleA(nullptr));
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOW);
    PumpMessages(50);
}

void MainWindowTest::TearDown()
{
    if (window != nullptr && IsWindow(window)) DestroyWindow(window);
    PumpMessages(20);
    EXPECT_EQ(modal.Pending(), 0u) << "a scripted dialog answer was never used";
}

LRESULT MainWindowTest::Command(int id, LPARAM value)
{
    return SendMessageA(window, WM_COMMAND, WPARAM(id), value);
}

void MainWindowTest::MakeModifiedDocument()
{
    auto* image = static_cast<uint8_t*>(std::malloc(2));
    image[0] = 5;
    image[1] = 0;
    ASSERT_EQ(workSet.NewSpace(2, 1, image, 0), 1);
    g_modified = 1;
}
