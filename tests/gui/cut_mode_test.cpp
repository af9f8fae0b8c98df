// Cut mode on the real canvas: rectangles dragged, moved, confirmed and cancelled with mouse
// messages at window coordinates; the sprites they make, checked against the sheet's pixels, and
// the rectangle as the composed page shows it.
#include <cstdlib>

#include "app/commands.h"
#include "app/document.h"
#include "app/options.h"
#include "resources/resource.h"
#include "tests/gui/canvas_fixture.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

using CutModeTest = CanvasTest;

constexpr int kSheetWidth = 60, kSheetHeight = 40;

struct DragCase {
    int zoom;
    POINT from, to;
};

void ZoomTo(HWND owner, int zoom)
{
    for (int z = 1; z < zoom; ++z) DispatchCommand(owner, ID_ZOOM_IN, 0);
    ASSERT_EQ(g_bmpChild.curZoom, zoom);
}

}  // namespace

TEST_F(CutModeTest, DragAndDoubleClickCutExactlyTheRectangle)
{
    const DragCase cases[] = {
        {1, {10, 5}, {20, 12}}, {3, {10, 5}, {20, 12}},
        {1, {20, 12}, {10, 5}}, {3, {20, 12}, {10, 5}},  // bottom-right to top-left: the same sprite
        {2, {7, 9}, {7, 9}},                              // press and release in place: one pixel
    };
    OpenSheet(PatternPicture(kSheetWidth, kSheetHeight));
    int widths = 0;
    for (const DragCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "zoom " << c.zoom << " from " << c.from.x << "," << c.from.y);
        while (g_bmpChild.bmpZoom > 1) DispatchCommand(window, ID_ZOOM_OUT, 0);
        ZoomTo(window, c.zoom);
        int count = workSet.Count();
        Drag(c.from, c.to);
        EXPECT_EQ(g_bmpChild.cutState, 2);
        int left = std::min(c.from.x, c.to.x), right = std::max(c.from.x, c.to.x);
        int top = std::min(c.from.y, c.to.y), bottom = std::max(c.from.y, c.to.y);
        Paint();  // the rectangle is an inverted outline over the sheet (one column wide: none)
        int inverted = right > left ? 255 : 0;
        EXPECT_EQ(PagePixel(left, top), std::abs(inverted - sheet.At(left, top)));
        EXPECT_EQ(PagePixel(right, bottom), std::abs(inverted - sheet.At(right, bottom)));
        if (right - left > 1 && bottom - top > 1) EXPECT_EQ(PagePixel(left + 1, top + 1), sheet.At(left + 1, top + 1));

        DoubleClick(c.to);
        ASSERT_EQ(workSet.Count(), count + 1);
        const Sprite& made = workSet.sprites[count];
        EXPECT_EQ(made.width, right - left + 1);
        EXPECT_EQ(made.height, bottom - top + 1);
        EXPECT_EQ(made.compressed, 0);
        EXPECT_EQ(made.mx, made.width / 2);
        EXPECT_EQ(made.my, made.height / 2);
        EXPECT_EQ(made.hitCount + made.atckCount, 0);
        EXPECT_EQ(SpritePixels(count), PictureRegion(sheet, left, top, right, bottom));
        EXPECT_TRUE(g_document.Modified());
        EXPECT_EQ(g_document.Current(), count) << "the new sprite is the current one";
        widths += made.width;
        EXPECT_EQ(g_selChild.stripWidth, widths + (count + 1) * 2 * 15) << "the strip has its slot";
        EXPECT_EQ(g_bmpChild.cutState, 2) << "the rectangle stays shown";
        Mouse(WM_RBUTTONDOWN, 0, 0, MK_RBUTTON);
    }
    EXPECT_TRUE(modal.Seen().empty());
}

TEST_F(CutModeTest, MovingTheShownRectangleAndTheDoubleClickThatPutsItBack)
{
    OpenSheet(PatternPicture(kSheetWidth, kSheetHeight));
    ZoomTo(window, 3);
    Drag({10, 10}, {20, 15});
    // (+5, -3) page pixels: 15 window pixels right and 9 up at zoom 3.
    POINT press = WindowPoint(30, 30);  // a press outside the rectangle moves it too
    Mouse(WM_LBUTTONDOWN, press.x, press.y, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, press.x + 15, press.y - 9, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, press.x + 15, press.y - 9);
    PumpMessages();
    EXPECT_EQ(g_bmpChild.cutRect.x1, 15);
    EXPECT_EQ(g_bmpChild.cutRect.y1, 7);
    EXPECT_EQ(g_bmpChild.cutRect.x2, 25);
    EXPECT_EQ(g_bmpChild.cutRect.y2, 12);
    Paint();
    EXPECT_EQ(PagePixel(15, 7), 255 - sheet.At(15, 7));
    EXPECT_EQ(PagePixel(10, 10), sheet.At(10, 10)) << "the old outline is gone";

    // The first click of a double click moves the rectangle by (+2, +1); the double-click
    // message puts it back before cutting.
    POINT a = WindowPoint(20, 10), b = WindowPoint(22, 11);
    Mouse(WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, b.x, b.y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, b.x, b.y);
    Mouse(WM_LBUTTONDBLCLK, b.x, b.y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, b.x, b.y);
    EXPECT_EQ(g_bmpChild.cutRect.x1, 15);
    EXPECT_EQ(g_bmpChild.cutRect.y2, 12);
    ASSERT_EQ(workSet.Count(), 1);
    EXPECT_EQ(SpritePixels(0), PictureRegion(sheet, 15, 7, 25, 12));
}

TEST_F(CutModeTest, RightClickCancelsAndLetsTheMouseGo)
{
    OpenSheet(PatternPicture(kSheetWidth, kSheetHeight));
    POINT a = WindowPoint(10, 10), b = WindowPoint(20, 15);
    Mouse(WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, b.x, b.y, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), canvas);
    Mouse(WM_RBUTTONDOWN, b.x, b.y, MK_LBUTTON | MK_RBUTTON);
    EXPECT_EQ(g_bmpChild.cutState, 0);
    EXPECT_NE(GetCapture(), canvas);
    Mouse(WM_LBUTTONUP, b.x, b.y);
    EXPECT_EQ(g_bmpChild.cutState, 0) << "the release after a cancel stays idle";
    Paint();
    EXPECT_EQ(PagePixel(10, 10), sheet.At(10, 10));
    EXPECT_EQ(PagePixel(20, 15), sheet.At(20, 15));

    Drag({10, 10}, {20, 15});
    Mouse(WM_RBUTTONDOWN, b.x, b.y, MK_RBUTTON);  // from the shown state too
    EXPECT_EQ(g_bmpChild.cutState, 0);
    EXPECT_EQ(workSet.Count(), 0);
}

TEST_F(CutModeTest, PressesDoNothingWithoutAPicture)
{
    Mouse(WM_LBUTTONDOWN, 10, 10, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 10, 10);
    EXPECT_EQ(g_bmpChild.cutState, 0);
    EXPECT_NE(GetCapture(), canvas);
}

TEST_F(CutModeTest, ARectangleReachingOutsideThePictureAddsNothing)
{
    OpenSheet(PatternPicture(kSheetWidth, kSheetHeight));
    Drag({50, 30}, {kSheetWidth + 5, kSheetHeight + 2});
    modal.Answer(IDOK);
    DoubleClick({kSheetWidth + 5, kSheetHeight + 2});
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].caption, "Error Messages...");
    EXPECT_EQ(modal.Seen()[0].text, "이미지 포인터가 NULL입니다(At Insert)");
    EXPECT_EQ(workSet.Count(), 0);
    EXPECT_FALSE(g_document.Modified());
    EXPECT_EQ(g_bmpChild.cutState, 2) << "the rectangle stays";
}

TEST_F(CutModeTest, CreationOptionsCompressAndAddWholeSpriteBoxes)
{
    struct OptionsCase {
        int compress, hit, atck;
        POINT to;
    };
    const OptionsCase cases[] = {
        {1, 0, 0, {20, 12}}, {0, 1, 0, {20, 12}}, {0, 0, 1, {20, 12}}, {1, 1, 1, {20, 12}},
        {0, 1, 1, {10, 5}},  // one pixel: both boxes (0, 0, 0, 0)
    };
    OpenSheet(PatternPicture(kSheetWidth, kSheetHeight));
    int n = 0;
    for (const OptionsCase& c : cases) {
        SCOPED_TRACE(n);
        g_options.compressSprites = c.compress;
        g_options.autoHitBox = c.hit;
        g_options.autoAtckBox = c.atck;
        Drag({10, 5}, c.to);
        DoubleClick(c.to);
        ASSERT_EQ(workSet.Count(), n + 1);
        const Sprite& made = workSet.sprites[n];
        int w = c.to.x - 10 + 1, h = c.to.y - 5 + 1;
        EXPECT_EQ(made.compressed, c.compress);
        if (!c.compress) EXPECT_EQ(made.imageSize, uint32_t(w * h));
        EXPECT_EQ(SpritePixels(n), PictureRegion(sheet, 10, 5, c.to.x, c.to.y));
        EXPECT_EQ(made.hitCount, c.hit);
        EXPECT_EQ(made.atckCount, c.atck);
        for (const BoxRect* box : {made.hitCount ? made.hitBoxes : nullptr, made.atckCount ? made.atckBoxes : nullptr}) {
            if (box == nullptr) continue;
            EXPECT_EQ(box->x1, 0);
            EXPECT_EQ(box->y1, 0);
            EXPECT_EQ(box->x2, w - 1);
            EXPECT_EQ(box->y2, h - 1);
        }
        Mouse(WM_RBUTTONDOWN, 0, 0, MK_RBUTTON);
        ++n;
    }
}

// A sprite file keeps widths in 16 signed bits: a cut 32768 pixels wide is refused with a message
// and nothing added; 32767 is the widest that is cut. The sheet is scrolled under the held drag.
TEST_F(CutModeTest, ACutWiderThanTheSpriteFileCanHoldIsRefused)
{
    OpenSheet(PatternPicture(32768, 1));
    struct WideCase {
        int startX;
        int added;
    };
    for (WideCase c : {WideCase{0, 0}, WideCase{1, 1}}) {
        SCOPED_TRACE(c.startX);
        SendMessageA(canvas, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0), 0);
        POINT a = WindowPoint(c.startX, 0);
        Mouse(WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
        SendMessageA(canvas, WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 30000), 0);  // clamped to the end
        POINT b = WindowPoint(32767, 0);
        Mouse(WM_MOUSEMOVE, b.x, b.y, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, b.x, b.y);
        ASSERT_EQ(g_bmpChild.cutRect.x2, 32767);
        if (!c.added) modal.Answer(IDOK);
        modal.ClearSeen();
        DoubleClick({32767, 0});
        ASSERT_EQ(workSet.Count(), c.added);
        EXPECT_EQ(g_document.Modified(), c.added == 1);
        if (c.added) {
            EXPECT_EQ(workSet.sprites[0].width, 32767);
            EXPECT_TRUE(modal.Seen().empty());
        } else {
            ASSERT_EQ(modal.Seen().size(), 1u);
            EXPECT_EQ(modal.Seen()[0].caption, "Error Messages...");
            EXPECT_EQ(modal.Seen()[0].text, "스프라이트가 너무 큽니다(32768 x 1): 가로와 세로는 32767 이하여야 합니다");
        }
        Mouse(WM_RBUTTONDOWN, b.x, b.y, MK_RBUTTON);
    }
}
