#include "files/recent_menu.h"

#include <string>

#include "kit/text.h"
#include "resources/resource.h"
#include "settings/file_kinds.h"
#include "settings/recent_files.h"

namespace {

RecentList s_list;
std::string s_file;       // RECENT.CFG's full name, UTF-8
HMENU s_menu = nullptr;   // the main menu

bool IsSeparator(HMENU menu, int position)
{
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE;
    return GetMenuItemInfoW(menu, UINT(position), TRUE, &item) && (item.fType & MFT_SEPARATOR) != 0;
}

int PositionOf(HMENU menu, UINT command)
{
    for (int i = 0, count = GetMenuItemCount(menu); i < count; ++i)
        if (GetMenuItemID(menu, i) == command) return i;
    return -1;
}

// The entries stand between two separators above Exit; without entries one separator is left.
void ShowList()
{
    HMENU file = s_menu != nullptr ? GetSubMenu(s_menu, 0) : nullptr;
    if (file == nullptr) return;
    for (UINT id = ID_RECENT_FILE; id <= ID_RECENT_FILE_LAST; ++id) DeleteMenu(file, id, MF_BYCOMMAND);
    int exitAt = PositionOf(file, ID_EXIT);
    if (exitAt < 0) return;
    if (exitAt >= 2 && IsSeparator(file, exitAt - 1) && IsSeparator(file, exitAt - 2))
        DeleteMenu(file, UINT(--exitAt), MF_BYPOSITION);
    if (s_list.empty()) return;
    InsertMenuW(file, UINT(exitAt), MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    for (size_t i = 0; i < s_list.size(); ++i)
        InsertMenuW(file, UINT(exitAt + int(i)), MF_BYPOSITION | MF_STRING, ID_RECENT_FILE + i,
                    WideFromUtf8(RecentMenuText(int(i), s_list[i]).c_str()).c_str());
}

// A failure to write leaves the list as it is shown, for this run.
void Changed()
{
    if (!s_file.empty()) WriteRecentFiles(s_file.c_str(), s_list);
    ShowList();
}

}  // namespace

void LoadRecentFiles(HMENU menu)
{
    s_menu = menu;
    wchar_t full[MAX_PATH];
    const DWORD length = GetFullPathNameW(WideFromText(kRecentFilesName).c_str(), MAX_PATH, full, nullptr);
    s_file = length > 0 && length < MAX_PATH ? Utf8FromWide(full) : std::string();
    s_list = s_file.empty() ? RecentList() : ReadRecentFiles(s_file.c_str());
    ShowList();
}

void NoteRecentFile(const char* path)
{
    if (path == nullptr || KindOfFile(path) == FileKind::kUnknown) return;
    AddRecentFile(&s_list, path);
    Changed();
}

void ForgetRecentFile(const char* path)
{
    if (path == nullptr) return;
    RemoveRecentFile(&s_list, path);
    Changed();
}

const char* RecentFileOf(int command)
{
    const int index = command - ID_RECENT_FILE;
    if (index < 0 || index >= int(s_list.size())) return nullptr;
    return s_list[size_t(index)].c_str();
}
