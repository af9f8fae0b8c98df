// The lower pane of the work area: three buttons in a column on the left ("Zoom In" and
// "Zoom Out" for the selection strip's thumbnails, "Delete" for sprites) and the strip beside them.
#include "panels/work_windows.h"

#include "app/document.h"
#include "kit/show_info.h"
#include "kit/window_object.h"
#include "panels/delete_dialog.h"
#include "views/selection.h"

namespace {

constexpr UINT kSubWork2ClassStyle = CS_HREDRAW | CS_VREDRAW;

// The buttons as made, then as every resize places them.
struct ButtonPlace {
    int id;
    const char* text;
    int createX, createY, createWidth;
    int x, y, width;
};
constexpr int kButtonHeight = 20;
constexpr ButtonPlace kButtons[] = {
    {kStripZoomIn, "Zoom In", 0, 10, 100, 10, 10, 80},
    {kStripZoomOut, "Zoom Out", 0, 40, 100, 10, 40, 80},
    {kDeleteSprites, "Delete", 0, 80, 100, 10, 80, 80},
};

// The strip lies right of the buttons, inset from the pane's top and bottom.
constexpr int kStripLeft = 100;
constexpr int kStripTop = 4;
constexpr int kStripHeightLess = 6;

LRESULT CALLBACK SubWork2WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        g_subWork2.OnCreate(window);
        return 0;
    }
    SubWork2Window* pane = FindWindowObject<SubWork2Window>(window);
    if (pane == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE: pane->OnSize(LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_COMMAND: pane->OnCommand(int(wParam)); return 0;
    case WM_KEYDOWN: return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

SubWork2Window::SubWork2Window() { background = CreateSolidBrush(GetSysColor(COLOR_BTNFACE)); }

int SubWork2Window::Create(HWND parentWindow)
{
    parent = parentWindow;
    instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    RECT client = {0, 0, 0, 0};
    GetClientRect(parent, &client);
    const WindowClassInfo classInfo = {className, kSubWork2ClassStyle, SubWork2WindowProc, nullptr,
                                       background, "Can't register SubWork2 Window"};
    const WindowCreateInfo createInfo = {0, "SubWork2 Window",
                                         WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0,
                                         client.bottom / 2, client.right, client.bottom / 2,
                                         "Can't create SubWork2 Window"};
    window = CreateWindowObject(instance, parent, classInfo, createInfo, this);
    return window != nullptr ? 1 : 0;
}

void SubWork2Window::Show(int flag) { ShowPane(window, flag); }

void SubWork2Window::OnCreate(HWND paneWindow)
{
    window = paneWindow;
    AttachWindowObject(window, this);
    HWND* handles[] = {&zoomInButton, &zoomOutButton, &deleteButton};
    for (int i = 0; i < 3; ++i) {
        const ButtonPlace& button = kButtons[i];
        *handles[i] = CreateWindowExA(0, "button", button.text, WS_CHILD | WS_VISIBLE,
                                      button.createX, button.createY, button.createWidth,
                                      kButtonHeight, window,
                                      reinterpret_cast<HMENU>(INT_PTR(button.id)), instance,
                                      nullptr);
    }
    g_selChild.Create(window);
}

void SubWork2Window::OnSize(int width, int height)
{
    HWND handles[] = {zoomInButton, zoomOutButton, deleteButton};
    for (int i = 0; i < 3; ++i)
        MoveWindow(handles[i], kButtons[i].x, kButtons[i].y, kButtons[i].width, kButtonHeight,
                   TRUE);
    MoveWindow(g_selChild.window, kStripLeft, kStripTop, width - kStripLeft,
               height - kStripHeightLess, TRUE);
}

void SubWork2Window::OnCommand(int command)
{
    switch (command) {
    case kStripZoomIn:
        if (g_selChild.scale < kStripScaleMax) {
            g_selChild.scale += kStripScaleStep;
            g_selChild.UpdateScroll();
        }
        break;
    case kStripZoomOut:
        if (g_selChild.scale > kStripScaleMin) {
            g_selChild.scale -= kStripScaleStep;
            g_selChild.UpdateScroll();
        }
        break;
    case kDeleteSprites:
        if (workSet.sprites != nullptr) {
            RunDeleteDialog(window);
        } else {
            ShowInfo(window, "스프라이트가 없습니다");
        }
        break;
    default: break;
    }
    if (g_selChild.window != nullptr) InvalidateRect(g_selChild.window, nullptr, TRUE);
}
