// The work window and its upper pane: plain containers whose only work is to make their children
// and keep the split bar between them in place.
#include "panels/work_windows.h"

#include "app/split_bar.h"
#include "kit/split_geometry.h"
#include "kit/window_object.h"
#include "panels/info_window.h"
#include "views/canvas.h"

namespace {

constexpr UINT kWorkClassStyle = CS_HREDRAW | CS_VREDRAW;

HINSTANCE InstanceOf(HWND window)
{
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

RECT ClientRect(HWND window)
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    return client;
}

// The upper pane above the lower one, the bar between them at half the height.
void OnWorkCreate(HWND window)
{
    g_subWork1.Create(window);
    g_subWork2.Create(window);
    g_workSplit.Create(window, g_subWork1.window, g_subWork2.window, ClientRect(window).bottom / 2,
                       kSplitBarThickness, kSplitHorizontal);
}

// The canvas left of the information window, the bar between them at half the width.
void OnSubWork1Create(HWND window)
{
    g_bmpChild.Create(window);
    g_infoChild.Create(window);
    g_viewSplit.Create(window, g_bmpChild.window, g_infoChild.window, ClientRect(window).right / 2,
                       kSplitBarThickness, kSplitVertical);
}

// When the main window changes size, the lower pane keeps its height.
LRESULT CALLBACK WorkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnWorkCreate(window); return 0;
    case WM_SIZE: g_workSplit.ResizeLayout(kKeepSecondPane); return 0;
    case WM_KEYDOWN:
    case WM_COMMAND: return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

// The information window keeps its width.
LRESULT CALLBACK SubWork1WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: OnSubWork1Create(window); return 0;
    case WM_SIZE: g_viewSplit.ResizeLayout(kKeepSecondPane); return 0;
    case WM_KEYDOWN:
    case WM_COMMAND: return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

void ShowPane(HWND pane, int flag)
{
    if (pane == nullptr) return;
    if (flag == 0) ShowWindow(pane, SW_HIDE);
    if (flag == 1) ShowWindow(pane, SW_SHOW);
}

int WorkWindow::Create(HWND parentWindow)
{
    parent = parentWindow;
    instance = InstanceOf(parent);
    const RECT client = ClientRect(parent);
    const WindowClassInfo classInfo = {className, kWorkClassStyle, WorkWindowProc, nullptr, nullptr,
                                       "Can't register Work Window"};
    const WindowCreateInfo createInfo = {0, "Work Window", WS_CHILD | WS_VISIBLE, 0, 0,
                                         client.right, client.bottom, "Can't create Work Window"};
    window = CreateWindowObject(instance, parent, classInfo, createInfo, this);
    return window != nullptr ? 1 : 0;
}

void WorkWindow::Show(int flag) { ShowPane(window, flag); }

int SubWork1Window::Create(HWND parentWindow)
{
    parent = parentWindow;
    instance = InstanceOf(parent);
    const RECT client = ClientRect(parent);
    const WindowClassInfo classInfo = {className, kWorkClassStyle, SubWork1WindowProc, nullptr,
                                       nullptr, "Can't register SubWork1 Window"};
    const WindowCreateInfo createInfo = {0, "SubWork1 Window", WS_CHILD | WS_VISIBLE, 0, 0,
                                         client.right, client.bottom / 2,
                                         "Can't create SubWork1 Window"};
    window = CreateWindowObject(instance, parent, classInfo, createInfo, this);
    return window != nullptr ? 1 : 0;
}

void SubWork1Window::Show(int flag) { ShowPane(window, flag); }
