#include "monkey_popups.h"

#include "driver_input.h"
#include "driver_windows.h"
#include "monkey_files.h"

namespace {

// The file dialogs' name box (an edit box in the old style, a combo box in the explorer
// style) and file-type box: the common dialogs' own numbers.
constexpr int kFileNameEdit = 0x480;
constexpr int kFileNameCombo = 0x47c;
constexpr int kFileTypeBox = 0x470;
// A dialog still there after this many actions on it is closed with Cancel (and noted).
constexpr int kPatience = 40;

struct PopupSearch {
    DWORD pid;
    HWND menu = nullptr, list = nullptr, dialog = nullptr;
};

BOOL CALLBACK MatchPopup(HWND window, LPARAM data)
{
    PopupSearch* search = reinterpret_cast<PopupSearch*>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid || !IsWindowVisible(window)) return TRUE;
    std::string name = ClassOf(window);
    if (name == "#32768" && search->menu == nullptr) search->menu = window;
    if (name == "ComboLBox" && search->list == nullptr) search->list = window;
    if (name == "#32770" && search->dialog == nullptr && IsWindowEnabled(window)) search->dialog = window;
    return TRUE;
}

struct Controls {
    std::vector<HWND> list;
};

BOOL CALLBACK CollectControl(HWND window, LPARAM data)
{
    if (IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<Controls*>(data)->list.push_back(window);
    return TRUE;
}

bool IsPushButton(HWND window)
{
    if (ClassOf(window) != "Button") return false;
    LONG type = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

HWND FileNameBox(HWND dialog)
{
    HWND box = GetDlgItem(dialog, kFileNameEdit);
    return box != nullptr ? box : GetDlgItem(dialog, kFileNameCombo);
}

BOOL CALLBACK FirstStaticText(HWND window, LPARAM data)
{
    if (ClassOf(window) != "Static") return TRUE;
    *reinterpret_cast<std::string*>(data) = TextOf(window);
    return reinterpret_cast<std::string*>(data)->empty();
}

// The message of a message box: its first static text.
std::string MessageOf(HWND dialog)
{
    std::string text;
    EnumChildWindows(dialog, FirstStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

void ClickAt(POINT at)
{
    MoveMouse(at.x, at.y);
    const DWORD click[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    SendMouseButtons(click, 2);
}

POINT Center(HWND window)
{
    RECT rect = ScreenRect(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void MenuAction(Monkey& monkey, HWND menu)
{
    int roll = monkey.Pick(100);
    if (roll < 25) {
        POINT at = PointIn(monkey, ScreenRect(menu));
        monkey.Action("click in the open menu at (%ld, %ld)", at.x, at.y);
        ClickAt(at);
        return;
    }
    const WORD keys[] = {VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_LEFT, VK_RIGHT, VK_RETURN, VK_ESCAPE};
    WORD key = keys[monkey.Pick(8)];
    monkey.Action("key %#x in the open menu", key);
    TapKey(key);
}

void ListAction(Monkey& monkey, HWND list)
{
    if (monkey.Chance(70)) {
        POINT at = PointIn(monkey, ScreenRect(list));
        monkey.Action("click in the drop-down list at (%ld, %ld)", at.x, at.y);
        ClickAt(at);
        return;
    }
    const WORD keys[] = {VK_DOWN, VK_UP, VK_RETURN, VK_ESCAPE};
    WORD key = keys[monkey.Pick(4)];
    monkey.Action("key %#x in the drop-down list", key);
    TapKey(key);
}

// A file dialog: a name typed over the proposed one and Enter, or now and then Cancel.
void FileDialogAction(Monkey& monkey, HWND dialog)
{
    std::string type = TextOf(GetDlgItem(dialog, kFileTypeBox));
    FileKind kind = KindOfFileDialog(type.c_str());
    bool wanted = (kind == FileKind::Sprite && monkey.saveWanted > 0) ||
                  (kind == FileKind::Bitmap && monkey.sheetWanted > 0);
    if (!wanted && monkey.Chance(15)) {
        bool escape = monkey.Chance(50);
        monkey.Action("file dialog \"%s\" (%s): %s", TextOf(dialog).c_str(), type.c_str(),
                      escape ? "Escape" : "click Cancel");
        if (escape) {
            TapKey(VK_ESCAPE);
        } else {
            HWND cancel = GetDlgItem(dialog, IDCANCEL);
            if (cancel != nullptr) ClickAt(Center(cancel));
        }
        return;
    }
    const char* what = "";
    std::string name = ChooseFileName(monkey, kind, &what);
    monkey.Action("file dialog \"%s\" (%s): type %s name \"%s\", Enter", TextOf(dialog).c_str(),
                  type.c_str(), what, name.c_str());
    HWND box = FileNameBox(dialog);
    if (box != nullptr) ClickAt(Center(box));
    Sleep(100);
    TapKey(VK_END);
    PressKey(VK_SHIFT);
    TapKey(VK_HOME);
    ReleaseKey(VK_SHIFT);
    if (name.empty()) {
        TapKey(VK_DELETE);
    } else {
        TypeText(name.c_str());
    }
    TapKey(VK_RETURN);
    Sleep(300);
}

// Any other dialog or message box: pokes at its controls for a while, then a button, Enter or
// Escape.
void DialogAction(Monkey& monkey, HWND dialog)
{
    static HWND last = nullptr;
    static int count = 0;
    count = dialog == last ? count + 1 : 0;
    last = dialog;
    std::string title = TextOf(dialog);
    if (count >= kPatience) {
        monkey.Note("NOTE: the dialog \"%s\" is still open after %d actions; sending Cancel", title.c_str(), count);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        count = 0;
        return;
    }
    Controls controls;
    EnumChildWindows(dialog, CollectControl, reinterpret_cast<LPARAM>(&controls));
    std::vector<HWND> buttons;
    for (HWND control : controls.list)
        if (IsPushButton(control)) buttons.push_back(control);

    if (count < 25 && !controls.list.empty() && monkey.Chance(60)) {
        int roll = monkey.Pick(100);
        if (roll < 55) {
            HWND control = controls.list[monkey.Pick(int(controls.list.size()))];
            POINT at = monkey.Chance(50) ? Center(control) : PointIn(monkey, ScreenRect(control));
            MoveMouse(at.x, at.y);
            monkey.Action("dialog \"%s\": click %s", title.c_str(), Describe(at).c_str());
            ClickAt(at);
        } else if (roll < 65) {
            POINT at = PointIn(monkey, ScreenRect(dialog));
            MoveMouse(at.x, at.y);
            monkey.Action("dialog \"%s\": double-click %s", title.c_str(), Describe(at).c_str());
            DoubleClick(at);
        } else if (roll < 85) {
            const WORD keys[] = {VK_TAB, VK_SPACE, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_BACK, VK_DELETE,
                                 VK_HOME, VK_END, 'A', 'Z'};
            WORD key = keys[monkey.Pick(12)];
            monkey.Action("dialog \"%s\": key %#x", title.c_str(), key);
            TapKey(key);
        } else {
            const char* numbers[] = {"0", "1", "-1", "7", "99", "255", "65535", "99999999", "3x"};
            const char* number = numbers[monkey.Pick(9)];
            monkey.Action("dialog \"%s\": type \"%s\"", title.c_str(), number);
            TypeText(number);
        }
        return;
    }
    int roll = monkey.Pick(100);
    if (roll < 50 && !buttons.empty()) {
        HWND button = buttons[monkey.Pick(int(buttons.size()))];
        monkey.Action("dialog \"%s\" (\"%s\"): click button \"%s\"", title.c_str(), MessageOf(dialog).c_str(), TextOf(button).c_str());
        ClickAt(Center(button));
    } else {
        bool enter = roll < 75;
        monkey.Action("dialog \"%s\": %s", title.c_str(), enter ? "Enter" : "Escape");
        TapKey(enter ? VK_RETURN : VK_ESCAPE);
    }
    Sleep(150);
}

}  // namespace

HWND ActivePopup(DWORD pid)
{
    PopupSearch search;
    search.pid = pid;
    EnumWindows(MatchPopup, reinterpret_cast<LPARAM>(&search));
    if (search.menu != nullptr) return search.menu;
    if (search.list != nullptr) return search.list;
    return search.dialog;
}

void PopupAction(Monkey& monkey, HWND popup)
{
    std::string name = ClassOf(popup);
    if (name == "#32768") return MenuAction(monkey, popup);
    if (name == "ComboLBox") return ListAction(monkey, popup);
    if (FileNameBox(popup) != nullptr) return FileDialogAction(monkey, popup);
    DialogAction(monkey, popup);
}
