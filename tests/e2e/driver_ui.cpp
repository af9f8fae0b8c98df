#include "driver_ui.h"

#include <cstring>

#include "driver_input.h"
#include "driver_report.h"
#include "driver_windows.h"

namespace {

struct IdSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchId(HWND window, LPARAM data)
{
    IdSearch* search = reinterpret_cast<IdSearch*>(data);
    if (GetDlgCtrlID(window) != search->id) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindChildById(HWND parent, int id)
{
    IdSearch search = {id, nullptr};
    EnumChildWindows(parent, MatchId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ClickControl(HWND control)
{
    RECT rect;
    if (control == nullptr || !GetWindowRect(control, &rect)) Fail("a control to click is missing");
    POINT middle = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    if (!LeftClick(middle)) Fail("the pointer did not go where it was sent");
    Sleep(150);
}

void ClickDialogItem(HWND dialog, int id)
{
    HWND item = FindChildById(dialog, id);
    if (item == nullptr) Fail("control %d is missing", id);
    ClickControl(item);
}

void SetButtonCheck(HWND dialog, int id, bool checked)
{
    HWND button = FindChildById(dialog, id);
    if (button == nullptr) Fail("button %d is missing", id);
    if ((SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) == checked) return;
    ClickControl(button);
    if (!WaitUntil([&] { return (SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) == checked; },
                   2000))
        Fail("clicking button %d did not change its check", id);
}

void TypeIntoEdit(HWND dialog, int id, const char* text)
{
    ClickDialogItem(dialog, id);
    TapKey(VK_END);
    PressKey(VK_SHIFT);
    TapKey(VK_HOME);
    ReleaseKey(VK_SHIFT);
    TypeText(text);
    Sleep(100);
}

HWND WaitForDialog(DWORD pid, HWND except, const char* what)
{
    HWND dialog = nullptr;
    if (!WaitUntil([&] { return (dialog = FindDialog(pid, except)) != nullptr; }, kStepTimeout))
        Fail("%s did not come up", what);
    Sleep(300);  // let it finish drawing and take the focus
    return dialog;
}

void AnswerMessageBox(DWORD pid, HWND except, const char* start, int button)
{
    HWND box = WaitForDialog(pid, except, "a message box");
    char text[256];
    DialogText(box, text, sizeof text);
    Note("message box \"%s\"", text);
    if (start != nullptr && std::strncmp(text, start, std::strlen(start)) != 0)
        Fail("the message box says \"%s\", not \"%s...\"", text, start);
    ClickDialogItem(box, button);
    if (!WaitForWindowGone(box, kStepTimeout)) Fail("the message box did not close");
}

bool NoDialogFor(DWORD pid, HWND except, DWORD ms)
{
    return !WaitUntil([&] { return FindDialog(pid, except) != nullptr; }, ms);
}

void RunFileDialog(DWORD pid, const char* path, int fileType)
{
    HWND dialog = WaitForDialog(pid, nullptr, "the file dialog");
    if (!WaitForFocusIn(dialog, kStepTimeout)) Fail("the file dialog did not take the keyboard focus");
    Sleep(200);
    if (fileType >= 0) {
        // The file types' list drops down on a click; the keys walk it from the first type, Enter
        // takes one. A click on the name box (a combo box in the explorer-style dialog, an edit in
        // the older one) gives it the keyboard back.
        constexpr int kFileTypeList = 0x470, kNameCombo = 0x47c, kNameEdit = 0x480;  // cmb1, cmb13, edt1
        HWND types = FindChildById(dialog, kFileTypeList);
        if (types == nullptr) Fail("the file dialog has no list of file types");
        ClickControl(types);
        Sleep(200);
        TapKey(VK_HOME);
        for (int i = 0; i < fileType; ++i) TapKey(VK_DOWN);
        TapKey(VK_RETURN);
        if (!WaitUntil([&] { return SendMessageA(types, CB_GETCURSEL, 0, 0) == fileType; }, kStepTimeout))
            Fail("the file type %d was not chosen", fileType);
        Sleep(200);
        HWND name = FindChildById(dialog, kNameCombo);
        if (name == nullptr) name = FindChildById(dialog, kNameEdit);
        if (name == nullptr) Fail("the file dialog has no name box");
        ClickControl(name);
    }
    // The name box has the focus: select what it proposes, then type over it.
    TapKey(VK_END);
    PressKey(VK_SHIFT);
    TapKey(VK_HOME);
    ReleaseKey(VK_SHIFT);
    TypeText(path);
    Sleep(150);
    TapKey(VK_RETURN);
    for (DWORD waited = 0; !WaitForWindowGone(dialog, 250); waited += 250) {
        HWND question = FindDialog(pid, dialog);
        if (question != nullptr) {
            char text[256];
            DialogText(question, text, sizeof text);
            Note("the file dialog asks \"%s\"; answering with its default button", text);
            TapKey(VK_RETURN);
            WaitForWindowGone(question, kStepTimeout);
        }
        if (waited >= kStepTimeout) Fail("the file dialog did not close");
    }
    Sleep(200);
}
