#include "app/open_files.h"

#include <shellapi.h>

#include "app/commands.h"
#include "files/recent_menu.h"
#include "kit/show_info.h"
#include "kit/text.h"
#include "settings/file_kinds.h"
#include "views/canvas.h"

namespace {

void OpenNamedFile(HWND mainWindow, const std::string& name)
{
    switch (KindOfFile(name)) {
    case FileKind::kSheet: OpenBitmapCommand(mainWindow, name.c_str()); break;
    case FileKind::kPalette: g_bmpChild.OpenPaletteFile(name.c_str()); break;
    case FileKind::kSprite: OpenSpriteCommand(mainWindow, name.c_str()); break;
    case FileKind::kUnknown: break;
    }
}

std::string FullName(const wchar_t* name)
{
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(name, MAX_PATH, full, nullptr);
    return Utf8FromWide(length > 0 && length < MAX_PATH ? full : name);
}

}  // namespace

void OpenNamedFiles(HWND mainWindow, const std::vector<std::string>& names)
{
    const OpeningPlan plan = PlanOpening(names);
    switch (plan.refusal) {
    case OpeningPlan::kUnknownKind:
        ShowInfoNaming(mainWindow, "스프라이트(.spr), 그림(.bmp .pcx .png), 파레트(.pal) 파일만 열 수 있습니다(%s)",
                       names[size_t(plan.refused)].c_str());
        return;
    case OpeningPlan::kSecondOfKind:
        ShowInfoNaming(mainWindow, "같은 종류의 파일은 한 번에 하나만 열 수 있습니다(%s)",
                       names[size_t(plan.refused)].c_str());
        return;
    case OpeningPlan::kNone: break;
    }
    for (int index : plan.order) OpenNamedFile(mainWindow, names[size_t(index)]);
}

std::vector<std::string> CommandLineFiles(const wchar_t* commandLine)
{
    std::vector<std::string> names;
    int count = 0;
    wchar_t** arguments = commandLine != nullptr ? CommandLineToArgvW(commandLine, &count) : nullptr;
    if (arguments == nullptr) return names;
    for (int i = 1; i < count; ++i)
        if (arguments[i][0] != L'\0') names.push_back(FullName(arguments[i]));
    LocalFree(arguments);
    return names;
}

void OnDropFiles(HWND mainWindow, HDROP drop)
{
    std::vector<std::string> names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        const UINT length = DragQueryFileW(drop, i, name.data(), UINT(name.size()));
        name.resize(length);
        names.push_back(Utf8FromWide(name.c_str()));
    }
    DragFinish(drop);
    OpenNamedFiles(mainWindow, names);
}

void OpenRecentFile(HWND mainWindow, int command)
{
    const char* entry = RecentFileOf(command);
    if (entry == nullptr) return;
    const std::string name = entry;  // the list changes as the file opens
    if (GetFileAttributesW(WideFromUtf8(name.c_str()).c_str()) == INVALID_FILE_ATTRIBUTES) {
        ShowInfoNaming(mainWindow, "파일이 없습니다(%s)", name.c_str());
        ForgetRecentFile(name.c_str());
        return;
    }
    OpenNamedFiles(mainWindow, {name});
}
