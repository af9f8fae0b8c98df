// The canvas's window: creating it and its window procedure, which decodes each message and calls
// the canvas's handler for it.
#include "views/canvas.h"

#include "kit/window_object.h"
#include "resources/resource.h"

namespace {

constexpr UINT kCanvasClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;  // 11

// The mouse messages the canvas takes: every client mouse message from the move to the right
// button's double click.
bool IsCanvasMouseMessage(UINT message)
{
    return message == WM_SETCURSOR || message == WM_NCMOUSEMOVE ||
           (message >= WM_MOUSEMOVE && message <= WM_RBUTTONDBLCLK);
}

LRESULT CALLBACK CanvasWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Null until Create attaches the object: WM_CREATE, the first WM_SIZE and anything else
    // before then find none.
    BmpChildWindow* canvas = FindWindowObject<BmpChildWindow>(window);
    if (IsCanvasMouseMessage(message)) {
        if (canvas != nullptr) canvas->RouteMouse(window, message, wParam, lParam);
        return 0;
    }
    switch (message) {
    case WM_CREATE:
    case WM_COMMAND: return 0;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a message box, Alt+Tab, menu mode): the drag ends clean.
        if (canvas != nullptr && reinterpret_cast<HWND>(lParam) != window) canvas->CancelDrag();
        return 0;
    case WM_CANCELMODE:
        if (canvas != nullptr) canvas->CancelDrag();
        return 0;
    case WM_SIZE:
        if (canvas != nullptr) canvas->RefreshPage();
        return 0;
    case WM_PAINT:
        if (canvas == nullptr) break;
        canvas->OnPaint(window, message, wParam, lParam);
        return 0;
    case WM_HSCROLL:
        if (canvas != nullptr) canvas->OnHScroll(LOWORD(wParam), short(HIWORD(wParam)));
        return 0;
    case WM_VSCROLL:
        if (canvas != nullptr) canvas->OnVScroll(LOWORD(wParam), short(HIWORD(wParam)));
        return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int BmpChildWindow::Create(HWND parentWindow)
{
    lstrcpyA(className, "BmpChildWindow");
    parent = parentWindow;
    instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parentWindow, GWLP_HINSTANCE));
    arrowCursor = LoadCursorA(nullptr, IDC_ARROW);

    const WindowClassInfo classInfo = {className, kCanvasClassStyle, CanvasWindowProc, arrowCursor,
                                       background, "Can't register Bmp Child Window"};
    const WindowCreateInfo createInfo = {WS_EX_CLIENTEDGE, "Bmp Child Window",
                                         WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL,
                                         0, 0, 10, 10, "Can't Create Bmp Child Window"};
    window = CreateWindowObject(instance, parent, classInfo, createInfo, this);
    if (window == nullptr) return 0;

    cutCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_CUTSPR));
    moveCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_MOVE));
    adjustCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_ADJUST));
    if (cutCursor == nullptr) ShowWindowError(window, "Can't Load IDC_CUTSPR cursor");
    return 1;
}
