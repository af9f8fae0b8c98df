// The wheel on the canvas and on the selection strip: it scrolls what it is over (with Shift, or
// tilted, the canvas sideways; the strip always sideways), and with Ctrl it zooms, as the Zoom In
// and Zoom Out commands do. A notch scrolls as many lines as the system's setting says (three
// unless changed), one line being a scroll bar's step of 10 pixels; the setting "a page at a
// time" scrolls a page.
#include "views/canvas.h"
#include "views/selection.h"

#include "resources/resource.h"

namespace {

constexpr int kCanvasPage = 8;  // a canvas page step, as its scroll bars count it
constexpr int kStripPage = 10;  // the strip's

// Steps a notch moves, `page` when the system scrolls a page at a time.
int StepsPerNotch(int page)
{
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return lines == WHEEL_PAGESCROLL ? page : int(lines);
}

// The strip's zoom is its pane's buttons' (through the main window's commands).
void ZoomStrip(HWND window, int notches)
{
    HWND main = GetAncestor(window, GA_ROOT);
    for (int i = 0; i < (notches > 0 ? notches : -notches); ++i)
        SendMessageA(main, WM_COMMAND, WPARAM(notches > 0 ? ID_SEL_ZOOM_IN : ID_SEL_ZOOM_OUT), 0);
}

}  // namespace

void BmpChildWindow::OnWheel(int delta, int keys, bool tilt)
{
    const int notches = wheelTurns.Notches(delta);
    if (notches == 0) return;
    if (keys & MK_CONTROL) {
        for (int i = 0; i < (notches > 0 ? notches : -notches); ++i) notches > 0 ? ZoomIn() : ZoomOut();
        return;
    }
    const int steps = notches * StepsPerNotch(kCanvasPage);
    // Turning up scrolls up (or left); a tilt to the right scrolls right.
    if (tilt) OnHScroll(SB_THUMBTRACK, viewX + steps);
    else if (keys & MK_SHIFT) OnHScroll(SB_THUMBTRACK, viewX - steps);
    else OnVScroll(SB_THUMBTRACK, viewY - steps);
}

void SelChildWindow::OnWheel(int delta, int keys, bool tilt)
{
    const int notches = wheelTurns.Notches(delta);
    if (notches == 0) return;
    if (keys & MK_CONTROL) {
        ZoomStrip(window, notches);
        return;
    }
    const int steps = notches * StepsPerNotch(kStripPage);
    OnHScroll(SB_THUMBTRACK, tilt ? scrollPos + steps : scrollPos - steps);
}
