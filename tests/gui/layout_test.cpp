// The main window's layout: toolbar, frame-rate box, status bar and the work area at several sizes;
// the split bars keeping the information window's width and the lower pane's height, dragged past
// either edge, and the four view modes with the return to All.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "app/frame_rate_box.h"
#include "app/main_window.h"
#include "app/split_bar.h"
#include "app/toolbar.h"
#include "kit/status_bar.h"
#include "panels/info_window.h"
#include "panels/work_windows.h"
#include "resources/resource.h"
#include "tests/gui/layout_helpers.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

constexpr int kBar = 7;  // both bars' thickness

class LayoutTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        infoWidth = WidthOf(RectInParent(g_infoChild.window));
        lowerHeight = HeightOf(RectInParent(g_subWork2.window));
        toolbarHeight = HeightOf(RectInParent(g_toolbar));
    }

    // Everything where it belongs for the current client size, with the information window
    // `keptInfo` wide and the lower pane `keptLower` high wherever there is room for them.
    void ExpectLayout(int keptInfo, int keptLower)
    {
        const RECT client = ClientOf(window);
        const int width = WidthOf(client);
        const RECT toolbar = RectInParent(g_toolbar);
        const RECT status = RectInParent(g_statusBar);
        EXPECT_EQ(toolbar.left, 0);
        EXPECT_EQ(toolbar.top, 0);
        EXPECT_EQ(WidthOf(toolbar), width);
        EXPECT_EQ(status.left, 0);
        EXPECT_EQ(status.bottom, client.bottom);
        EXPECT_EQ(WidthOf(status), width);

        const RECT box = RectInParent(g_fpsCombo);
        EXPECT_EQ(GetParent(g_fpsCombo), g_toolbar);
        EXPECT_EQ(box.left, 460);
        EXPECT_EQ(box.top, 1);
        EXPECT_EQ(WidthOf(box), 100);

        const RECT work = RectInParent(g_work.window);
        EXPECT_EQ(work.left, 0);
        EXPECT_EQ(work.top, HeightOf(toolbar));
        EXPECT_EQ(WidthOf(work), width);
        EXPECT_EQ(HeightOf(work), HeightOf(client) - HeightOf(toolbar) - HeightOf(status));

        // Upper pane, bar, lower pane from top to bottom.
        const int workHeight = HeightOf(work);
        const int split = std::max(0, workHeight - kBar - keptLower);
        ExpectRect(g_subWork1.window, {0, 0, width, split});
        ExpectRect(g_workSplit.window, {0, split, width, split + kBar});
        ExpectRect(g_subWork2.window, {0, split + kBar, width, workHeight});

        // Canvas, bar, information window from left to right.
        const int view = std::max(0, width - kBar - keptInfo);
        ExpectRect(g_bmpChild.window, {0, 0, view, split});
        ExpectRect(g_viewSplit.window, {view, 0, view + kBar, split});
        ExpectRect(g_infoChild.window, {view + kBar, 0, width, split});

        // Buttons at their fixed places, the strip taking the rest of the lower pane.
        const int lower = workHeight - split - kBar;
        ExpectRect(g_subWork2.zoomInButton, {10, 10, 90, 30});
        ExpectRect(g_subWork2.zoomOutButton, {10, 40, 90, 60});
        ExpectRect(g_subWork2.deleteButton, {10, 80, 90, 100});
        ExpectRect(g_selChild.window, {100, 4, width, lower - 2});
    }

    static void ExpectRect(HWND child, RECT expected)
    {
        const RECT rect = RectInParent(child);
        EXPECT_TRUE(EqualRect(&rect, &expected))
            << "window " << child << ": (" << rect.left << ", " << rect.top << ")-(" << rect.right
            << ", " << rect.bottom << "), expected (" << expected.left << ", " << expected.top
            << ")-(" << expected.right << ", " << expected.bottom << ")";
    }

    int infoWidth = 0;
    int lowerHeight = 0;
    int toolbarHeight = 0;
};

}  // namespace

TEST_F(LayoutTest, WindowTreeHasItsClassesParentsAndCursors)
{
    struct {
        HWND window;
        HWND parent;
        const char* className;
    } tree[] = {
        {g_work.window, window, "WorkWindow"},
        {g_subWork1.window, g_work.window, "SubWork1Window"},
        {g_subWork2.window, g_work.window, "SubWork2Window"},
        {g_workSplit.window, g_work.window, "SplitBarWindow"},
        {g_bmpChild.window, g_subWork1.window, "BmpChildWindow"},
        {g_infoChild.window, g_subWork1.window, "InfoChildWindow"},
        {g_viewSplit.window, g_subWork1.window, "SplitBarWindow"},
        {g_selChild.window, g_subWork2.window, "SelChildWindow"},
    };
    for (const auto& node : tree) {
        char name[32] = "";
        ASSERT_NE(node.window, nullptr) << node.className;
        GetClassNameA(node.window, name, sizeof name);
        EXPECT_STREQ(name, node.className);
        EXPECT_EQ(GetParent(node.window), node.parent) << node.className;
    }
    EXPECT_EQ(GetDlgCtrlID(g_toolbar), IDC_TOOLBAR);
    EXPECT_EQ(GetDlgCtrlID(g_statusBar), IDC_STATUS_BAR);
    EXPECT_EQ(GetDlgCtrlID(g_fpsCombo), ID_FPS_CHANGED);
    EXPECT_TRUE(g_viewSplit.created && g_workSplit.created);
    EXPECT_EQ(g_viewSplit.orientation, kSplitVertical);
    EXPECT_EQ(g_workSplit.orientation, kSplitHorizontal);

    // Each bar shows its own cursor, loaded from the program's resources.
    for (SplitBarWindow* bar : {&g_viewSplit, &g_workSplit}) {
        const int id = bar == &g_viewSplit ? IDC_SPLIT_VERT : IDC_SPLIT_HORZ;
        EXPECT_EQ(bar->cursor, LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
        ASSERT_NE(bar->cursor, nullptr);
        EXPECT_EQ(SendMessageA(bar->window, WM_SETCURSOR, WPARAM(bar->window),
                               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
                  0);
        EXPECT_EQ(GetCursor(), bar->cursor);
    }
}

TEST_F(LayoutTest, ResizingKeepsTheInformationWidthAndTheLowerHeight)
{
    ExpectLayout(infoWidth, lowerHeight);
    EXPECT_EQ(g_viewSplit.SecondExtent(), infoWidth);
    EXPECT_EQ(g_workSplit.SecondExtent(), lowerHeight);

    // The last size is narrower than the information window: the canvas is left 0 wide.
    const SIZE sizes[] = {{900, 700}, {1200, 860}, {700, 520}, {300, 520}};
    for (const SIZE& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
        ResizeMainClient(window, size.cx, size.cy);
        ExpectLayout(infoWidth, lowerHeight);
    }
    EXPECT_EQ(WidthOf(RectInParent(g_bmpChild.window)), 0);
    EXPECT_EQ(g_viewSplit.position, 0);

    // The toolbar wrapped its buttons onto several rows; wide again, it is one row again.
    EXPECT_GT(HeightOf(RectInParent(g_toolbar)), toolbarHeight);
    ResizeMainClient(window, 900, 700);
    EXPECT_EQ(HeightOf(RectInParent(g_toolbar)), toolbarHeight);
}

TEST_F(LayoutTest, DraggingMovesTheBarsAndStopsAtTheEdges)
{
    ResizeMainClient(window, 800, 600);
    struct {
        SplitBarWindow* bar;
        int from, to;
        int expected;  // -1: the far edge, the bar's far side on it
    } drags[] = {
        {&g_viewSplit, 0, -80, g_viewSplit.position - 80},
        {&g_viewSplit, 0, 5000, -1},
        {&g_viewSplit, 3, -5000, 0},
        {&g_workSplit, 0, 40, g_workSplit.position + 40},
        {&g_workSplit, 0, 5000, -1},
        {&g_workSplit, 3, -5000, 0},
    };
    for (const auto& drag : drags) {
        SplitBarWindow& bar = *drag.bar;
        SCOPED_TRACE(testing::Message() << (&bar == &g_viewSplit ? "view" : "work") << " bar to "
                                        << drag.to);
        const RECT parent = ClientOf(bar.parent);
        const bool vertical = bar.orientation == kSplitVertical;
        const int total = vertical ? parent.right : parent.bottom;
        const int expected = drag.expected < 0 ? total - kBar : drag.expected;

        SendBarMouse(bar, WM_LBUTTONDOWN, drag.from);
        EXPECT_EQ(GetCapture(), bar.window);
        EXPECT_EQ(bar.dragging, 1);
        SendBarMouse(bar, WM_MOUSEMOVE, drag.to);
        // The mouse is held between the parent's edges, in the bar's own coordinates.
        const int low = -bar.position, high = total - bar.position - kBar;
        EXPECT_EQ(bar.dragCurrent, std::min(std::max(drag.to, low), high));
        EXPECT_EQ(bar.dragOffset, bar.dragCurrent - drag.from);
        EXPECT_EQ(bar.position, vertical ? RectInParent(bar.window).left
                                         : RectInParent(bar.window).top)
            << "the bar stays until the button comes up";
        SendBarMouse(bar, WM_LBUTTONUP, drag.to);
        EXPECT_EQ(bar.dragging, 0);
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(bar.position, expected);

        const RECT first = RectInParent(bar.firstPane);
        const RECT second = RectInParent(bar.secondPane);
        EXPECT_EQ(vertical ? WidthOf(first) : HeightOf(first), expected);
        EXPECT_EQ(vertical ? second.left : second.top, expected + kBar);
        EXPECT_EQ(vertical ? second.right : second.bottom, total);
    }
}

// A drag whose capture goes before the button comes up (another window takes it, a mode is
// cancelled, the capture is let go) ends where it began: the bar and the panes stay, the outline
// drawn on the parent is gone, and moving or releasing afterwards changes nothing.
TEST_F(LayoutTest, ADragThatLosesTheCaptureLeavesTheBarWhereItWas)
{
    ResizeMainClient(window, 800, 600);
    enum Loss { kOtherWindow, kCancelMode, kReleased };
    const struct {
        SplitBarWindow* bar;
        Loss loss;
    } cases[] = {
        {&g_viewSplit, kOtherWindow}, {&g_viewSplit, kCancelMode}, {&g_viewSplit, kReleased},
        {&g_workSplit, kOtherWindow}, {&g_workSplit, kCancelMode}, {&g_workSplit, kReleased},
    };
    for (const auto& c : cases) {
        SplitBarWindow& bar = *c.bar;
        SCOPED_TRACE(testing::Message() << (&bar == &g_viewSplit ? "view" : "work") << " bar, loss "
                                        << c.loss);
        PumpMessages(50);
        const int position = bar.position;
        const RECT first = RectInParent(bar.firstPane), second = RectInParent(bar.secondPane);
        const std::vector<uint32_t> before = ScreenPixels(bar.parent);

        SendBarMouse(bar, WM_LBUTTONDOWN, 0);
        SendBarMouse(bar, WM_MOUSEMOVE, -60);
        ASSERT_EQ(GetCapture(), bar.window);
        EXPECT_TRUE(ScreenPixels(bar.parent) != before) << "the outline is drawn";
        switch (c.loss) {
        case kOtherWindow: SetCapture(g_bmpChild.window); break;
        case kCancelMode: SendMessageA(bar.window, WM_CANCELMODE, 0, 0); break;
        case kReleased: ReleaseCapture(); break;
        }
        EXPECT_EQ(bar.dragging, 0);
        EXPECT_NE(GetCapture(), bar.window);
        ReleaseCapture();
        PumpMessages(50);
        EXPECT_TRUE(ScreenPixels(bar.parent) == before) << "the outline is gone";

        SendBarMouse(bar, WM_MOUSEMOVE, -90);
        SendBarMouse(bar, WM_LBUTTONUP, -90);
        PumpMessages(50);
        EXPECT_EQ(bar.position, position);
        const RECT firstAfter = RectInParent(bar.firstPane), secondAfter = RectInParent(bar.secondPane);
        EXPECT_TRUE(EqualRect(&first, &firstAfter));
        EXPECT_TRUE(EqualRect(&second, &secondAfter));
        EXPECT_TRUE(ScreenPixels(bar.parent) == before);

        DragBar(bar, 0, -20);  // and the next drag is an ordinary one
        EXPECT_EQ(bar.position, position - 20);
    }
}

TEST_F(LayoutTest, ADraggedBarKeepsItsPanesSizesOnResize)
{
    ResizeMainClient(window, 800, 600);
    DragBar(g_viewSplit, 0, -100);
    DragBar(g_workSplit, 0, -30);
    const int draggedInfo = WidthOf(RectInParent(g_infoChild.window));
    const int draggedLower = HeightOf(RectInParent(g_subWork2.window));
    EXPECT_EQ(draggedInfo, infoWidth + 100);
    EXPECT_EQ(draggedLower, lowerHeight + 30);
    ResizeMainClient(window, 1000, 700);
    ExpectLayout(draggedInfo, draggedLower);

    // Minimised, the work area has no size: nothing moves, and restoring finds it all in place.
    ShowWindow(window, SW_MINIMIZE);
    PumpMessages(30);
    ShowWindow(window, SW_RESTORE);
    PumpMessages(30);
    ExpectLayout(draggedInfo, draggedLower);
}

TEST_F(LayoutTest, ViewModesShowTheirPanesAndAllRestoresTheBars)
{
    ResizeMainClient(window, 800, 600);
    DragBar(g_viewSplit, 0, -50);  // the bars at a place of the user's
    HWND panes[] = {g_subWork1.window, g_subWork2.window, g_bmpChild.window, g_infoChild.window,
                    g_workSplit.window, g_viewSplit.window};
    RECT before[6];
    for (int i = 0; i < 6; ++i) before[i] = RectInParent(panes[i]);

    struct {
        int command;
        bool upper, lower, canvas, info;
        HWND fills;  // the one pane that takes its parent's whole client area
    } modes[] = {
        {ID_VIEW_BITMAP, true, false, true, false, g_bmpChild.window},
        {ID_VIEW_INFO, true, false, false, true, g_infoChild.window},
        {ID_VIEW_SELECTION, false, true, true, true, g_subWork2.window},
    };
    const int viewCommands[] = {ID_VIEW_ALL, ID_VIEW_BITMAP, ID_VIEW_INFO, ID_VIEW_SELECTION};
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.command);
        Command(mode.command);
        EXPECT_EQ(Shown(g_subWork1.window), mode.upper);
        EXPECT_EQ(Shown(g_subWork2.window), mode.lower);
        EXPECT_EQ(Shown(g_bmpChild.window), mode.canvas);
        EXPECT_EQ(Shown(g_infoChild.window), mode.info);
        EXPECT_TRUE(Shown(g_selChild.window));
        EXPECT_EQ(g_workSplit.visible, 0);
        EXPECT_FALSE(Shown(g_workSplit.window));
        if (mode.upper) {
            EXPECT_EQ(g_viewSplit.visible, 0);
            EXPECT_FALSE(Shown(g_viewSplit.window));
            ExpectRect(g_subWork1.window, ClientOf(g_work.window));
        }
        ExpectRect(mode.fills, ClientOf(GetParent(mode.fills)));

        for (int command : viewCommands) {
            const bool marked = command == mode.command;
            EXPECT_EQ((GetMenuState(g_mainMenu, UINT(command), MF_BYCOMMAND) & MF_CHECKED) != 0,
                      marked)
                << command;
            EXPECT_EQ(SendMessageA(g_toolbar, TB_ISBUTTONCHECKED, WPARAM(command), 0) != 0, marked)
                << command;
        }
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(g_mainMenu, UINT(mode.command), FALSE, &item);
        EXPECT_TRUE(item.fType & MFT_RADIOCHECK);

        Command(ID_VIEW_ALL);
        for (int i = 0; i < 6; ++i) {
            EXPECT_TRUE(Shown(panes[i])) << i;
            ExpectRect(panes[i], before[i]);
        }
        EXPECT_EQ(g_viewSplit.visible, 1);
        EXPECT_EQ(g_workSplit.visible, 1);
        EXPECT_TRUE(SendMessageA(g_toolbar, TB_ISBUTTONCHECKED, ID_VIEW_ALL, 0));
        EXPECT_TRUE(GetMenuState(g_mainMenu, ID_VIEW_ALL, MF_BYCOMMAND) & MF_CHECKED);
    }
}

TEST_F(LayoutTest, ResizingInAViewModeKeepsTheWidthsForTheReturnToAll)
{
    ResizeMainClient(window, 800, 600);
    Command(ID_VIEW_BITMAP);
    ResizeMainClient(window, 1000, 700);
    ExpectRect(g_bmpChild.window, ClientOf(g_subWork1.window));
    Command(ID_VIEW_ALL);
    ExpectLayout(infoWidth, lowerHeight);
}
