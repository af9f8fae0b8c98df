// A drag whose mouse capture is lost (a message box, Alt+Tab, menu mode) or cancelled ends as if
// it never began: nothing half-applied, nothing stuck to the next mouse move.
#include <functional>
#include <string>
#include <vector>

#include "app/document.h"
#include "app/pages.h"
#include "panels/edit_mode_window.h"
#include "resources/resource.h"
#include "tests/gui/canvas_fixture.h"
#include "tests/gui/document_helpers.h"
#include "views/auto_scroll.h"
#include "views/canvas.h"
#include "views/edit_mode_dialog.h"
#include "views/selection.h"

namespace {

using CaptureLossTest = CanvasTest;

// The two ways a drag is broken off: another window takes the mouse, or the system cancels the
// mode (the window gets WM_CANCELMODE).
enum class Loss { kCaptureTaken, kCancelMode };

void LoseCapture(HWND dragged, Loss loss)
{
    if (loss == Loss::kCancelMode) {
        SendMessageA(dragged, WM_CANCELMODE, 0, 0);
        return;
    }
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetCapture(other);
    ReleaseCapture();
    DestroyWindow(other);
}

}  // namespace

TEST_F(CaptureLossTest, EveryDragEndsCleanWhenItsCaptureGoes)
{
    struct Case {
        const char* what;
        std::function<void()> start;   // presses and moves, leaving the button held
        std::function<void()> expect;  // after the loss and one more move without a button
    };
    PixelRect shownBefore = {};
    int rxBefore = 0;
    POINT anchorBefore = {};
    auto editPage = [&](int tool) {
        OpenDocument({{20, 16}});
        g_bmpChild.SetPageSize(300, 200);
        g_bmpChild.EnterEditMode();
        SendMessageW(g_editMode.dialog, WM_COMMAND, WPARAM(tool), 0);
    };
    const Case cases[] = {
        {"a new cut rectangle",
         [&] {
             POINT a = WindowPoint(10, 10), b = WindowPoint(20, 15);
             Mouse(WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
             Mouse(WM_MOUSEMOVE, b.x, b.y, MK_LBUTTON);
         },
         [&] { EXPECT_EQ(g_bmpChild.cutState, kCutIdle) << "the rectangle being drawn goes"; }},
        {"a cut rectangle being moved",
         [&] {
             Drag({10, 10}, {20, 15});
             shownBefore = g_bmpChild.cutRect;
             POINT a = WindowPoint(12, 12), b = WindowPoint(30, 25);
             Mouse(WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
             Mouse(WM_MOUSEMOVE, b.x, b.y, MK_LBUTTON);
         },
         [&] {
             EXPECT_EQ(g_bmpChild.cutState, kCutShown);
             const PixelRect& now = g_bmpChild.cutRect;
             EXPECT_EQ(std::vector<int>({now.x1, now.y1, now.x2, now.y2}),
                       std::vector<int>({shownBefore.x1, shownBefore.y1, shownBefore.x2, shownBefore.y2}))
                 << "back where the move began";
         }},
        {"a box being drawn",
         [&] {
             editPage(IDC_TOOL_HIT_BOX);
             Mouse(WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
             Mouse(WM_MOUSEMOVE, 130, 120, MK_LBUTTON);
             ASSERT_EQ(workSet.sprites[0].hitCount, 1);
         },
         [&] {
             EXPECT_EQ(workSet.sprites[0].hitCount, 0) << "no box is left";
             EXPECT_FALSE(g_document.Modified());
             EXPECT_FALSE(g_document.CanUndo());
         }},
        {"a relative coordinate being moved",
         [&] {
             editPage(IDC_TOOL_RELATIVE);
             rxBefore = workSet.sprites[0].rx;
             Mouse(WM_LBUTTONDOWN, 100, 100, MK_LBUTTON);
             Mouse(WM_MOUSEMOVE, 140, 100, MK_LBUTTON);
             ASSERT_NE(workSet.sprites[0].rx, rxBefore);
         },
         [&] {
             EXPECT_EQ(workSet.sprites[0].rx, rxBefore) << "the coordinate is restored";
             EXPECT_FALSE(g_document.Modified());
         }},
        {"the anchor being adjusted",
         [&] {
             editPage(IDC_TOOL_RELATIVE);
             g_bmpChild.StartAdjustView();
             anchorBefore = {g_bmpChild.anchorX, g_bmpChild.anchorY};
             POINT a = WindowPoint(50, 50), b = WindowPoint(80, 60);
             Mouse(WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
             Mouse(WM_MOUSEMOVE, b.x, b.y, MK_LBUTTON);
             ASSERT_NE(g_bmpChild.anchorX, anchorBefore.x);
         },
         [&] {
             EXPECT_EQ(g_bmpChild.anchorX, anchorBefore.x);
             EXPECT_EQ(g_bmpChild.anchorY, anchorBefore.y);
             EXPECT_EQ(g_bmpChild.adjustDrag, 0);
         }},
    };
    for (Loss loss : {Loss::kCaptureTaken, Loss::kCancelMode}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (loss == Loss::kCancelMode ? ", cancelled" : ", capture taken"));
            g_bmpChild.EndAdjustView();
            g_bmpChild.LeaveEditMode();
            g_bmpChild.DropCutRect();
            OpenSheet(PatternPicture(60, 40));
            c.start();
            // Held beyond the edge, so the auto-scroll runs too.
            Mouse(WM_MOUSEMOVE, -5, 40, MK_LBUTTON);
            EXPECT_EQ(GetCapture(), canvas);
            LoseCapture(canvas, loss);
            Mouse(WM_MOUSEMOVE, 60, 60, 0);  // the button is up: nothing follows the mouse
            PumpMessages();
            c.expect();
            EXPECT_NE(GetCapture(), canvas);
            EXPECT_EQ(g_autoScroll.active, 0);
            EXPECT_EQ(g_bmpChild.editState == kEditDragging, false);
        }
    }
    EXPECT_TRUE(modal.Seen().empty());
}

TEST_F(CaptureLossTest, AStripDragThatLosesTheMouseMovesNothing)
{
    OpenDocument({{32, 10}, {16, 10}, {48, 10}});
    MoveWindow(g_selChild.window, 0, 0, 400, 100, TRUE);
    g_selChild.UpdateScroll();
    for (Loss loss : {Loss::kCaptureTaken, Loss::kCancelMode}) {
        SendMessageA(g_selChild.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 25));
        SendMessageA(g_selChild.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(140, 25));
        ASSERT_EQ(g_selChild.dragging, 1);
        LoseCapture(g_selChild.window, loss);
        EXPECT_EQ(g_selChild.dragging, 0);
        // The release that follows (or the next press) moves nothing.
        SendMessageA(g_selChild.window, WM_LBUTTONUP, 0, MAKELPARAM(140, 25));
        EXPECT_EQ(Widths(workSet), (std::vector<int>{32, 16, 48}));
        EXPECT_FALSE(g_document.Modified());
    }
}

TEST_F(CaptureLossTest, ADoubleClickWithNoRectangleShownCutsNothing)
{
    OpenSheet(PatternPicture(60, 40));
    Drag({10, 10}, {20, 15});
    DoubleClick({15, 12});  // a rectangle is shown: it is cut
    ASSERT_EQ(workSet.Count(), 1);
    Mouse(WM_RBUTTONDOWN, 0, 0, MK_RBUTTON);
    DoubleClick({40, 30});  // none shown: the press starts a new one, the double click cuts nothing
    EXPECT_EQ(workSet.Count(), 1);
    EXPECT_TRUE(modal.Seen().empty());
}
