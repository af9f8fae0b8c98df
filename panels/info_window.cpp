#include "panels/info_window.h"

#include <commctrl.h>

#include "app/window_object.h"

namespace {

constexpr const char* kTabTexts[] = {"Sprite Info", "Edit Mode", "Tree Management"};
constexpr int kTabBoxSize = 100;  // the tab control's size until the first WM_SIZE places it

LRESULT CALLBACK InfoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int InfoChildWindow::Create(HWND parentWindow)
{
    lstrcpyA(className, "InfoChildWindow");
    parent = parentWindow;
    instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parentWindow, GWLP_HINSTANCE));

    const WindowClassInfo classInfo = {className, CS_HREDRAW | CS_VREDRAW, InfoWindowProc, nullptr,
                                       nullptr, "Can't register Information Child Window"};
    const WindowCreateInfo createInfo = {WS_EX_WINDOWEDGE, "Information Child Window",
                                         WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                                         "Can't Create Information Child Window"};
    window = CreateWindowObject(instance, parent, classInfo, createInfo, this);
    if (window == nullptr) return 0;

    InitCommonControls();
    tabControl = CreateWindowExA(0, WC_TABCONTROLA, "",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_TOOLTIPS |
                                     TCS_FOCUSNEVER | TCS_FORCELABELLEFT,
                                 0, 0, kTabBoxSize, kTabBoxSize, window, nullptr, instance, nullptr);
    if (tabControl == nullptr) {
        ShowWindowError(window, "Can't Create Tab Controls");
        return 0;
    }
    for (int page = 0; page < 3; ++page) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(kTabTexts[page]);
        SendMessageA(tabControl, TCM_INSERTITEMA, WPARAM(page), reinterpret_cast<LPARAM>(&item));
    }
    return 1;
}
