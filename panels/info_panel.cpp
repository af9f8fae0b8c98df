#include "panels/info_panel.h"

#include <commctrl.h>

#include "kit/window_object.h"
#include "panels/info_window.h"

namespace {

constexpr int kPanelTopGap = 3;
constexpr int kPanelWidthLess = 4;
constexpr int kPanelHeightLess = 30;

}  // namespace

PanelPlace InfoPanelPlace(HWND infoWindow, HWND tabControl)
{
    RECT area = {0, 0, 0, 0};
    GetClientRect(infoWindow, &area);
    if (tabControl != nullptr)
        SendMessageA(tabControl, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return {area.left, area.top + kPanelTopGap, area.right - kPanelWidthLess,
            area.bottom - kPanelHeightLess};
}

HWND CreateInfoPanel(HINSTANCE instance, HWND parent, const char* className, WNDPROC procedure,
                     HBRUSH background, const char* title, const char* createFailure, void* object)
{
    const WindowClassInfo classInfo = {className, CS_HREDRAW | CS_VREDRAW, procedure, nullptr, background,
                                       nullptr};
    const WindowCreateInfo createInfo = {WS_EX_WINDOWEDGE, title, WS_CHILD | WS_VISIBLE | WS_DLGFRAME,
                                         0, 0, 100, 100, createFailure};
    return CreateWindowObject(instance, parent, classInfo, createInfo, object);
}

void ShowInfoPanel(HWND panel, int* visible, int flag)
{
    *visible = flag;
    if (panel == nullptr || (flag != 0 && flag != 1)) return;
    ShowWindow(panel, flag ? SW_SHOW : SW_HIDE);
}

void PlaceInfoPanel(HWND panel, int visible)
{
    if (!visible || panel == nullptr) return;
    const PanelPlace place = InfoPanelPlace(g_infoChild.window, g_infoChild.tabControl);
    MoveWindow(panel, place.x, place.y, place.width, place.height, TRUE);
}
