// The selection strip: geometry, scrolling, hit testing, painting, selecting and dragging.
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "app/document.h"
#include "app/pages.h"
#include "kit/clock.h"
#include "panels/info_window.h"
#include "tests/gui/document_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "views/auto_scroll.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

DWORD t_now = 0;
DWORD TestClock() { return t_now; }

// The strip under a plain parent window, kept on top so its pixels can be read back.
class SelectionTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "StripParent";
        RegisterClassA(&windowClass);
        parent = CreateWindowExA(WS_EX_TOPMOST, "StripParent", "", WS_POPUP | WS_VISIBLE, 0, 0,
                                 800, 300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        ASSERT_EQ(g_selChild.Create(parent), 1);
        SetClientWidth(400);
    }
    void TearDown() override
    {
        g_autoScroll.End();
        DestroyWindow(parent);
        MainWindowTest::TearDown();
    }

    // Sizes the strip so that its client area is `width` pixels wide (W = width + 1).
    void SetClientWidth(int width)
    {
        RECT frame, client;
        GetWindowRect(g_selChild.window, &frame);
        GetClientRect(g_selChild.window, &client);
        int borderX = (frame.right - frame.left) - client.right;
        int borderY = (frame.bottom - frame.top) - client.bottom;
        MoveWindow(g_selChild.window, 0, 0, width + borderX, 100 + borderY, TRUE);
        PumpMessages();
    }

    void Show(const std::vector<SpriteSize>& sizes)
    {
        OpenDocument(sizes);
    }

    LRESULT Mouse(UINT message, int x, int y)
    {
        return SendMessageA(g_selChild.window, message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON,
                            MAKELPARAM(x, y));
    }

    void Scroll(int code, int thumb = 0)
    {
        SendMessageA(g_selChild.window, WM_HSCROLL, MAKEWPARAM(code, thumb), 0);
    }

    // The color on screen at a point of the strip's client area.
    COLORREF ScreenPixel(int x, int y)
    {
        HDC dc = GetDC(g_selChild.window);
        COLORREF color = GetPixel(dc, x, y);
        ReleaseDC(g_selChild.window, dc);
        return color;
    }

    // Paints the strip now.
    void Repaint()
    {
        RedrawWindow(g_selChild.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpMessages();
    }

    HWND parent = nullptr;
};

struct HitProbe {
    int x, y, hit;
};

void ExpectHits(const std::vector<HitProbe>& probes)
{
    for (const HitProbe& probe : probes)
        EXPECT_EQ(g_selChild.HitTest(probe.x, probe.y), probe.hit) << "at " << probe.x << ", " << probe.y;
}

// Colors of the fixed palette that pages get while no palette is loaded: 1, 2 and 3 are blues.
const COLORREF kSpriteColors[] = {RGB(0, 0, 85), RGB(0, 0, 170), RGB(0, 0, 255)};

}  // namespace

TEST_F(SelectionTest, SlotsFollowEachOtherFromTheStripsLeftEdge)
{
    Show({{32, 10}, {16, 10}, {48, 10}});
    EXPECT_EQ(g_selChild.stripWidth, 186);
    EXPECT_EQ(g_selChild.stripLeft, 0);
    EXPECT_EQ(g_selChild.scrollMax, 0) << "a strip narrower than the window does not scroll";
    // Thumbnails start at 15, 77 and 123; each is hit from its first column to one past its
    // last, from the row above it to its last row.
    ExpectHits({{14, 25, -1}, {15, 25, 0}, {47, 25, 0}, {48, 25, -1}, {76, 25, -1}, {77, 25, 1},
                {93, 25, 1}, {94, 25, -1}, {122, 25, -1}, {123, 25, 2}, {171, 25, 2},
                {172, 25, -1}, {20, 18, -1}, {20, 19, 0}, {20, 29, 0}, {20, 30, -1}});
}

TEST_F(SelectionTest, AtAQuarterAThreePixelSpriteIsHitOnOneColumn)
{
    g_selChild.scale = 0.25f;
    Show({{3, 40}, {8, 40}});
    EXPECT_EQ(g_selChild.ThumbWidth(0), 0);
    EXPECT_EQ(g_selChild.stripWidth, 2 + 60) << "trunc(11 * 0.25) + 2 slots of 2 gaps";
    ExpectHits({{14, 20, -1}, {15, 20, 0}, {16, 20, -1}, {15, 29, 0}, {15, 30, -1},
                {44, 20, -1}, {45, 20, 1}, {47, 20, 1}, {48, 20, -1}});
}

TEST_F(SelectionTest, EmptySetHitsNothingAndPressesFallThrough)
{
    Show({});
    EXPECT_EQ(g_selChild.stripWidth, 0);
    EXPECT_EQ(g_selChild.HitTest(15, 25), -1);
    Mouse(WM_LBUTTONDOWN, 15, 25);
    EXPECT_EQ(g_selChild.dragging, 0);
    EXPECT_NE(GetCapture(), g_selChild.window);
    Repaint();  // "Sprite Select Window", and the scratch page released
    EXPECT_EQ(g_selPage.pixels, nullptr);
}

// Ten sprites 50 wide in a window 101 wide (client right 100): slots of 80, a strip of 800,
// scroll range 0..80, last useful position 70.
TEST_F(SelectionTest, ScrollCodesMoveAndClampThePosition)
{
    SetClientWidth(100);
    Show(std::vector<SpriteSize>(10, {50, 10}));
    EXPECT_EQ(g_selChild.stripWidth, 800);
    EXPECT_EQ(g_selChild.scrollMax, 80);
    struct Step {
        int code, thumb, position, stripLeft;
    };
    const Step steps[] = {
        {SB_LINERIGHT, 0, 1, -10},   {SB_PAGERIGHT, 0, 11, -110}, {SB_LINELEFT, 0, 10, -100},
        {SB_PAGELEFT, 0, 0, 0},      {SB_LINELEFT, 0, 0, 0},      {SB_THUMBTRACK, 33, 33, -330},
        {SB_ENDSCROLL, 0, 33, -330}, {SB_THUMBTRACK, 200, 70, 101 - 800},
    };
    for (const Step& step : steps) {
        Scroll(step.code, step.thumb);
        EXPECT_EQ(g_selChild.scrollPos, step.position) << "code " << step.code;
        EXPECT_EQ(g_selChild.stripLeft, step.stripLeft) << "code " << step.code;
    }
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(g_selChild.window, SB_HORZ, &info);
    EXPECT_EQ(info.nMax, 80);
    EXPECT_EQ(int(info.nPage), 11);
    EXPECT_EQ(info.nPos, 70);
}

TEST_F(SelectionTest, SelectingScrollsJustFarEnoughInTenPixelSteps)
{
    SetClientWidth(100);
    Show(std::vector<SpriteSize>(10, {50, 10}));
    struct Case {
        int sprite, position;
    };
    // Sprite 3 spans 255..305 of the strip: 21 steps bring its right edge to 95 (20 leave it at
    // 105, past the window). Sprite 0 (15..65) then needs 20 steps back; sprite 9 (735..785)
    // 68 steps on, where it stays in view when selected again; sprite 8 (655..705) is 4 steps
    // back.
    const Case cases[] = {{3, 21}, {0, 1}, {9, 69}, {9, 69}, {8, 65}, {-1, 65}, {10, 65}};
    for (const Case& c : cases) {
        SelectSprite(c.sprite);
        EXPECT_EQ(g_selChild.scrollPos, c.position) << "sprite " << c.sprite;
    }
    EXPECT_EQ(g_document.Current(), 8) << "numbers outside the set select nothing";
    EXPECT_EQ(g_selChild.stripLeft, -650);
}

TEST_F(SelectionTest, DraggingAThumbnailMovesTheCurrentSpriteWhereItIsDropped)
{
    // Thumbnails at 15, 77, 123 and 201; widths tell the sprites apart.
    const int centres[] = {30, 85, 140, 205};
    struct Case {
        int from, to;  // -1: released on no thumbnail
        std::vector<int> order;
        int current;
        bool moved;
    };
    // A press on a thumbnail only selects it; a drop on itself or off every thumbnail moves nothing.
    const Case cases[] = {
        {0, 2, {16, 48, 32, 8}, 2, true},
        {3, 0, {8, 32, 16, 48}, 0, true},
        {1, 1, {32, 16, 48, 8}, 1, false},
        {1, -1, {32, 16, 48, 8}, 1, false},
    };
    for (const Case& c : cases) {
        Show({{32, 10}, {16, 10}, {48, 10}, {8, 10}});
        modal.ClearSeen();
        Mouse(WM_LBUTTONDOWN, centres[c.from], 25);
        EXPECT_EQ(g_document.Current(), c.from) << "a press selects at once";
        EXPECT_EQ(g_selChild.dragging, 1);
        EXPECT_EQ(GetCapture(), g_selChild.window);
        const int dropX = c.to >= 0 ? centres[c.to] : 5;
        Mouse(WM_MOUSEMOVE, dropX, 25);
        Mouse(WM_LBUTTONUP, dropX, 25);
        EXPECT_EQ(Widths(workSet), c.order) << c.from << " -> " << c.to;
        EXPECT_EQ(g_document.Current(), c.current);
        EXPECT_EQ(g_document.Modified(), c.moved);
        EXPECT_EQ(g_selChild.dragging, 0);
        EXPECT_NE(GetCapture(), g_selChild.window);
        EXPECT_TRUE(modal.Seen().empty());
    }
}

TEST_F(SelectionTest, DraggingPastAnEdgeScrollsTheStripOneStepAPeriod)
{
    g_clock = TestClock;
    SetClientWidth(100);
    Show(std::vector<SpriteSize>(10, {50, 10}));
    Mouse(WM_LBUTTONDOWN, 30, 25);
    Mouse(WM_MOUSEMOVE, 100, 25);  // the client's right edge
    EXPECT_EQ(g_autoScroll.active, 1);
    EXPECT_EQ(g_autoScroll.target, g_selChild.window);
    EXPECT_EQ(g_autoScroll.dx, 1);
    EXPECT_EQ(g_autoScroll.dy, 0);
    t_now = 1000;
    g_autoScroll.Tick();
    t_now = 1060;
    g_autoScroll.Tick();
    PumpMessages();
    EXPECT_EQ(g_selChild.scrollPos, 2);

    Mouse(WM_MOUSEMOVE, 0, 25);  // the left edge
    EXPECT_EQ(g_autoScroll.dx, -1);
    Mouse(WM_MOUSEMOVE, 50, 25);
    EXPECT_EQ(g_autoScroll.active, 0);
    Mouse(WM_MOUSEMOVE, 120, 25);
    Mouse(WM_LBUTTONUP, 120, 25);
    EXPECT_EQ(g_autoScroll.active, 0) << "the release ends auto-scrolling";
}

TEST_F(SelectionTest, DoubleClickOnAThumbnailOpensTheEditModePage)
{
    Show({{32, 10}, {16, 10}, {48, 10}});
    Mouse(WM_LBUTTONDBLCLK, 5, 25);  // between thumbnails: nothing
    EXPECT_EQ(SendMessageA(g_infoChild.tabControl, TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(g_bmpChild.editMode, 0);
    Mouse(WM_LBUTTONDBLCLK, 130, 25);
    EXPECT_EQ(SendMessageA(g_infoChild.tabControl, TCM_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(g_bmpChild.editMode, 1);
}

TEST_F(SelectionTest, PaintShowsEachThumbnailAndTheCurrentLabelInRed)
{
    Show({{32, 10}, {16, 10}, {48, 10}});
    SelectSprite(1);
    Repaint();
    EXPECT_EQ(g_selPage.width, 48);
    EXPECT_EQ(g_selPage.height, 10);
    const int starts[] = {15, 77, 123};
    const int widths[] = {32, 16, 48};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ScreenPixel(starts[i], 20), kSpriteColors[i]) << "thumbnail " << i;
        EXPECT_EQ(ScreenPixel(starts[i] + widths[i] - 1, 29), kSpriteColors[i]);
        // The label row above: red pixels over the current sprite only.
        int red = 0;
        for (int y = 0; y < 19; ++y)
            for (int x = starts[i] - 15; x < starts[i] + widths[i] + 15; ++x)
                red += ScreenPixel(x, y) == RGB(250, 0, 0);
        EXPECT_EQ(red > 0, i == 1) << "label " << i;
    }
}

TEST_F(SelectionTest, AScratchPageThatWasRefusedIsMadeAgain)
{
    // Sets of ordinary, huge (the largest width by the largest height passes the page's limit)
    // and empty sprites, as sprite files bring them.
    const std::vector<std::vector<SpriteSize>> sets = {
        {{32, 10}, {16, 10}, {48, 10}},
        {{20000, 1}, {1, 20000}},
        {{32, 10}, {16, 10}, {48, 10}},
        {{0, 0}},
        {{32, 10}, {16, 10}, {48, 10}},
    };
    for (size_t s = 0; s < sets.size(); ++s) {
        Show(sets[s]);
        Repaint();
        if (sets[s].size() == 3) {
            ASSERT_NE(g_selPage.pixels, nullptr) << "set " << s;
            EXPECT_EQ(g_selPage.width, 48);
            const int starts[] = {15, 77, 123};
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(ScreenPixel(starts[i], 25), kSpriteColors[i])
                    << "set " << s << ", thumbnail " << i;
        } else {
            EXPECT_EQ(g_selPage.pixels, nullptr) << "set " << s << ": no page to draw on";
        }
    }
}

// A long strip, scrolled anywhere at any scale, shows what painting every slot would: the paint
// draws only the slots the window shows, and a label or thumbnail that reaches in from beyond an
// edge is drawn all the same. The reference draws every label (by the same rule) and every
// thumbnail of the set on a cleared window.
TEST_F(SelectionTest, ALongStripShowsWhatPaintingEverySlotWould)
{
    std::vector<SpriteSize> sizes;
    for (int i = 0; i < 1200; ++i) sizes.push_back({1 + (i * 37) % 61, 5 + i % 20});
    Show(sizes);
    SelectSprite(601);
    for (float scale : {0.25f, 1.0f, 3.0f}) {
        for (int position : {0, 37, 1234, 5001, 1 << 20}) {
            SCOPED_TRACE(testing::Message() << "scale " << scale << ", position " << position);
            g_selChild.scale = scale;
            g_selChild.scrollPos = position;
            g_selChild.UpdateScroll();
            Repaint();
            const std::vector<uint32_t> painted = ScreenPixels(g_selChild.window);

            HDC dc = GetDC(g_selChild.window);
            RECT client;
            GetClientRect(g_selChild.window, &client);
            FillRect(dc, &client, g_selChild.background);
            SetBkMode(dc, TRANSPARENT);
            int x = g_selChild.stripLeft;
            for (int i = 0; i < workSet.Count(); ++i) {
                const int width = g_selChild.ThumbWidth(i);
                x += width + 2 * g_selChild.gap;
                const std::string label = "<" + std::to_string(i) + ">";
                const int labelX = x - width / 2 - int(label.size()) * 4 - g_selChild.gap;
                if (client.left < labelX && labelX < client.right) {
                    SetTextColor(dc, i == 601 ? RGB(250, 0, 0) : RGB(0, 0, 0));
                    TextOutA(dc, labelX, 0, label.c_str(), int(label.size()));
                }
                g_selChild.DrawThumbnail(i, x - width - g_selChild.gap, g_selChild.top);
            }
            ReleaseDC(g_selChild.window, dc);
            EXPECT_TRUE(ScreenPixels(g_selChild.window) == painted);
        }
    }
}
