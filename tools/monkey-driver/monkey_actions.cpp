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

// The program's own shortcuts, each with the modifiers that make it: file commands, playback,
// stepping, zoom, delete, cancel, undo and redo.
const struct {
    WORD key;
    bool ctrl, shift;
} kShortcuts[] = {
    {'N', true, false},       {'O', true, false},      {'B', true, false},      {'S', true, false},
    {'S', true, true},        {VK_SPACE, false, false}, {VK_LEFT, false, false}, {VK_RIGHT, false, false},
    {VK_UP, false, false},    {VK_DOWN, false, false},  {VK_HOME, false, false}, {VK_END, false, false},
    {VK_OEM_PLUS, true, false}, {VK_OEM_MINUS, true, false}, {VK_ADD, true, false}, {VK_SUBTRACT, true, false},
    {VK_DELETE, false, false}, {VK_ESCAPE, false, false}, {'Z', true, false},    {'Y', true, false},
    {'Z', true, true},
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

void PressShortcut(Monkey& monkey)
{
    const auto& shortcut = kShortcuts[monkey.Pick(int(sizeof kShortcuts / sizeof kShortcuts[0]))];
    monkey.Action("shortcut %s%s%#x", shortcut.ctrl ? "Ctrl+" : "", shortcut.shift ? "Shift+" : "", shortcut.key);
    if (shortcut.ctrl) PressKey(VK_CONTROL);
    if (shortcut.shift) PressKey(VK_SHIFT);
    TapKey(shortcut.key);
    if (shortcut.shift) ReleaseKey(VK_SHIFT);
    if (shortcut.ctrl) ReleaseKey(VK_CONTROL);
}

// The wheel over the canvas or the strip mostly, alone or with Ctrl (zoom) or Shift (across).
void TurnTheWheel(Monkey& monkey)
{
    POINT at = PickPoint(monkey);
    if (monkey.Chance(50)) {
        HWND view = FindDescendant(monkey.main, monkey.Chance(60) ? "BmpChildWindow" : "SelChildWindow");
        if (view != nullptr && IsWindowVisible(view)) at = PointIn(monkey, ScreenRect(view));
    }
    MoveMouse(at.x, at.y);
    int notches = monkey.Between(-3, 3);
    const WORD held[] = {0, 0, VK_CONTROL, VK_SHIFT};
    WORD key = held[monkey.Pick(4)];
    monkey.Action("wheel %d%s over %s", notches, key == VK_CONTROL ? " with Ctrl" : key ? " with Shift" : "",
                  Describe(at).c_str());
    if (key != 0) PressKey(key);
    TurnWheel(notches * WHEEL_DELTA);
    if (key != 0) ReleaseKey(key);
}

struct ClassSearch {
    const char* name;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOfClass(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<ClassSearch*>(data);
    if (IsWindowVisible(window) && ClassOf(window) == search->name) search->found.push_back(window);
    return TRUE;
}

// A place where a drag does something: the canvas, the selection strip or a split bar.
POINT PickDragStart(Monkey& monkey)
{
    const char* kinds[] = {"BmpChildWindow", "BmpChildWindow", "SelChildWindow", "SplitBarWindow"};
    ClassSearch search = {kinds[monkey.Pick(4)], {}};
    EnumChildWindows(monkey.main, CollectOfClass, reinterpret_cast<LPARAM>(&search));
    if (search.found.empty()) return PickPoint(monkey);
    return PointIn(monkey, ScreenRect(search.found[monkey.Pick(int(search.found.size()))]));
}

// A drag cut short before the button comes up: another window takes the focus, the mouse
// capture is cancelled (WM_CANCELMODE to the window that holds it, as the system sends when a
// box comes up or the program is switched away from), Esc is pressed, or the right button.
// Then the mouse goes on moving, and the button comes up somewhere.
void InterruptedDrag(Monkey& monkey)
{
    POINT from = PickDragStart(monkey);
    POINT mid = {from.x + monkey.Between(-60, 60), from.y + monkey.Between(-60, 60)};
    POINT to = {mid.x + monkey.Between(-80, 80), mid.y + monkey.Between(-80, 80)};
    static const char* const kHow[] = {"another window takes the focus", "WM_CANCELMODE", "Esc",
                                       "the right button"};
    const int how = monkey.Pick(4);
    monkey.Action("drag from %s to (%ld, %ld), then %s, then on to (%ld, %ld)", Describe(from).c_str(), mid.x,
                  mid.y, kHow[how], to.x, to.y);
    MoveMouse(from.x, from.y);
    const DWORD down = MOUSEEVENTF_LEFTDOWN, up = MOUSEEVENTF_LEFTUP;
    SendMouseButtons(&down, 1);
    Sleep(40);
    for (int i = 1; i <= 4; ++i) {
        MoveMouse(from.x + (mid.x - from.x) * i / 4, from.y + (mid.y - from.y) * i / 4);
        Sleep(monkey.Between(5, 40));
    }
    switch (how) {
    case 0: TakeTheFocus(monkey); break;
    case 1: {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        DWORD thread = GetWindowThreadProcessId(monkey.main, nullptr);
        HWND target = GetGUIThreadInfo(thread, &info) && info.hwndCapture != nullptr ? info.hwndCapture : monkey.main;
        monkey.Note("WM_CANCELMODE to %s", ClassOf(target).c_str());
        PostMessageA(target, WM_CANCELMODE, 0, 0);
        break;
    }
    case 2: TapKey(VK_ESCAPE); break;
    default: {
        const DWORD right[] = {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP};
        SendMouseButtons(right, 2);
        break;
    }
    }
    Sleep(monkey.Between(20, 120));
    for (int i = 1; i <= 4; ++i) {
        MoveMouse(mid.x + (to.x - mid.x) * i / 4, mid.y + (to.y - mid.y) * i / 4);
        Sleep(monkey.Between(5, 40));
    }
    SendMouseButtons(&up, 1);
    GiveTheFocusBack(monkey);
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
    if (roll < 170) return Click(monkey);
    if (roll < 210) return ClickTab(monkey);
    if (roll < 360) return DragSomewhere(monkey);
    if (roll < 430) return DoubleClickSomewhere(monkey);
    if (roll < 500) return RightClickSomewhere(monkey);
    if (roll < 620) return PressKeys(monkey);
    if (roll < 710) return PostCommand(monkey);
    if (roll < 760) return UseMenuBar(monkey);
    if (roll < 790) return TurnTheWheel(monkey);
    if (roll < 880) return CutSprite(monkey);
    if (roll < 910) return InterruptedDrag(monkey);
    if (roll < 950) return PressShortcut(monkey);
    if (roll < 990) return SaveSprites(monkey);
    return OpenSheet(monkey);
}
