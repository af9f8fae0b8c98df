#include "app/options_dialog.h"

#include <cstdint>

#include "app/options.h"
#include "kit/modal_dialog.h"
#include "kit/show_info.h"
#include "resources/resource.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

constexpr int kFirstMode = IDC_MODE_320X200;
constexpr int kLastMode = IDC_MODE_1024X768;
constexpr int kColorTextSize = 32;

const char kSaveFailedText[] =
    "옵션 파일을 저장하지 못했습니다 (OPTION.CFG). 새 설정은 이번 실행에만 적용됩니다.";

// What the dialog keeps for the whole run: the mode last clicked (taken from the options the
// first time the dialog comes up) and the page size that OK will apply.
struct OptionsDialog {
    bool modeKnown = false;
    int selectedMode = 0;
    PageSize pending = {640, 480};
};

OptionsDialog g_optionsDialog;

struct CheckField {
    int id;
    int32_t Options::*field;
};

const CheckField kCheckFields[] = {
    {IDC_CROSS_HAIR, &Options::crossHair},
    {IDC_COMPRESS_SPRITES, &Options::compressSprites},
    {IDC_AUTO_HIT_BOX, &Options::autoHitBox},
    {IDC_AUTO_ATCK_BOX, &Options::autoAtckBox},
};

const CheckField kColorFields[] = {
    {IDC_BACK_COLOR, &Options::backColor},
    {IDC_REL_CROSS_COLOR, &Options::relCrossColor},
    {IDC_HIT_BOX_COLOR, &Options::hitBoxColor},
    {IDC_ATCK_BOX_COLOR, &Options::atckBoxColor},
};

bool IsModeId(int id) { return id >= kFirstMode && id <= kLastMode; }

void OnInitOptions(HWND dialog, OptionsDialog* state)
{
    for (int id = kFirstMode; id <= kLastMode; ++id)
        CheckDlgButton(dialog, id, id == state->selectedMode ? BST_CHECKED : BST_UNCHECKED);
    for (const CheckField& check : kCheckFields)
        CheckDlgButton(dialog, check.id, g_options.*check.field != 0 ? BST_CHECKED : BST_UNCHECKED);
    for (const CheckField& color : kColorFields)
        SetDlgItemInt(dialog, color.id, UINT(g_options.*color.field), TRUE);
    // The pending size follows the selected mode. Only a mode's own number is sent: a file
    // holding 1 or 2 here would otherwise press OK or Cancel before the dialog is seen.
    if (IsModeId(state->selectedMode))
        SendMessageW(dialog, WM_COMMAND, WPARAM(state->selectedMode), 0);
    SetFocus(GetDlgItem(dialog, IDOK));
}

void OnModeClicked(OptionsDialog* state, int mode)
{
    state->pending = PageSizeOfMode(mode);
    state->selectedMode = mode;
}

void OnOptionsOk(HWND dialog, OptionsDialog* state)
{
    g_bmpChild.SetPageSize(state->pending.width, state->pending.height);
    g_options.resolutionMode = state->selectedMode;
    for (const CheckField& check : kCheckFields)
        g_options.*check.field = IsDlgButtonChecked(dialog, check.id) == BST_CHECKED ? 1 : 0;
    for (const CheckField& color : kColorFields) {
        char text[kColorTextSize] = "";
        GetDlgItemTextA(dialog, color.id, text, sizeof text);
        int32_t value;
        if (ParseColorText(text, &value)) g_options.*color.field = value;
    }
    if (!SaveOptions()) ShowInfo(dialog, "%s", kSaveFailedText);
    // The edit page (in edit mode) or else the animation page restarts at the new size and colors.
    if (g_bmpChild.editMode)
        g_bmpChild.StartEditPage();
    else
        g_bmpChild.StartAnimPage();
    EndDialog(dialog, 1);
}

void RefreshViews()
{
    if (g_bmpChild.window != nullptr) InvalidateRect(g_bmpChild.window, nullptr, TRUE);
    if (g_selChild.window != nullptr) InvalidateRect(g_selChild.window, nullptr, TRUE);
    if (g_bmpChild.window != nullptr) UpdateWindow(g_bmpChild.window);
}

// A radio button records its mode; OK and Cancel end the dialog and repaint what the options
// change. Other commands are not handled.
BOOL OnOptionsCommand(HWND dialog, OptionsDialog* state, int id)
{
    if (IsModeId(id)) {
        OnModeClicked(state, id);
        return TRUE;
    }
    switch (id) {
    case IDOK: OnOptionsOk(dialog, state); break;
    case IDCANCEL: EndDialog(dialog, 0); break;
    default: return FALSE;
    }
    RefreshViews();
    return TRUE;
}

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    OptionsDialog* state = DialogRecord<OptionsDialog>(dialog, message, lParam);
    if (state == nullptr) return FALSE;
    if (!state->modeKnown) {
        state->selectedMode = g_options.resolutionMode;
        state->modeKnown = true;
    }
    switch (message) {
    case WM_INITDIALOG: OnInitOptions(dialog, state); return FALSE;
    case WM_COMMAND: return OnOptionsCommand(dialog, state, LOWORD(wParam));
    default: return FALSE;
    }
}

}  // namespace

bool ParseColorText(const char* text, int32_t* color)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (*p < '0' || *p > '9') return false;
    long value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > 255) return false;  // too large whatever follows (also no overflow)
    }
    while (*p == ' ' || *p == '\t') ++p;
    if (*p != '\0') return false;
    if (negative && value != 0) return false;
    *color = int32_t(value);
    return true;
}

INT_PTR RunOptionsDialog(HWND owner)
{
    return RunModalDialog(owner, IDD_OPTIONS, OptionsDialogProc, &g_optionsDialog);
}
