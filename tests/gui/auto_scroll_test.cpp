// The auto-scroll repeater, driven by a test clock instead of the multimedia timer.
#include "kit/clock.h"
#include "tests/gui/gui_fixture.h"
#include "views/auto_scroll.h"

namespace {

DWORD t_now = 0;
DWORD TestClock() { return t_now; }

struct ScrollCounter {
    int left = 0, right = 0, up = 0, down = 0;
};
ScrollCounter t_counted;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HSCROLL) (wParam == SB_LINEUP ? t_counted.left : t_counted.right)++;
    if (message == WM_VSCROLL) (wParam == SB_LINEUP ? t_counted.up : t_counted.down)++;
    return DefWindowProcA(window, message, wParam, lParam);
}

class AutoScrollTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_clock = TestClock;
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = CountingProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ScrollTarget";
        RegisterClassA(&windowClass);
        target = CreateWindowA("ScrollTarget", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(target, nullptr);
    }
    void TearDown() override { DestroyWindow(target); }

    HWND target = nullptr;
};

}  // namespace

TEST_F(AutoScrollTest, StepsOncePerDirectionEverySixtyMilliseconds)
{
    AutoScroll& repeater = g_autoScroll;
    t_now = 1000;
    repeater.Tick();  // idle: nothing
    PumpMessages();
    EXPECT_EQ(t_counted.left + t_counted.right + t_counted.up + t_counted.down, 0);

    repeater.Begin(target, -1, 1);
    repeater.Tick();
    PumpMessages();
    EXPECT_EQ(t_counted.left, 1);
    EXPECT_EQ(t_counted.down, 1);

    t_now = 1059;  // 59 ms later: too early
    repeater.Tick();
    PumpMessages();
    EXPECT_EQ(t_counted.left, 1);

    t_now = 1060;
    repeater.Tick();
    repeater.Tick();  // the same moment again: no second step
    PumpMessages();
    EXPECT_EQ(t_counted.left, 2);
    EXPECT_EQ(t_counted.down, 2);
    EXPECT_EQ(t_counted.right + t_counted.up, 0);

    repeater.End();
    t_now = 5000;
    repeater.Tick();
    PumpMessages();
    EXPECT_EQ(t_counted.left, 2);
}

TEST_F(AutoScrollTest, SurvivesTheClockWrappingAround)
{
    AutoScroll& repeater = g_autoScroll;
    t_now = 0xFFFFFFF0u;
    repeater.Begin(target, 1, 0);
    repeater.Tick();
    t_now = 0x00000020u;  // 48 ms later, across the wrap
    repeater.Tick();
    t_now = 0x0000002Cu;  // 60 ms after the first step
    repeater.Tick();
    PumpMessages();
    EXPECT_EQ(t_counted.right, 2);
}
