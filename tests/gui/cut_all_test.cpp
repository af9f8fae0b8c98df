// Edit > Cut All on the real canvas: every figure of the sheet (or of the cut rectangle shown) cut
// into sprites with the creation options, in reading order, as one step the strip shows at once.
#include <string>
#include <vector>

#include "app/document.h"
#include "app/options.h"
#include "resources/resource.h"
#include "tests/gui/canvas_fixture.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

using CutAllTest = CanvasTest;

struct Rect {
    int x1, y1, x2, y2;
};

// Figures B, A and C on a blank 60 x 40 sheet; read as text is, they come A, B, C (B starts a
// row higher than A, but within A's rows).
const Rect kA = {5, 5, 14, 12}, kB = {30, 4, 39, 9}, kC = {8, 25, 20, 33};

TestPicture FigureSheet()
{
    TestPicture picture{60, 40, 1, Bytes(60 * 40, 0)};
    for (const Rect& r : {kA, kB, kC})
        for (int y = r.y1; y <= r.y2; ++y)
            for (int x = r.x1; x <= r.x2; ++x) picture.pixels[size_t(y) * 60 + x] = uint8_t(1 + (x * 7 + y * 3) % 250);
    return picture;
}

}  // namespace

TEST_F(CutAllTest, EveryFigureInReadingOrderWithTheCreationOptionsAsOneStep)
{
    OpenSheet(FigureSheet());
    g_options.compressSprites = 1;
    g_options.autoHitBox = 1;
    g_options.autoAtckBox = 0;
    Command(ID_CUT_ALL);
    EXPECT_TRUE(modal.Seen().empty());
    ASSERT_EQ(workSet.Count(), 3);
    int widths = 0;
    for (int n = 0; n < 3; ++n) {
        SCOPED_TRACE(n);
        const Rect r = n == 0 ? kA : n == 1 ? kB : kC;
        const Sprite& made = workSet.sprites[n];
        EXPECT_EQ(made.width, r.x2 - r.x1 + 1);
        EXPECT_EQ(made.height, r.y2 - r.y1 + 1);
        EXPECT_EQ(made.compressed, 1);
        EXPECT_EQ(made.hitCount, 1);
        EXPECT_EQ(made.atckCount, 0);
        EXPECT_EQ(SpritePixels(n), PictureRegion(sheet, r.x1, r.y1, r.x2, r.y2));
        widths += made.width;
    }
    EXPECT_EQ(g_selChild.stripWidth, widths + 3 * 2 * 15) << "the strip has their slots";
    EXPECT_EQ(g_document.Current(), 0) << "the first of them is current";
    EXPECT_EQ(g_document.UndoName(), "Cut 3 sprites");
    Command(ID_UNDO);
    EXPECT_EQ(workSet.Count(), 0) << "one Undo takes them all back";
    EXPECT_EQ(g_selChild.stripWidth, 0);
}

// With a rectangle shown, only what lies inside it: A whole, the part of C inside; the rectangle
// stays shown. A rectangle over blank pixels, or no sheet at all, is said in a message.
TEST_F(CutAllTest, TheCutRectangleBoundsIt)
{
    Command(ID_CUT_ALL);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].text, "비트맵 파일을 먼저 읽으세요");

    OpenSheet(FigureSheet());
    Drag(POINT{14, 28}, POINT{0, 0});
    ASSERT_EQ(g_bmpChild.cutState, kCutShown);
    Command(ID_CUT_ALL);
    ASSERT_EQ(workSet.Count(), 2);
    EXPECT_EQ(SpritePixels(0), PictureRegion(sheet, kA.x1, kA.y1, kA.x2, kA.y2));
    EXPECT_EQ(SpritePixels(1), PictureRegion(sheet, kC.x1, kC.y1, 14, 28));
    EXPECT_EQ(g_bmpChild.cutState, kCutShown);

    Mouse(WM_RBUTTONDOWN, 0, 0, MK_RBUTTON);
    Drag(POINT{45, 15}, POINT{55, 35});
    modal.ClearSeen();
    Command(ID_CUT_ALL);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].text, "사각형 안에 잘라낼 그림이 없습니다");
    EXPECT_EQ(workSet.Count(), 2);
}
