// The selection strip: geometry, scrolling, hit testing, selecting and dragging thumbnails.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/globals.h"
#include "tests/gui/gui_fixture.h"

namespace {

struct SpriteSize {
    int width, height;
};

// Fills workSet with raw sprites of the given sizes; sprite i is painted all in colour i + 1.
void MakeSprites(const std::vector<SpriteSize>& sizes)
{
    workSet.Clear();
    for (size_t i = 0; i < sizes.size(); ++i) {
        size_t bytes = size_t(sizes[i].width) * size_t(sizes[i].height);
        auto* image = static_cast<uint8_t*>(std::malloc(bytes > 0 ? bytes : 1));
        std::memset(image, int(i + 1), bytes);
        ASSERT_EQ(workSet.Insert(int(i), sizes[i].width, sizes[i].height, image, 0), 1);
    }
}

// The strip under a plain parent window, its client area `clientWidth` pixels wide.
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
        parent = CreateWindowA("StripParent", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 800,
                               300, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        ASSERT_EQ(g_selChild.Create(parent), 1);
        SetClientWidth(400);
    }
    void TearDown() override
    {
        DestroyWindow(parent);
        MainWindowTest::TearDown();
    }

    void SetClientWidth(int width)
    {
        RECT window, client;
        GetWindowRect(g_selChild.window, &window);
        GetClientRect(g_selChild.window, &client);
        int borderX = (window.right - window.left) - client.right;
        int borderY = (window.bottom - window.top) - client.bottom;
        MoveWindow(g_selChild.window, 0, 0, width + borderX, 100 + borderY, TRUE);
        PumpMessages(0);
    }

    HWND parent = nullptr;
};

}  // namespace

TEST_F(SelectionTest, SlotsFollowEachOtherFromTheStripsLeftEdge)
{
    MakeSprites({{32, 10}, {16, 10}, {48, 10}});
    g_selChild.UpdateScroll();
    EXPECT_EQ(g_selChild.stripWidth, 186);
    EXPECT_EQ(g_selChild.stripLeft, 0);
    EXPECT_EQ(g_selChild.scrollMax, 0) << "a strip narrower than the window does not scroll";
    // Thumbnails start at 15, 77 and 123: each is hit from its first column to one past its last.
    struct Probe {
        int x, hit;
    };
    const Probe probes[] = {{14, -1}, {15, 0}, {47, 0}, {48, -1}, {76, -1}, {77, 1},
                            {93, 1},  {94, -1}, {122, -1}, {123, 2}, {171, 2}, {172, -1}};
    for (const Probe& probe : probes) EXPECT_EQ(g_selChild.HitTest(probe.x, 25), probe.hit) << probe.x;
    // One row above the thumbnail up to its last row plus one.
    EXPECT_EQ(g_selChild.HitTest(20, 18), -1);
    EXPECT_EQ(g_selChild.HitTest(20, 19), 0);
    EXPECT_EQ(g_selChild.HitTest(20, 29), 0);
    EXPECT_EQ(g_selChild.HitTest(20, 30), -1);
}
