#include "app/about_box.h"

#include "kit/modal_dialog.h"
#include "resources/resource.h"

namespace {

// The About box shows fixed texts only; its record holds nothing.
struct AboutBox {};

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    DialogRecord<AboutBox>(dialog, message, lParam);
    if (message != WM_COMMAND) return FALSE;
    EndDialog(dialog, 0);
    return TRUE;
}

}  // namespace

INT_PTR RunAboutBox(HWND owner)
{
    AboutBox about;
    return RunModalDialog(owner, IDD_ABOUT, AboutBoxProc, &about);
}
