#include "app/split_bar.h"

#include "kit/split_geometry.h"
#include "kit/window_object.h"
#include "resources/resource.h"

namespace {

// Mouse coordinates are signed 16-bit values.
int MouseX(LPARAM lParam) { return short(LOWORD(lParam)); }
int MouseY(LPARAM lParam) { return short(HIWORD(lParam)); }

LRESULT CALLBACK SplitBarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SplitBarWindow* bar = FindWindowObject<SplitBarWindow>(window);
    if (bar == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_LBUTTONDOWN: bar->OnButtonDown(MouseX(lParam), MouseY(lParam)); break;
    case WM_MOUSEMOVE: bar->OnMouseMove(MouseX(lParam), MouseY(lParam)); break;
    case WM_LBUTTONUP: bar->OnButtonUp(); break;
    // The capture taken away (another window took it, the program lost the focus, a box came
    // up) or a mode cancelled: the drag ends where it began. WM_CANCELMODE then goes on to the
    // default procedure, which releases a capture the bar still holds.
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE: bar->CancelDrag(); break;
    case WM_PAINT: bar->OnPaint(); return 0;
    case WM_SETCURSOR: bar->OnSetCursor(); return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int SplitBarWindow::classRegistered = 0;

SplitBarWindow::~SplitBarWindow()
{
    visible = 0;
    created = 0;
    window = nullptr;
    classRegistered = 0;
}

int SplitBarWindow::Create(HWND parentWindow, HWND first, HWND second, int initial,
                           int barThickness, int barOrientation)
{
    instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parentWindow, GWLP_HINSTANCE));
    WindowClassInfo classInfo = {className, CS_HREDRAW | CS_VREDRAW, SplitBarProc, nullptr, nullptr,
                                 "Can't register SplitBar Window Class"};
    if (!classRegistered)
        classRegistered = RegisterWindowObjectClass(instance, parentWindow, classInfo);
    classInfo.registerFailure = nullptr;  // reported above; creation fails and says so below

    firstPane = first;
    parent = parentWindow;
    secondPane = second;
    position = initialPosition = initial;
    thickness = barThickness;
    orientation = barOrientation;

    RECT client = {0, 0, 0, 0};
    GetClientRect(parent, &client);
    WindowCreateInfo createInfo = {0, "Splitbar Window", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                   "Can't Create Split Bar"};
    if (orientation == kSplitVertical) {
        createInfo.x = position;
        createInfo.width = thickness;
        createInfo.height = client.bottom;
    } else {
        createInfo.y = position;
        createInfo.width = client.right;
        createInfo.height = thickness;
    }
    window = CreateWindowObject(instance, parent, classInfo, createInfo, this);
    if (window == nullptr) {
        visible = created = 0;
        return 0;
    }
    visible = created = 1;
    const int cursorId = orientation == kSplitVertical ? IDC_SPLIT_VERT : IDC_SPLIT_HORZ;
    cursor = LoadCursorA(instance, MAKEINTRESOURCEA(cursorId));
    return 1;
}

void SplitBarWindow::Layout()
{
    if (!created) return;
    RECT client = {0, 0, 0, 0};
    GetClientRect(parent, &client);
    if (client.right <= 0 || client.bottom <= 0) return;

    const bool firstShown = (GetWindowLongA(firstPane, GWL_STYLE) & WS_VISIBLE) != 0;
    const bool secondShown = (GetWindowLongA(secondPane, GWL_STYLE) & WS_VISIBLE) != 0;
    if (!firstShown || !secondShown) {
        Show(0);
        if (firstShown) MoveWindow(firstPane, 0, 0, client.right, client.bottom, TRUE);
        if (secondShown) MoveWindow(secondPane, 0, 0, client.right, client.bottom, TRUE);
        return;
    }

    Show(1);
    const bool vertical = orientation == kSplitVertical;
    const int total = vertical ? client.right : client.bottom;
    position = ClampSplitPosition(total, thickness, position);
    const int second = SecondPaneExtent(total, thickness, position);
    if (vertical) {
        MoveWindow(firstPane, 0, 0, position, client.bottom, TRUE);
        MoveWindow(secondPane, position + thickness, 0, second, client.bottom, TRUE);
        MoveWindow(window, position, 0, thickness, client.bottom, TRUE);
    } else {
        MoveWindow(firstPane, 0, 0, client.right, position, TRUE);
        MoveWindow(secondPane, 0, position + thickness, client.right, second, TRUE);
        MoveWindow(window, 0, position, client.right, thickness, TRUE);
    }
    // The panes move before the bar and may pass over its old place, so the bits that a move
    // would carry along are not the bar's: paint it afresh.
    InvalidateRect(window, nullptr, FALSE);
    totalExtent = total;
    firstExtent = position;
    secondExtent = second;
}

void SplitBarWindow::ResizeLayout(int mode)
{
    RECT client = {0, 0, 0, 0};
    GetClientRect(parent, &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    const int extent = orientation == kSplitVertical ? client.right : client.bottom;
    if (firstLayout) {
        totalExtent = extent;
        firstExtent = position;
        secondExtent = extent - thickness - position;
        firstLayout = 0;
    }
    const int next = ResizedSplitPosition(mode, extent, thickness, firstExtent, secondExtent);
    if (created) SetPosition(next);
    Layout();
}

void SplitBarWindow::Show(int flag)
{
    if (!created) return;
    ShowWindow(window, flag == 1 ? SW_SHOW : SW_HIDE);
    visible = flag == 1 ? 1 : 0;
}

void SplitBarWindow::SetPosition(int value) { position = value; }

void SplitBarWindow::OnButtonDown(int x, int y)
{
    SetCapture(window);
    dragging = 1;
    dragStart = dragCurrent = AlongAxis(x, y);
    dragOffset = 0;
    DrawTrackingRect(0);
}

void SplitBarWindow::OnMouseMove(int x, int y)
{
    if (!dragging) return;
    DrawTrackingRect(dragOffset);
    RECT limits = {0, 0, 0, 0};
    GetClientRect(parent, &limits);
    MapWindowPoints(parent, window, reinterpret_cast<POINT*>(&limits), 2);
    const bool vertical = orientation == kSplitVertical;
    dragCurrent = ClampDragCoordinate(AlongAxis(x, y), vertical ? limits.left : limits.top,
                                      vertical ? limits.right : limits.bottom, thickness);
    dragOffset = dragCurrent - dragStart;
    DrawTrackingRect(dragOffset);
}

void SplitBarWindow::OnButtonUp()
{
    if (!dragging) return;
    dragging = 0;
    DrawTrackingRect(dragOffset);
    ReleaseCapture();
    position += dragCurrent - dragStart;
    Layout();
}

void SplitBarWindow::CancelDrag()
{
    if (!dragging) return;
    dragging = 0;
    DrawTrackingRect(dragOffset);
    if (GetCapture() == window) ReleaseCapture();
}

// The bar's outline moved `offset` pixels along the axis, drawn inverted on the parent: drawing it
// twice at the same place removes it again.
void SplitBarWindow::DrawTrackingRect(int offset)
{
    RECT rect;
    GetClientRect(window, &rect);
    if (orientation == kSplitVertical)
        OffsetRect(&rect, offset, 0);
    else
        OffsetRect(&rect, 0, offset);
    MapWindowPoints(window, parent, reinterpret_cast<POINT*>(&rect), 2);
    HDC dc = GetDC(parent);
    DrawFocusRect(dc, &rect);
    ReleaseDC(parent, dc);
}

void SplitBarWindow::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT rect;
    GetClientRect(window, &rect);
    FillRect(dc, &rect, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &rect, EDGE_RAISED, BF_RECT);
    EndPaint(window, &paint);
}

void SplitBarWindow::OnSetCursor() { SetCursor(cursor); }
