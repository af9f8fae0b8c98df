#include "views/canvas.h"

#include "app/pages.h"

BmpChildWindow::BmpChildWindow()
{
    background = CreateSolidBrush(GetSysColor(COLOR_APPWORKSPACE));
}

BmpChildWindow::~BmpChildWindow()
{
    if (background != nullptr) DeleteObject(background);
}

ShownPage BmpChildWindow::Shown()
{
    if (playing) return {&g_animPage, &animZoom, kMaxAnimZoom};
    if (editMode) return {&g_animPage, &editZoom, kMaxEditZoom};
    return {&g_bmpPage, &bmpZoom, kMaxBitmapZoom};
}

namespace {

constexpr int kScrollStep = 10;       // scroll positions count steps of this many window pixels
constexpr int kPlacementPasses = 3;  // scroll bars shown or hidden settle within this

// v / 10 rounded up: the truncated quotient, plus 1 when the remainder is not 0.
int CeilSteps(int v) { return v / kScrollStep + (v % kScrollStep != 0 ? 1 : 0); }

void SetScrollBar(HWND window, int bar, int maximum, int page, int position)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = maximum;
    info.nPage = UINT(page);
    info.nPos = position;
    SetScrollInfo(window, bar, &info, TRUE);
}

// One axis of the placement: the scroll maximum, the position clamped to the useful range, and
// the window coordinate of the page's first pixel. `extent` is the client extent (one more than
// the client size), `shown` the page's size on screen.
struct AxisPlacement {
    int maximum;
    int position;
    int start;
};

AxisPlacement PlaceAxis(int extent, int shown, int position)
{
    int maximum = CeilSteps(shown);
    if (maximum < 0) maximum = 0;
    int last = CeilSteps(shown - extent);  // the largest useful position
    if (extent >= shown) {
        last = 0;
        maximum = 0;
    }
    if (position > last) position = last;
    if (position < 0) position = 0;
    int start;
    if (last == 0) start = (extent - shown) / 2;  // the page fits: centred
    else if (position == last) start = extent - shown;
    else start = -kScrollStep * position;
    return {maximum, position, start};
}

}  // namespace

void BmpChildWindow::RefreshPage()
{
    // Showing or hiding a scroll bar resizes the client area, and the WM_SIZE that follows asks
    // for this again: that nested call is left out, and the placement is made afresh here for the
    // new client area until it no longer changes.
    if (window == nullptr || refreshing) return;
    refreshing = 1;
    RECT client;
    GetClientRect(window, &client);
    for (int pass = 0; pass < kPlacementPasses; ++pass) {
        PlaceShownPage(client);
        RECT now;
        GetClientRect(window, &now);
        if (EqualRect(&now, &client)) break;
        client = now;
    }
    refreshing = 0;
}

void BmpChildWindow::PlaceShownPage(const RECT& client)
{
    int extentX = client.right - client.left + 1;
    int extentY = client.bottom - client.top + 1;

    ShownPage shown = Shown();
    curZoom = *shown.zoom;
    // A page without pixels (none created yet, or its last Create refused) shows nothing and has
    // no size, whatever width and height it keeps.
    bool drawable = shown.page->pixels != nullptr;
    pageWidth = drawable ? shown.page->width : 0;
    pageHeight = drawable ? shown.page->height : 0;

    AxisPlacement x = PlaceAxis(extentX, curZoom * pageWidth, viewX);
    AxisPlacement y = PlaceAxis(extentY, curZoom * pageHeight, viewY);
    viewXMax = x.maximum;
    viewYMax = y.maximum;
    viewX = x.position;
    viewY = y.position;
    pageLeft = x.start;
    pageTop = y.start;
    // Mouse points are read through the page's own view, so it follows the placement at once,
    // not only at the next flip.
    shown.page->SetView(pageLeft, pageTop, curZoom);
    SetScrollBar(window, SB_HORZ, viewXMax, CeilSteps(extentX), viewX);
    SetScrollBar(window, SB_VERT, viewYMax, CeilSteps(extentY), viewY);
}

namespace {

constexpr int kPageSteps = 8;  // a page up or down on a scroll bar moves this many steps

// The step a scroll code asks for; thumb tracking moves to the thumb, other codes not at all.
int ScrollDelta(int code, int thumb, int position)
{
    switch (code) {
    case SB_LINEUP: return -1;
    case SB_LINEDOWN: return 1;
    case SB_PAGEUP: return -kPageSteps;
    case SB_PAGEDOWN: return kPageSteps;
    case SB_THUMBTRACK: return thumb - position;
    default: return 0;
    }
}

// Moves `position` by the code's step within 0..maximum; true when the step was not 0.
bool Scroll(int code, int thumb, int maximum, int* position)
{
    int delta = ScrollDelta(code, thumb, *position);
    int moved = *position + delta;
    if (moved > maximum) moved = maximum;
    if (moved < 0) moved = 0;
    *position = moved;
    return delta != 0;
}

}  // namespace

void BmpChildWindow::OnVScroll(int code, int thumb)
{
    if (!Scroll(code, thumb, viewYMax, &viewY)) return;
    RefreshPage();
    SendMessageA(window, WM_PAINT, 0, 0);
}

void BmpChildWindow::OnHScroll(int code, int thumb)
{
    if (!Scroll(code, thumb, viewXMax, &viewX)) return;
    RefreshPage();
    SendMessageA(window, WM_PAINT, 0, 0);
}
