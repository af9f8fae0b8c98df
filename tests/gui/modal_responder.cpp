#include "tests/gui/modal_responder.h"

#include <algorithm>

#include <commctrl.h>

#include "kit/text.h"

namespace {

thread_local ModalResponder* t_responder = nullptr;

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kFileNameComboId = 0x47C;  // cmb13 of the explorer-style file dialog
constexpr int kFileNameEditId = 0x480;   // edt1 of the old-style file dialog
constexpr UINT kApplySettings = WM_APP + 1;
constexpr char kHelperClass[] = "QuillonTestResponder";

std::string WindowText(HWND window)
{
    if (window == nullptr) return std::string();
    wchar_t buffer[1024] = L"";
    GetWindowTextW(window, buffer, 1024);
    return TextFromWide(buffer);
}

std::string ClassName(HWND window)
{
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    return className;
}

bool IsDialog(HWND window) { return ClassName(window) == "#32770"; }

std::string FontFace(HWND dialog)
{
    auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    LOGFONTW logFont = {};
    if (font == nullptr || GetObjectW(font, sizeof logFont, &logFont) == 0) return std::string();
    return TextFromWide(logFont.lfFaceName);
}

BOOL CALLBACK AddControl(HWND control, LPARAM lParam)
{
    auto* controls = reinterpret_cast<std::vector<SeenControl>*>(lParam);
    SeenControl seen;
    seen.id = GetDlgCtrlID(control);
    seen.className = ClassName(control);
    seen.text = WindowText(control);
    seen.checked = lstrcmpiA(seen.className.c_str(), "Button") == 0
        ? int(SendMessageW(control, BM_GETCHECK, 0, 0))
        : 0;
    seen.enabled = IsWindowEnabled(control) != 0;
    controls->push_back(seen);
    return TRUE;
}

}  // namespace

ControlSetting ClickControl(int id) { return {ControlSetting::kClick, id, 0, std::string()}; }

ControlSetting ChooseListItem(int id, int index) { return {ControlSetting::kListItem, id, index, std::string()}; }

ControlSetting SetCheck(int id, bool checked)
{
    return {ControlSetting::kCheck, id, checked ? 1 : 0, std::string()};
}

ControlSetting SetText(int id, const std::string& text)
{
    return {ControlSetting::kText, id, 0, text};
}

ControlSetting SetUpDown(int id, int position)
{
    return {ControlSetting::kUpDown, id, position, std::string()};
}

ControlSetting PressArrow(int id, int presses)
{
    return {ControlSetting::kArrow, id, presses, std::string()};
}

const SeenControl* SeenDialog::Control(int id) const
{
    for (const SeenControl& control : controls)
        if (control.id == id) return &control;
    return nullptr;
}

bool SeenDialog::Checked(int id) const
{
    const SeenControl* control = Control(id);
    return control != nullptr && control->checked == BST_CHECKED;
}

std::string SeenDialog::Text(int id) const
{
    const SeenControl* control = Control(id);
    return control != nullptr ? control->text : std::string();
}

ModalResponder::ModalResponder()
{
    t_responder = this;
    hook_ = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());

    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA helperClass = {};
    helperClass.lpfnWndProc = HelperProc;
    helperClass.hInstance = instance;
    helperClass.lpszClassName = kHelperClass;
    RegisterClassA(&helperClass);  // fails harmlessly when a second responder registers again
    helper_ = CreateWindowExA(0, kHelperClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                              nullptr);
}

ModalResponder::~ModalResponder()
{
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    if (helper_ != nullptr) DestroyWindow(helper_);
    if (t_responder == this) t_responder = nullptr;
}

void ModalResponder::Answer(int button, const std::string& fileName)
{
    answers_.push_back(DialogAnswer{button, fileName, {}});
}

void ModalResponder::AnswerAgain(int button)
{
    answers_.push_back(DialogAnswer{button, std::string(), {}, true});
}

void ModalResponder::Answer(int button, std::vector<ControlSetting> settings)
{
    answers_.push_back(DialogAnswer{button, std::string(), std::move(settings)});
}

void ModalResponder::Answer(int button, const std::string& fileName, std::vector<ControlSetting> settings)
{
    answers_.push_back(DialogAnswer{button, fileName, std::move(settings)});
}

LRESULT CALLBACK ModalResponder::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && t_responder != nullptr) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (IsDialog(window)) t_responder->OnActivate(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ModalResponder::HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kApplySettings && t_responder != nullptr) {
        t_responder->ApplyNext();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void ModalResponder::OnActivate(HWND dialog)
{
    if (std::find(handled_.begin(), handled_.end(), dialog) != handled_.end()) {
        // A dialog active again (its own message box closed): answered only when asked for.
        if (!answers_.empty() && answers_.front().again) {
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answers_.front().button, BN_CLICKED), 0);
            answers_.pop_front();
        }
        return;
    }
    handled_.push_back(dialog);

    SeenDialog seen;
    seen.caption = WindowText(dialog);
    seen.text = WindowText(GetDlgItem(dialog, kMessageBoxTextId));
    wchar_t wide[1024] = L"";
    if (HWND text = GetDlgItem(dialog, kMessageBoxTextId)) GetWindowTextW(text, wide, 1024);
    seen.wideText = wide;
    seen.fontFace = FontFace(dialog);
    EnumChildWindows(dialog, AddControl, reinterpret_cast<LPARAM>(&seen.controls));
    seen_.push_back(seen);

    DialogAnswer answer{IDCANCEL, std::string(), {}};
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    if (!answer.fileName.empty()) {
        HWND nameBox = GetDlgItem(dialog, kFileNameComboId);
        int nameId = nameBox != nullptr ? kFileNameComboId : kFileNameEditId;
        SetDlgItemTextW(dialog, nameId, WideFromUtf8(answer.fileName.c_str()).c_str());
    }
    if (!answer.settings.empty() && helper_ != nullptr) {
        // The dialog is still being activated: set its controls from its own message loop,
        // where a click behaves as it does for the user, then press the button.
        toApply_.emplace_back(dialog, answer);
        PostMessageA(helper_, kApplySettings, 0, 0);
        return;
    }
    // A message box without a Cancel button closes with IDOK instead.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED), 0);
}

void ModalResponder::ApplyNext()
{
    if (toApply_.empty()) return;
    auto [dialog, answer] = toApply_.front();
    toApply_.pop_front();
    for (const ControlSetting& setting : answer.settings) Apply(dialog, setting);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED), 0);
}

void ModalResponder::Apply(HWND dialog, const ControlSetting& setting)
{
    HWND control = GetDlgItem(dialog, setting.id);
    if (control == nullptr) {
        problems_.push_back("no control " + std::to_string(setting.id) + " in dialog \"" +
                            WindowText(dialog) + "\"");
        return;
    }
    switch (setting.kind) {
    case ControlSetting::kClick: SendMessageW(control, BM_CLICK, 0, 0); break;
    case ControlSetting::kCheck:
        if ((SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) != (setting.value != 0))
            SendMessageW(control, BM_CLICK, 0, 0);
        if ((SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED) != (setting.value != 0))
            problems_.push_back("check box " + std::to_string(setting.id) + " did not change");
        break;
    case ControlSetting::kText:
        SetWindowTextW(control, WideFromText(setting.text.c_str()).c_str());
        break;
    case ControlSetting::kUpDown: SendMessageW(control, UDM_SETPOS32, 0, setting.value); break;
    case ControlSetting::kListItem:
        if (SendMessageW(control, CB_SETCURSEL, WPARAM(setting.value), 0) != setting.value) {
            problems_.push_back("list " + std::to_string(setting.id) + " has no item " + std::to_string(setting.value));
            break;
        }
        // A choice made with the mouse: the selection changes, then is taken.
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(setting.id, CBN_SELCHANGE), LPARAM(control));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(setting.id, CBN_SELENDOK), LPARAM(control));
        break;
    case ControlSetting::kArrow: {
        // A vertical up-down: the up arrow is its upper half, the down arrow its lower half.
        RECT box = {0, 0, 0, 0};
        GetClientRect(control, &box);
        const LPARAM at = MAKELPARAM(box.right / 2, setting.value > 0 ? box.bottom / 4
                                                                      : box.bottom * 3 / 4);
        for (int i = 0; i < (setting.value > 0 ? setting.value : -setting.value); ++i) {
            SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
            SendMessageW(control, WM_LBUTTONUP, 0, at);
        }
        break;
    }
    }
}
