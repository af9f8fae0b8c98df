#include "tests/gui/modal_responder.h"

#include <algorithm>

#include "app/text.h"

namespace {

thread_local ModalResponder* t_responder = nullptr;

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kFileNameComboId = 0x47C;  // cmb13 of the explorer-style file dialog
constexpr int kFileNameEditId = 0x480;   // edt1 of the old-style file dialog

std::string WindowText(HWND window)
{
    if (window == nullptr) return std::string();
    wchar_t buffer[1024] = L"";
    GetWindowTextW(window, buffer, 1024);
    return TextFromWide(buffer);
}

bool IsDialog(HWND window)
{
    char className[32] = "";
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0;
}

}  // namespace

ModalResponder::ModalResponder()
{
    t_responder = this;
    hook_ = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
}

ModalResponder::~ModalResponder()
{
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
    if (t_responder == this) t_responder = nullptr;
}

void ModalResponder::Answer(int button, const std::string& fileName)
{
    answers_.push_back(DialogAnswer{button, fileName});
}

LRESULT CALLBACK ModalResponder::HookProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && t_responder != nullptr) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (IsDialog(window)) t_responder->OnActivate(window);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ModalResponder::OnActivate(HWND dialog)
{
    if (std::find(handled_.begin(), handled_.end(), dialog) != handled_.end()) return;
    handled_.push_back(dialog);

    SeenDialog seen;
    seen.caption = WindowText(dialog);
    seen.text = WindowText(GetDlgItem(dialog, kMessageBoxTextId));
    seen_.push_back(seen);

    DialogAnswer answer{IDCANCEL, std::string()};
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
    }
    if (!answer.fileName.empty()) {
        HWND nameBox = GetDlgItem(dialog, kFileNameComboId);
        int nameId = nameBox != nullptr ? kFileNameComboId : kFileNameEditId;
        SetDlgItemTextA(dialog, nameId, answer.fileName.c_str());
    }
    // A message box without a Cancel button closes with IDOK instead.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(answer.button, BN_CLICKED), 0);
}
