// The canvas's page placement, scrolling, auto-scrolling, zoom, painting and adjust-view mode,
// on the real canvas window with a client area of 400 x 300 (an extent of 401 x 301).
#include "app/commands.h"
#include "app/document.h"
#include "app/options.h"
#include "app/pages.h"
#include "app/picture.h"
#include "resources/resource.h"
#include "tests/gui/canvas_fixture.h"
#include "views/auto_scroll.h"
#include "views/canvas.h"

namespace {

using CanvasPageTest = CanvasTest;

struct Placement {
    int xMax, yMax, viewX, viewY, left, top;
};

void ExpectPlacement(HWND canvas, const Placement& want)
{
    EXPECT_EQ(g_bmpChild.viewXMax, want.xMax);
    EXPECT_EQ(g_bmpChild.viewYMax, want.yMax);
    EXPECT_EQ(g_bmpChild.viewX, want.viewX);
    EXPECT_EQ(g_bmpChild.viewY, want.viewY);
    EXPECT_EQ(g_bmpChild.pageLeft, want.left);
    EXPECT_EQ(g_bmpChild.pageTop, want.top);
    SCROLLINFO info = {sizeof info, SIF_ALL};
    GetScrollInfo(canvas, SB_HORZ, &info);
    EXPECT_EQ(info.nMax, want.xMax);
    EXPECT_EQ(info.nPos, want.viewX);
    if (want.xMax != 0) EXPECT_EQ(info.nPage, 41u) << "ten-pixel steps of the 401-pixel extent";
}

}  // namespace

TEST_F(CanvasPageTest, RefreshPagePlacesPagesSmallerAndLargerThanTheWindow)
{
    struct PlaceCase {
        int width, height, zoom, viewX, viewY;
        Placement want;
    };
    const PlaceCase cases[] = {
        {60, 40, 1, 0, 0, {0, 0, 0, 0, 170, 130}},      // centred
        {60, 40, 3, 0, 0, {0, 0, 0, 0, 110, 90}},
        {60, 40, 5, 5, 5, {0, 0, 0, 0, 50, 50}},        // 101 spare pixels: the odd one goes right
        {401, 301, 1, 0, 0, {0, 0, 0, 0, 0, 0}},        // exactly the extent: fits
        {402, 302, 1, 0, 0, {41, 31, 0, 0, 0, 0}},      // one pixel more: one useful step
        {1000, 800, 1, 30, 20, {100, 80, 30, 20, -300, -200}},
        {1000, 800, 1, 1000, 1000, {100, 80, 60, 50, -599, -499}},  // clamped: last column at W - 1
        {1000, 800, 3, -5, 7, {300, 240, 0, 7, 0, -70}},
        {1000, 800, 5, 460, 999, {500, 400, 460, 370, -4599, -3699}},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " zoom " << c.zoom);
        ASSERT_EQ(g_bmpPage.Create(c.width, c.height, 8, nullptr), 1);
        g_bmpChild.bmpZoom = c.zoom;
        g_bmpChild.viewX = c.viewX;
        g_bmpChild.viewY = c.viewY;
        g_bmpChild.RefreshPage();
        SizeClient(400, 300);  // with the scroll bars as the page needs them
        g_bmpChild.viewX = c.viewX;
        g_bmpChild.viewY = c.viewY;
        g_bmpChild.RefreshPage();
        EXPECT_EQ(g_bmpChild.curZoom, c.zoom);
        EXPECT_EQ(g_bmpChild.pageWidth, c.width);
        ExpectPlacement(canvas, c.want);
    }
}

TEST_F(CanvasPageTest, AFailedPageHasNoSizeAndNothingToPress)
{
    OpenSheet(PatternPicture(1000, 800));
    EXPECT_EQ(g_bmpChild.viewXMax, 100);
    EXPECT_EQ(g_bmpPage.Create(1000, 800, 16, nullptr), 0);  // refused: no pixels, old size kept
    g_bmpChild.RefreshPage();
    EXPECT_EQ(g_bmpChild.pageWidth, 0);
    EXPECT_EQ(g_bmpChild.viewXMax, 0);
    Mouse(WM_MOUSEMOVE, 10, 10);
    Mouse(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);  // the picture's sprite is there, the page is not
    Paint();
    EXPECT_TRUE(modal.Seen().empty()) << "nothing drawn or flipped";
}

TEST_F(CanvasPageTest, ScrollCodesStepTheViewAndRefreshThePlacement)
{
    struct ScrollCase {
        int code, thumb, start, want;
    };
    const ScrollCase cases[] = {
        {SB_LINEUP, 0, 10, 9},       {SB_LINEDOWN, 0, 10, 11},      {SB_PAGEUP, 0, 10, 2},
        {SB_PAGEDOWN, 0, 10, 18},    {SB_THUMBTRACK, 33, 10, 33},   {SB_THUMBPOSITION, 33, 10, 10},
        {SB_ENDSCROLL, 0, 10, 10},   {SB_TOP, 0, 10, 10},           {SB_PAGEUP, 0, 3, 0},
        {SB_PAGEDOWN, 0, 45, 53},  // vertically past the useful range: RefreshPage clamps to 50
    };
    OpenSheet(PatternPicture(1000, 800));  // useful ranges 0..60 across, 0..50 down
    for (UINT message : {WM_HSCROLL, WM_VSCROLL}) {
        int& view = message == WM_HSCROLL ? g_bmpChild.viewX : g_bmpChild.viewY;
        int& start = message == WM_HSCROLL ? g_bmpChild.pageLeft : g_bmpChild.pageTop;
        int last = message == WM_HSCROLL ? 60 : 50;
        for (const ScrollCase& c : cases) {
            SCOPED_TRACE(testing::Message() << message << " code " << c.code << " from " << c.start);
            view = c.start;
            g_bmpChild.RefreshPage();
            SendMessageA(canvas, message, MAKEWPARAM(c.code, c.thumb), 0);
            EXPECT_EQ(view, std::min(c.want, last));
            EXPECT_EQ(start, view == last ? (message == WM_HSCROLL ? 401 - 1000 : 301 - 800) : -10 * view);
        }
    }
}

TEST_F(CanvasPageTest, ZoomInDoublesTheViewAndThePlacementClampsIt)
{
    OpenSheet(PatternPicture(1000, 800));
    for (int z = 1; z < 4; ++z) DispatchCommand(window, ID_ZOOM_IN, 0);
    g_bmpChild.viewX = 360;  // the last useful step at zoom 4
    g_bmpChild.RefreshPage();
    ASSERT_EQ(g_bmpChild.viewX, 360);
    DispatchCommand(window, ID_ZOOM_IN, 0);
    EXPECT_EQ(g_bmpChild.curZoom, 5);
    EXPECT_EQ(g_bmpChild.viewX, 460) << "720 clamped to the last useful step at zoom 5";
    EXPECT_EQ(g_bmpChild.pageLeft, 401 - 5000);
    DispatchCommand(window, ID_ZOOM_OUT, 0);
    EXPECT_EQ(g_bmpChild.viewX, 230);
    EXPECT_EQ(g_bmpChild.pageLeft, -2300);
}

// A drag held 30 pixels left of the canvas scrolls one ten-pixel step every 60 ms until release.
TEST_F(CanvasPageTest, AutoScrollStepsWhileADragIsHeldOutside)
{
    OpenSheet(PatternPicture(1000, 800));
    g_bmpChild.viewX = 30;
    g_bmpChild.RefreshPage();
    POINT press = WindowPoint(350, 100);
    Mouse(WM_LBUTTONDOWN, press.x, press.y, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, -30, press.y, MK_LBUTTON);
    EXPECT_EQ(g_bmpChild.cutRect.x2, 270);
    ASSERT_TRUE(g_autoScroll.active);
    struct Tick {
        DWORD now;
        int viewX;
    };
    for (Tick t : {Tick{5000, 29}, Tick{5059, 29}, Tick{5060, 28}, Tick{5119, 28}, Tick{5120, 27}}) {
        g_testNow = t.now;
        g_autoScroll.Tick();
        PumpMessages();
        EXPECT_EQ(g_bmpChild.viewX, t.viewX) << t.now;
        EXPECT_EQ(g_bmpChild.pageLeft, -10 * t.viewX);
    }
    Mouse(WM_MOUSEMOVE, -30, press.y, MK_LBUTTON);
    EXPECT_EQ(g_bmpChild.cutRect.x2, 240) << "the rectangle follows the scrolled sheet";
    Mouse(WM_LBUTTONUP, -30, press.y);
    EXPECT_FALSE(g_autoScroll.active);
    g_testNow = 9000;
    g_autoScroll.Tick();
    PumpMessages();
    EXPECT_EQ(g_bmpChild.viewX, 27);
}

TEST_F(CanvasPageTest, WithoutAPictureTheCanvasSaysSoInGreen)
{
    Paint();
    EXPECT_EQ(g_bmpChild.viewXMax, 0);
    EXPECT_EQ(g_bmpChild.viewYMax, 0);
    HDC context = GetDC(canvas);
    int green = 0, other = 0;
    for (int y = 130; y < 170; ++y)
        for (int x = 100; x < 300; ++x) {
            COLORREF color = GetPixel(context, x, y);
            if (color == RGB(100, 250, 0)) ++green;
            else if (color != GetSysColor(COLOR_APPWORKSPACE)) ++other;
        }
    EXPECT_EQ(GetPixel(context, 5, 5), GetSysColor(COLOR_APPWORKSPACE));
    EXPECT_EQ(GetPixel(context, 5, 150), GetSysColor(COLOR_APPWORKSPACE)) << "centred, not at the left";
    ReleaseDC(canvas, context);
    EXPECT_GT(green, 20) << "the text's pixels";
}

TEST_F(CanvasPageTest, PaintFlipsTheComposedPageAndTheCrossHairFollowsTheMouse)
{
    g_options.crossHair = 1;
    OpenSheet(PatternPicture(60, 40));
    POINT at = WindowPoint(10, 7);
    Mouse(WM_MOUSEMOVE, at.x, at.y);
    PumpMessages();
    EXPECT_EQ(g_bmpChild.crossVisible, 1);
    EXPECT_EQ(PagePixel(0, 7), 255 - sheet.At(0, 7));
    EXPECT_EQ(PagePixel(59, 7), 255 - sheet.At(59, 7));
    EXPECT_EQ(PagePixel(10, 39), 255 - sheet.At(10, 39));
    EXPECT_EQ(PagePixel(10, 7), sheet.At(10, 7)) << "inverted twice where the lines cross";
    EXPECT_EQ(PagePixel(11, 8), sheet.At(11, 8));

    // What reaches the window is the page in the sheet's colors (blue i*3, green 255-i, red i*5+1).
    HDC context = GetDC(canvas);
    COLORREF shown = GetPixel(context, WindowPoint(20, 20).x, WindowPoint(20, 20).y);
    ReleaseDC(canvas, context);
    int i = sheet.At(20, 20);
    EXPECT_EQ(shown, RGB(uint8_t(i * 5 + 1), uint8_t(255 - i), uint8_t(i * 3)));

    g_options.crossHair = 0;
    Mouse(WM_MOUSEMOVE, at.x, at.y);
    Paint();
    EXPECT_EQ(g_bmpChild.crossVisible, 0);
    EXPECT_EQ(PagePixel(0, 7), sheet.At(0, 7));
}

TEST_F(CanvasPageTest, AdjustViewDragsTheAnchorUntilARightClick)
{
    auto* image = static_cast<uint8_t*>(std::malloc(1));
    image[0] = 3;
    ASSERT_EQ(workSet.NewSpace(1, 1, image, 0), 1);
    ASSERT_EQ(g_animPage.Create(300, 200, 8, nullptr), 1);
    g_bmpChild.editMode = 1;
    DispatchCommand(window, ID_ADJUST_VIEW, 0);
    ASSERT_EQ(g_bmpChild.adjustView, 1);
    g_bmpChild.RefreshPage();
    POINT outside = {g_bmpChild.pageLeft - 5, g_bmpChild.pageTop};
    Mouse(WM_LBUTTONDOWN, outside.x, outside.y, MK_LBUTTON);
    EXPECT_EQ(g_bmpChild.adjustDrag, 0) << "a press beside the page";
    Drag({100, 100}, {130, 90});
    EXPECT_EQ(g_bmpChild.anchorX, 180);
    EXPECT_EQ(g_bmpChild.anchorY, 140);
    EXPECT_EQ(g_bmpChild.adjustDrag, 0);
    EXPECT_EQ(g_bmpChild.cutState, 0) << "the cut rectangle is not touched";
    Mouse(WM_RBUTTONDOWN, 0, 0, MK_RBUTTON);
    EXPECT_EQ(g_bmpChild.adjustView, 0);
}

// A sheet larger than the window is composed and flipped only where the window shows it; the
// screen holds what composing and flipping the whole page would put there, partial blocks at the
// edges and an outline crossing the window's edge included.
TEST_F(CanvasPageTest, ALargeSheetShowsWhatTheWholePageWould)
{
    OpenSheet(PatternPicture(1000, 800));
    g_options.crossHair = 1;
    for (int zoom : {1, 3}) {
        SCOPED_TRACE(zoom);
        if (zoom == 3) {
            DispatchCommand(window, ID_ZOOM_IN, 0);
            DispatchCommand(window, ID_ZOOM_IN, 0);
        }
        g_bmpChild.viewX = 7;  // at zoom 3 the first shown page pixel is cut: 70 = 3 * 23 + 1
        g_bmpChild.viewY = 5;
        g_bmpChild.RefreshPage();
        Mouse(WM_LBUTTONDOWN, 50, 50, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, -20, 100, MK_LBUTTON);  // beyond the left edge
        Mouse(WM_LBUTTONUP, -20, 100);
        g_bmpChild.crossVisible = 1;
        g_bmpChild.crossX = 120;
        g_bmpChild.crossY = 70;
        Paint();
        std::vector<uint32_t> shown = ScreenPixels(canvas);

        ASSERT_EQ(g_bmpPage.DrawSpriteOpaque(0, 0, &pictureSet.sprites[0], 0, 0, 0), 1);
        g_bmpChild.DrawCutRect();
        g_bmpChild.DrawCrossHair(120, 70);
        ASSERT_EQ(g_bmpPage.FlipAt(canvas, g_bmpChild.pageLeft, g_bmpChild.pageTop, zoom), 1);
        EXPECT_TRUE(ScreenPixels(canvas) == shown);
        Mouse(WM_RBUTTONDOWN, 0, 0, MK_RBUTTON);
    }
}

// A paint validates whatever the system asked to repaint (an invalid client area, an internal
// paint, a frame), so the system stops asking; a paint the mouse handlers post, with nothing
// invalid, still composes and flips. A handler that left any of these pending would be handed
// WM_PAINT again and again.
TEST_F(CanvasPageTest, EveryKindOfRepaintIsValidatedAndShowsThePage)
{
    OpenSheet(PatternPicture(60, 40));
    PumpMessages();
    const POINT at = WindowPoint(20, 20);
    const int i = sheet.At(20, 20);
    const COLORREF pageColor = RGB(uint8_t(i * 5 + 1), uint8_t(255 - i), uint8_t(i * 3));
    const UINT kinds[] = {RDW_INVALIDATE | RDW_ERASE, RDW_INTERNALPAINT, RDW_INVALIDATE | RDW_FRAME, 0};
    for (UINT kind : kinds) {
        SCOPED_TRACE(testing::Message() << "redraw flags " << kind);
        HDC context = GetDC(canvas);
        SetPixel(context, at.x, at.y, RGB(1, 2, 3));  // a stale pixel the paint must cover
        ReleaseDC(canvas, context);
        if (kind != 0)
            RedrawWindow(canvas, nullptr, nullptr, kind);
        else
            PostMessageA(canvas, WM_PAINT, 0, 0);  // as the mouse handlers ask
        PumpMessages(50);
        MSG pending;
        EXPECT_FALSE(PeekMessageA(&pending, canvas, WM_PAINT, WM_PAINT, PM_NOREMOVE)) << "asked to repaint again";
        EXPECT_FALSE(GetUpdateRect(canvas, nullptr, FALSE));
        context = GetDC(canvas);
        EXPECT_EQ(GetPixel(context, at.x, at.y), pageColor);
        ReleaseDC(canvas, context);
    }
}
