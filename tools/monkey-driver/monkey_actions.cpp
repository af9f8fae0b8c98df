#include "monkey_actions.h"

#include "driver_input.h"
#include "driver_windows.h"
#include "resources/resource.h"

namespace {

// Every command of the main window's menus and toolbar.
const WORD kCommands[] = {
    ID_NEW,         ID_OPEN_BITMAP,    ID_SAVE_SPRITE,    ID_OPEN_SPRITE, ID_ABOUT,
    ID_VIEW_ALL,    ID_VIEW_BITMAP,    ID_VIEW_INFO,      ID_VIEW_SELECTION,
    ID_ZOOM_IN,     ID_ZOOM_OUT,       ID_ADJUST_VIEW,    ID_PLAY,        ID_STOP,
    ID_PAUSE,       ID_BACK,           ID_FORWARD,        ID_OPTIONS,     ID_SEL_ZOOM_IN,
    ID_SEL_ZOOM_OUT, ID_OPEN_PALETTE,  ID_SAVE_PALETTE,
};

// Keys a careless hand hits; letters and digits are added at random.
const WORD kKeys[] = {
    VK_LEFT,  VK_RIGHT, VK_UP,     VK_DOWN,   VK_PRIOR,  VK_NEXT,  VK_HOME,   VK_END,
    VK_INSERT, VK_DELETE, VK_BACK,  VK_RETURN, VK_ESCAPE, VK_TAB,   VK_SPACE,  VK_F1,
    VK_F2,    VK_F5,    VK_F10,    VK_ADD,    VK_SUBTRACT, VK_MENU, VK_APPS,
};

struct Windows {
    std::vector<HWND> list;
};

BOOL CALLBACK CollectVisible(HWND window, LPARAM data)
{
    if (IsWindowVisible(window)) reinterpret_cast<Windows*>(data)->list.push_back(window);
    return TRUE;
}

// Where to act: the canvas often, else any visible window inside the main window, or anywhere
// on the main window, its caption and menu bar included.
POINT PickPoint(Monkey& monkey)
{
    HWND window = nullptr;
    int roll = monkey.Pick(100);
    if (roll < 25) {
        window = FindDescendant(monkey.main, "BmpChildWindow");
    } else if (roll < 85) {
        Windows children;
        EnumChildWindows(monkey.main, CollectVisible, reinterpret_cast<LPARAM>(&children));
        if (!children.list.empty()) window = children.list[monkey.Pick(int(children.list.size()))];
    }
    if (window == nullptr || !IsWindowVisible(window)) window = monkey.main;
    return PointIn(monkey, ScreenRect(window));
}

// The main window's client area on the screen.
RECT ClientOnScreen(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

// Presses the left button at `from`, moves in steps to `to` and always lets go, wherever the
// pointer ended up (a window may hold it back).
void Drag(Monkey& monkey, POINT from, POINT to, WORD heldKey)
{
    MoveMouse(from.x, from.y);
    if (heldKey != 0) PressKey(heldKey);
    const DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
    SendMouseButtons(&down, 1);
    Sleep(40);
    int steps = monkey.Between(1, 12);
    for (int i = 1; i <= steps; ++i) {
        MoveMouse(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
        Sleep(monkey.Between(5, 40));
    }
    SendMouseButtons(&up, 1);
    if (heldKey != 0) ReleaseKey(heldKey);
}

void Click(Monkey& monkey)
{
    POINT at = PickPoint(monkey);
    MoveMouse(at.x, at.y);
    monkey.Action("click %s", Describe(at).c_str());
    const DWORD click[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    SendMouseButtons(click, 2);
}

void DoubleClickSomewhere(Monkey& monkey)
{
    POINT at = PickPoint(monkey);
    MoveMouse(at.x, at.y);
    monkey.Action("double-click %s", Describe(at).c_str());
    DoubleClick(at);
}

void RightClickSomewhere(Monkey& monkey)
{
    POINT at = PickPoint(monkey);
    MoveMouse(at.x, at.y);
    monkey.Action("right-click %s", Describe(at).c_str());
    RightClick(at);
}

void DragSomewhere(Monkey& monkey)
{
    POINT from = PickPoint(monkey);
    // Mostly a short way; sometimes across the window, sometimes off it.
    POINT to;
    int roll = monkey.Pick(100);
    if (roll < 60) {
        to = {from.x + monkey.Between(-80, 80), from.y + monkey.Between(-80, 80)};
    } else if (roll < 90) {
        to = PointIn(monkey, ScreenRect(monkey.main));
    } else {
        to = {monkey.Between(0, GetSystemMetrics(SM_CXSCREEN) - 1),
              monkey.Between(0, GetSystemMetrics(SM_CYSCREEN) - 1)};
    }
    const WORD held[] = {0, 0, 0, VK_SHIFT, VK_CONTROL};
    WORD key = held[monkey.Pick(5)];
    MoveMouse(from.x, from.y);
    monkey.Action("drag%s from %s to (%ld, %ld)", key == VK_SHIFT ? " with Shift" : key ? " with Ctrl" : "",
                  Describe(from).c_str(), to.x, to.y);
    Drag(monkey, from, to, key);
}

WORD RandomKey(Monkey& monkey)
{
    int roll = monkey.Pick(100);
    if (roll < 15) return WORD('A' + monkey.Pick(26));
    if (roll < 25) return WORD('0' + monkey.Pick(10));
    return kKeys[monkey.Pick(int(sizeof kKeys / sizeof kKeys[0]))];
}

void PressKeys(Monkey& monkey)
{
    int roll = monkey.Pick(100);
    WORD key = RandomKey(monkey);
    WORD modifier = roll < 15 ? VK_CONTROL : roll < 25 ? VK_SHIFT : roll < 30 ? VK_MENU : 0;
    // Alt+F4 closes the program (with its save prompt); rarely, as a user would.
    if (modifier == VK_MENU && monkey.Chance(10)) key = VK_F4;
    monkey.Action("key %s%#x", modifier == VK_CONTROL ? "Ctrl+" : modifier == VK_SHIFT ? "Shift+" :
                                 modifier == VK_MENU ? "Alt+" : "", key);
    if (modifier != 0) PressKey(modifier);
    TapKey(key);
    if (modifier != 0) ReleaseKey(modifier);
}

void TurnTheWheel(Monkey& monkey)
{
    POINT at = PickPoint(monkey);
    MoveMouse(at.x, at.y);
    int notches = monkey.Between(-3, 3);
    monkey.Action("wheel %d over %s", notches, Describe(at).c_str());
    TurnWheel(notches * WHEEL_DELTA);
}

void PostCommand(Monkey& monkey)
{
    // File > Exit now and then too: the program closes (after its prompt) and starts again.
    WORD id = monkey.Chance(2) ? WORD(ID_EXIT) : kCommands[monkey.Pick(int(sizeof kCommands / sizeof kCommands[0]))];
    monkey.Action("menu command %d", id);
    PostMessageA(monkey.main, WM_COMMAND, id, 0);
}

// The menu bar by mouse (a click on it opens a menu) or by keyboard (Alt, arrows, Enter).
void UseMenuBar(Monkey& monkey)
{
    if (monkey.Chance(50)) {
        RECT client = ClientOnScreen(monkey.main);
        POINT at = {client.left + monkey.Between(2, 260), client.top - GetSystemMetrics(SM_CYMENU) / 2};
        MoveMouse(at.x, at.y);
        monkey.Action("click the menu bar %s", Describe(at).c_str());
        const DWORD click[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
        SendMouseButtons(click, 2);
        return;
    }
    int across = monkey.Pick(4), down = monkey.Pick(9);
    bool choose = monkey.Chance(70);
    monkey.Action("menu by keyboard: Alt, %d right, %d down, %s", across, down, choose ? "Enter" : "Escape");
    TapKey(VK_MENU);
    Sleep(100);
    for (int i = 0; i < across; ++i) TapKey(VK_RIGHT);
    for (int i = 0; i < down; ++i) TapKey(VK_DOWN);
    TapKey(choose ? VK_RETURN : VK_ESCAPE);
}

// A sprite cut as a user cuts one: a rectangle dragged on the canvas, a double click inside it.
void CutSprite(Monkey& monkey)
{
    HWND canvas = FindDescendant(monkey.main, "BmpChildWindow");
    if (canvas == nullptr || !IsWindowVisible(canvas)) return Click(monkey);
    RECT client = ClientOnScreen(canvas);
    RECT visible = ScreenRect(canvas);
    IntersectRect(&client, &client, &visible);
    // Mostly where a sample sheet lies when it fits the canvas at zoom 1 (centred), so that
    // the set gets sprites to save; else anywhere on the canvas.
    RECT sheet = client;
    if (monkey.Chance(70)) {
        POINT middle = {(client.left + client.right) / 2, (client.top + client.bottom) / 2};
        RECT centred = {middle.x - 160, middle.y - 120, middle.x + 160, middle.y + 120};
        IntersectRect(&sheet, &client, &centred);
    }
    POINT from = PointIn(monkey, sheet);
    POINT to = {from.x + monkey.Between(-60, 60), from.y + monkey.Between(-60, 60)};
    monkey.Action("cut: drag on the canvas from (%ld, %ld) to (%ld, %ld), double-click inside", from.x,
                  from.y, to.x, to.y);
    Drag(monkey, from, to, 0);
    Sleep(GetDoubleClickTime() + 100);
    DoubleClick({(from.x + to.x) / 2, (from.y + to.y) / 2});
}

// One of the information window's tabs: their headers are a thin strip above the pages, which
// random points seldom hit. Three tabs of a fixed 100 pixels.
void ClickTab(Monkey& monkey)
{
    HWND tabs = FindDescendant(monkey.main, "SysTabControl32");
    if (tabs == nullptr || !IsWindowVisible(tabs)) return Click(monkey);
    RECT rect;
    GetWindowRect(tabs, &rect);
    POINT at = {rect.left + 2 + monkey.Pick(3) * 100 + monkey.Between(10, 90), rect.top + monkey.Between(4, 16)};
    MoveMouse(at.x, at.y);
    monkey.Action("click a tab: %s", Describe(at).c_str());
    const DWORD click[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    SendMouseButtons(click, 2);
}

void SaveSprites(Monkey& monkey)
{
    monkey.saveWanted = 6;
    monkey.Action("save the sprites: File > Save Sprite");
    PostMessageA(monkey.main, WM_COMMAND, ID_SAVE_SPRITE, 0);
}

void OpenSheet(Monkey& monkey)
{
    monkey.sheetWanted = 6;
    monkey.Action("open the sample sheet: File > Open Bitmap");
    PostMessageA(monkey.main, WM_COMMAND, ID_OPEN_BITMAP, 0);
}

}  // namespace

void MainWindowAction(Monkey& monkey)
{
    if (monkey.saveWanted > 0) --monkey.saveWanted;
    if (monkey.sheetWanted > 0) --monkey.sheetWanted;
    int roll = monkey.Pick(1000);
    if (roll < 200) return Click(monkey);
    if (roll < 240) return ClickTab(monkey);
    if (roll < 390) return DragSomewhere(monkey);
    if (roll < 470) return DoubleClickSomewhere(monkey);
    if (roll < 540) return RightClickSomewhere(monkey);
    if (roll < 690) return PressKeys(monkey);
    if (roll < 780) return PostCommand(monkey);
    if (roll < 830) return UseMenuBar(monkey);
    if (roll < 860) return TurnTheWheel(monkey);
    if (roll < 950) return CutSprite(monkey);
    if (roll < 990) return SaveSprites(monkey);
    return OpenSheet(monkey);
}
