// The selection strip's window: creating it, its window procedure (which decodes each message
// and calls one handler), scrolling, and the mouse: select, drag to move, double-click.
#include "views/selection.h"

#include <windowsx.h>

#include "app/document.h"
#include "kit/window_object.h"
#include "panels/info_window.h"
#include "resources/resource.h"
#include "views/auto_scroll.h"

namespace {

constexpr UINT kSelClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;  // 11
constexpr int kScrollLine = 1;   // scroll positions per line step
constexpr int kScrollPage = 10;  // scroll positions per page step

LRESULT CALLBACK SelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SelChildWindow* strip = FindWindowObject<SelChildWindow>(window);
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_CREATE:
    case WM_SETCURSOR:
    case WM_KEYDOWN:
    case WM_COMMAND: return 0;
    }
    if (strip == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE: strip->UpdateScroll(); return 0;
    case WM_PAINT: strip->Paint(); return 0;
    case WM_HSCROLL: strip->OnHScroll(LOWORD(wParam), static_cast<short>(HIWORD(wParam))); return 0;
    case WM_NCMOUSEMOVE: SetCursor(strip->arrowCursor); return 0;
    case WM_MOUSEMOVE: strip->OnMouseMove(x, y); return 0;
    case WM_LBUTTONDOWN:
        if (strip->OnLButtonDown(x, y)) return 0;
        break;
    case WM_LBUTTONUP: strip->OnLButtonUp(x, y); return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window) strip->CancelDrag();
        return 0;
    case WM_CANCELMODE:
        strip->CancelDrag();
        return 0;
    case WM_LBUTTONDBLCLK:
        if (strip->OnLButtonDblClk(x, y)) return 0;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

SelChildWindow::SelChildWindow() { background = CreateSolidBrush(GetSysColor(COLOR_APPWORKSPACE)); }

SelChildWindow::~SelChildWindow()
{
    if (background != nullptr) DeleteObject(background);
}

int SelChildWindow::Create(HWND parentWindow)
{
    lstrcpyA(className, "SelChildWindow");
    parent = parentWindow;
    instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parentWindow, GWLP_HINSTANCE));
    arrowCursor = LoadCursorA(nullptr, IDC_ARROW);
    handCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_SEL_HAND));
    dropCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_SEL_DROP));
    noDropCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_SEL_NODROP));

    const WindowClassInfo classInfo = {className, kSelClassStyle, SelWindowProc, arrowCursor,
                                       background, "Can't register Selection Child Window"};
    const WindowCreateInfo createInfo = {WS_EX_CLIENTEDGE, "Selection Window",
                                         WS_CHILD | WS_VISIBLE | WS_HSCROLL,
                                         0, 0, 50, 50, "Can't Create Selection Child Window"};
    window = CreateWindowObject(instance, parent, classInfo, createInfo, this);
    return window != nullptr ? 1 : 0;
}

void SelChildWindow::OnHScroll(int code, int thumbPos)
{
    int step = 0;
    switch (code) {
    case SB_LINELEFT: step = -kScrollLine; break;
    case SB_LINERIGHT: step = kScrollLine; break;
    case SB_PAGELEFT: step = -kScrollPage; break;
    case SB_PAGERIGHT: step = kScrollPage; break;
    case SB_THUMBTRACK: step = thumbPos - scrollPos; break;
    default: break;
    }
    int position = scrollPos + step;
    if (position > scrollMax) position = scrollMax;
    if (position < 0) position = 0;
    scrollPos = position;
    if (step != 0) {
        UpdateScroll();
        InvalidateRect(window, nullptr, TRUE);
    }
}

void SelChildWindow::OnMouseMove(int x, int y)
{
    if (!dragging) {
        SetCursor(HitTest(x, y) != -1 ? handCursor : arrowCursor);
        return;
    }
    const int hit = HitTest(x, y);
    SetCursor(hit == -1 || hit == g_document.Current() ? noDropCursor : dropCursor);
    // Held beyond the left or right edge, the strip scrolls one step every auto-scroll period.
    RECT client;
    GetClientRect(window, &client);
    const int direction = x <= client.left ? -1 : (x >= client.right ? 1 : 0);
    if (direction != 0)
        g_autoScroll.Begin(window, direction, 0);
    else
        g_autoScroll.End();
}

int SelChildWindow::OnLButtonDown(int x, int y)
{
    if (dragging) return 1;
    const int hit = HitTest(x, y);
    if (hit == -1) return 0;
    SelectSprite(hit);
    dragging = 1;
    SetCapture(window);
    return 1;
}

void SelChildWindow::OnLButtonUp(int x, int y)
{
    if (dragging) {
        dragging = 0;
        ReleaseCapture();
        // The dragged (current) sprite goes to the place it was dropped on. Dropped on itself it
        // stays, and dropped off every thumbnail the drag is given up.
        const int hit = HitTest(x, y);
        if (hit != -1 && !g_document.Move(hit, g_document.Current())) workSet.ShowMessage(window);
    }
    g_autoScroll.End();
}

bool SelChildWindow::CancelDrag()
{
    if (!dragging) return false;
    dragging = 0;  // first: letting the mouse go tells the strip its capture is lost
    if (GetCapture() == window) ReleaseCapture();
    g_autoScroll.End();
    SetCursor(arrowCursor);
    return true;
}

int SelChildWindow::OnLButtonDblClk(int x, int y)
{
    const int hit = HitTest(x, y);
    if (hit == -1) return 0;
    // The first press already made it current.
    SelectInfoTab(kEditModePage);
    return 1;
}
