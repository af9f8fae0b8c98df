// The wheel on the canvas and the strip (scrolling, sideways with Shift or a tilt, zooming with
// Ctrl), the wheel going to the window under the mouse, and cut mode's status line.
#include <string>

#include <windows.h>
#include <commctrl.h>

#include "app/document.h"
#include "app/entry.h"
#include "kit/status_bar.h"
#include "tests/gui/canvas_fixture.h"
#include "tests/gui/document_helpers.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

using WheelTest = CanvasTest;
using CutStatusTest = CanvasTest;

int LinesPerNotch()
{
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    return int(lines);
}

void Wheel(HWND window, UINT message, int delta, WPARAM keys)
{
    RECT box;
    GetWindowRect(window, &box);
    SendMessageA(window, message, MAKEWPARAM(keys, WORD(short(delta))),
                 MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2));
    PumpMessages();
}

std::string StatusText()
{
    char text[256] = "";
    SendMessageA(g_statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace

TEST_F(WheelTest, TheWheelScrollsTheCanvasAndWithCtrlZooms)
{
    OpenSheet(PatternPicture(900, 700));
    const int n = LinesPerNotch();
    struct Case {
        const char* what;
        UINT message;
        int delta;
        WPARAM keys;
        int zoom;                    // before
        int viewX, viewY, zoomAfter;  // after; the view starts at (10, 10)
    };
    const Case cases[] = {
        {"down a notch", WM_MOUSEWHEEL, -120, 0, 1, 10, 10 + n, 1},
        {"down two", WM_MOUSEWHEEL, -240, 0, 1, 10, 10 + 2 * n, 1},
        {"up a notch", WM_MOUSEWHEEL, 120, 0, 1, 10, 10 - n, 1},
        {"a third of a notch is not yet a step", WM_MOUSEWHEEL, -40, 0, 1, 10, 10, 1},
        {"Shift: sideways", WM_MOUSEWHEEL, -120, MK_SHIFT, 1, 10 + n, 10, 1},
        {"a tilt to the right", WM_MOUSEHWHEEL, 120, 0, 1, 10 + n, 10, 1},
        {"Ctrl: zoom in, the view doubled", WM_MOUSEWHEEL, 120, MK_CONTROL, 1, 20, 20, 2},
        {"Ctrl, turned back: zoom out, the view halved", WM_MOUSEWHEEL, -120, MK_CONTROL, 2, 5, 5, 1},
        {"Ctrl, two notches", WM_MOUSEWHEEL, 240, MK_CONTROL, 1, 40, 40, 3},
    };
    for (const Case& c : cases) {
        g_bmpChild.bmpZoom = c.zoom;
        g_bmpChild.viewX = g_bmpChild.viewY = 10;
        g_bmpChild.wheelTurns = {};
        g_bmpChild.RefreshPage();
        Wheel(canvas, c.message, c.delta, c.keys);
        EXPECT_EQ(g_bmpChild.viewX, c.viewX) << c.what;
        EXPECT_EQ(g_bmpChild.viewY, c.viewY) << c.what;
        EXPECT_EQ(g_bmpChild.bmpZoom, c.zoomAfter) << c.what;
    }
    g_bmpChild.bmpZoom = 1;
    g_bmpChild.RefreshPage();
    // The rest of a notch adds up with the next turns.
    g_bmpChild.viewY = 10;
    for (int i = 0; i < 3; ++i) Wheel(canvas, WM_MOUSEWHEEL, -40, 0);
    EXPECT_EQ(g_bmpChild.viewY, 10 + n);
}

TEST_F(WheelTest, TheWheelScrollsTheStripSidewaysAndWithCtrlZoomsIt)
{
    std::vector<SpriteSize> sizes(30, SpriteSize{60, 20});
    OpenDocument(sizes);
    g_selChild.UpdateScroll();
    ASSERT_GT(g_selChild.scrollMax, 20);
    const int n = LinesPerNotch();
    HWND strip = g_selChild.window;
    g_selChild.scrollPos = 10;
    Wheel(strip, WM_MOUSEWHEEL, -120, 0);
    EXPECT_EQ(g_selChild.scrollPos, 10 + n);
    Wheel(strip, WM_MOUSEWHEEL, 120, MK_SHIFT);
    EXPECT_EQ(g_selChild.scrollPos, 10);
    Wheel(strip, WM_MOUSEHWHEEL, 120, 0);
    EXPECT_EQ(g_selChild.scrollPos, 10 + n);
    Wheel(strip, WM_MOUSEWHEEL, 120, MK_CONTROL);
    EXPECT_FLOAT_EQ(g_selChild.scale, 1.25f);
}

TEST_F(WheelTest, TheWheelGoesToTheWindowUnderTheMouseNotTheFocus)
{
    OpenSheet(PatternPicture(900, 700));
    OpenDocument(std::vector<SpriteSize>(30, SpriteSize{60, 20}));
    g_selChild.UpdateScroll();
    SetFocus(window);
    for (HWND under : {canvas, g_selChild.window}) {
        g_bmpChild.viewY = 0;
        g_selChild.scrollPos = 0;
        g_bmpChild.RefreshPage();
        RECT box;
        GetWindowRect(under, &box);
        PostMessageA(window, WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(short(-120))),
                     MAKELPARAM((box.left + box.right) / 2, (box.top + box.bottom) / 2));
        MSG waiting;
        int code = 0;
        for (int i = 0; i < 1000 && PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE); ++i) RunLoopPass(&code);
        EXPECT_EQ(g_bmpChild.viewY > 0, under == canvas);
        EXPECT_EQ(g_selChild.scrollPos > 0, under == g_selChild.window);
    }
}

TEST_F(CutStatusTest, TheStatusLineShowsThePointTheColorAndTheDraggedSize)
{
    OpenSheet(PatternPicture(40, 30));
    auto move = [&](int x, int y, WPARAM keys = 0) {
        POINT at = WindowPoint(x, y);
        Mouse(WM_MOUSEMOVE, at.x, at.y, keys);
    };
    auto line = [&](int x, int y) {
        return "좌표(x,y) = " + std::to_string(x) + ", " + std::to_string(y) + "   색상 = " +
               std::to_string(sheet.At(x, y));
    };
    move(5, 7);
    EXPECT_EQ(StatusText(), line(5, 7));
    move(39, 29);
    EXPECT_EQ(StatusText(), line(39, 29));
    move(40, 10);
    EXPECT_EQ(StatusText(), "Ready") << "outside the sheet";

    POINT press = WindowPoint(12, 3);
    Mouse(WM_LBUTTONDOWN, press.x, press.y, MK_LBUTTON);
    move(2, 8, MK_LBUTTON);
    EXPECT_EQ(StatusText(), line(2, 8) + "   크기 = 11 x 6");
    move(-4, 8, MK_LBUTTON);
    EXPECT_EQ(StatusText(), "좌표(x,y) = -4, 8   크기 = 17 x 6") << "dragged past the sheet's edge";
    move(2, 8, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, press.x, press.y);
    move(20, 20);
    EXPECT_EQ(StatusText(), line(20, 20)) << "a shown rectangle that is not moved has no size here";
}
