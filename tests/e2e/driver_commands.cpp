#include "driver_commands.h"

#include <cstdio>

#include "driver_input.h"
#include "driver_remote.h"
#include "driver_report.h"
#include "resources/resource.h"

namespace {

// A menu item: its menu on the bar, its place among that menu's items (separators not counted)
// and, inside a submenu, its place there (else -1). An item with an access key of its own is
// chosen with that key: Exit, below the recent files, whose number changes during the run.
struct MenuCommand {
    int command;
    const char* name;
    int menu, item, subItem;
    bool used;
    char accessKey;
};

#define COMMAND(id) id, #id
MenuCommand g_menu[] = {
    {COMMAND(ID_NEW), 0, 0, -1, false},
    {COMMAND(ID_OPEN_BITMAP), 0, 1, -1, false},
    {COMMAND(ID_OPEN_SPRITE), 0, 2, -1, false},
    {COMMAND(ID_OPEN_PALETTE), 0, 3, -1, false},
    {COMMAND(ID_SAVE), 0, 4, -1, false},
    {COMMAND(ID_SAVE_SPRITE), 0, 5, -1, false},
    {COMMAND(ID_SAVE_PALETTE), 0, 6, -1, false},
    {COMMAND(ID_EXPORT), 0, 7, -1, false},
    {COMMAND(ID_EXIT), 0, 8, -1, false, 'X'},
    {COMMAND(ID_UNDO), 1, 0, -1, false},
    {COMMAND(ID_REDO), 1, 1, -1, false},
    {COMMAND(ID_COPY_BOXES), 1, 2, -1, false},
    {COMMAND(ID_CUT_ALL), 1, 3, -1, false},
    {COMMAND(ID_PLAY), 2, 0, -1, false},
    {COMMAND(ID_STOP), 2, 1, -1, false},
    {COMMAND(ID_PAUSE), 2, 2, -1, false},
    {COMMAND(ID_VIEW_ALL), 3, 0, -1, false},
    {COMMAND(ID_VIEW_BITMAP), 3, 1, -1, false},
    {COMMAND(ID_VIEW_INFO), 3, 2, -1, false},
    {COMMAND(ID_VIEW_SELECTION), 3, 3, -1, false},
    {COMMAND(ID_ZOOM_IN), 3, 4, 0, false},
    {COMMAND(ID_ZOOM_OUT), 3, 4, 1, false},
    {COMMAND(ID_SEL_ZOOM_IN), 3, 5, 0, false},
    {COMMAND(ID_SEL_ZOOM_OUT), 3, 5, 1, false},
    {COMMAND(ID_ADJUST_VIEW), 3, 6, -1, false},
    {COMMAND(ID_OPTIONS), 3, 7, -1, false},
    {COMMAND(ID_FLIP_HORIZONTAL), 3, 8, -1, false},
    {COMMAND(ID_FLIP_VERTICAL), 3, 9, -1, false},
    {COMMAND(ID_ABOUT), 4, 0, -1, false},
};

struct ToolbarCommand {
    int command;
    const char* name;
    bool used;
};

ToolbarCommand g_toolbar[] = {
    {COMMAND(ID_NEW), false},         {COMMAND(ID_OPEN_BITMAP), false},
    {COMMAND(ID_OPEN_SPRITE), false}, {COMMAND(ID_SAVE_SPRITE), false},
    {COMMAND(ID_VIEW_ALL), false},    {COMMAND(ID_VIEW_BITMAP), false},
    {COMMAND(ID_VIEW_INFO), false},   {COMMAND(ID_VIEW_SELECTION), false},
    {COMMAND(ID_ZOOM_IN), false},     {COMMAND(ID_ZOOM_OUT), false},
    {COMMAND(ID_ADJUST_VIEW), false}, {COMMAND(ID_PLAY), false},
    {COMMAND(ID_STOP), false},        {COMMAND(ID_PAUSE), false},
    {COMMAND(ID_BACK), false},        {COMMAND(ID_FORWARD), false},
    {COMMAND(ID_OPTIONS), false},
};
#undef COMMAND

}  // namespace

void ChooseMenu(int command)
{
    for (MenuCommand& entry : g_menu) {
        if (entry.command != command) continue;
        Note("menu %s", entry.name);
        // Alt alone puts the bar in keyboard mode on its first menu; Down opens the menu with its
        // first item chosen.
        TapKey(VK_MENU);
        Sleep(150);
        for (int i = 0; i < entry.menu; ++i) TapKey(VK_RIGHT);
        TapKey(VK_DOWN);
        Sleep(200);
        if (entry.accessKey != 0) {
            TapKey(WORD(entry.accessKey));
            Sleep(200);
            entry.used = true;
            return;
        }
        for (int i = 0; i < entry.item; ++i) TapKey(VK_DOWN);
        if (entry.subItem >= 0) {
            TapKey(VK_RIGHT);
            Sleep(200);
            for (int i = 0; i < entry.subItem; ++i) TapKey(VK_DOWN);
        }
        TapKey(VK_RETURN);
        Sleep(200);
        entry.used = true;
        return;
    }
    Fail("command %d is not in the menu table", command);
}

void ClickToolbar(HWND toolbar, int command)
{
    for (ToolbarCommand& entry : g_toolbar) {
        if (entry.command != command) continue;
        Note("toolbar %s", entry.name);
        POINT at;
        if (!ToolbarButtonCenter(toolbar, command, &at)) Fail("no toolbar button %s", entry.name);
        if (!LeftClick(at)) Fail("the pointer did not go where it was sent");
        Sleep(200);
        entry.used = true;
        return;
    }
    Fail("command %d is not in the toolbar table", command);
}

void CheckToolbarTable(HWND toolbar)
{
    std::vector<int> live = ToolbarCommands(toolbar);
    const size_t count = sizeof g_toolbar / sizeof g_toolbar[0];
    bool same = live.size() == count;
    for (size_t i = 0; same && i < count; ++i) same = live[i] == g_toolbar[i].command;
    if (!same) Fail("the toolbar's %d buttons are not the driver's table of %d", int(live.size()), int(count));
}

void CheckCoverage()
{
    int missing = 0;
    for (const MenuCommand& entry : g_menu) {
        if (entry.used)
            std::printf("e2e covered menu %s at %d %d %d\n", entry.name, entry.menu, entry.item, entry.subItem);
        else ++missing, std::printf("e2e NOT covered: menu %s\n", entry.name);
    }
    for (const ToolbarCommand& entry : g_toolbar) {
        if (entry.used) std::printf("e2e covered toolbar %s\n", entry.name);
        else ++missing, std::printf("e2e NOT covered: toolbar %s\n", entry.name);
    }
    std::fflush(stdout);
    if (missing != 0) Fail("%d commands were never used", missing);
}
