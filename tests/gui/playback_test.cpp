// Playback: frames from the idle loop's passes, the frame gate's pacing on the test clock, the
// wrap-once rule while playing and stepping, the frame meter and the status line, the page's
// re-creation, and the failures that stop playback.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "app/document.h"
#include "app/entry.h"
#include "app/frame_rate_box.h"
#include "app/main_window.h"
#include "app/options.h"
#include "app/pages.h"
#include "kit/clock.h"
#include "kit/status_bar.h"
#include "resources/resource.h"
#include "tests/gui/canvas_fixture.h"
#include "tests/gui/document_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "tests/gui/message_log.h"
#include "views/animation.h"
#include "views/auto_scroll.h"
#include "views/canvas.h"

namespace {

DWORD PlaybackClock() { return g_testNow; }

constexpr DWORD kStart = 100000;  // the test clock when a test begins

// The real main window with its canvas, frame-rate box and status bar, and the test clock behind
// pacing and measuring.
class PlaybackTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        g_clock = PlaybackClock;
        g_testNow = kStart;
        ASSERT_NE(g_bmpChild.window, nullptr);
        ASSERT_NE(g_fpsCombo, nullptr);
        ASSERT_NE(g_statusBar, nullptr);
        PumpMessages();
        g_appActive = 1;
    }

    // A set of `count` sprites of distinct widths, sprite i all in color i + 1; the frame rate
    // chosen as the frame-rate box sends it; Play, and whatever its paint draws.
    void Play(int count, int fps)
    {
        std::vector<SpriteSize> sizes;
        for (int i = 0; i < count; ++i) sizes.push_back({4 + i, 3});
        OpenDocument(sizes);
        for (int position = 0; position < kFrameRateCount; ++position)
            if (FrameRateAt(position) == fps) SendMessageA(g_fpsCombo, CB_SETCURSEL, WPARAM(position), 0);
        Command(ID_FPS_CHANGED, fps);
        Command(ID_PLAY);
        PumpMessages();
    }

    // One pass of the message loop once the queue is empty (the toolbar repaints its checked
    // button, for one); true when it drew a frame. A frame fills the page first, so a marker left
    // in its corner tells. When no frame is due the pass would wait: then the step that an
    // auto-scroll tick would bring along runs instead, and must draw nothing either.
    bool PassDrawsFrame()
    {
        PumpMessages();
        g_appActive = 1;  // another test's window may have taken the activation meanwhile
        uint8_t marker = uint8_t(g_options.backColor ^ 0xFF);
        g_animPage.pixels[0] = marker;
        if (LoopWaitTime() != 0) {
            g_bmpChild.AnimStep();
        } else {
            int code = 0;
            EXPECT_EQ(RunLoopPass(&code), LoopPass::Stepped);
        }
        return g_animPage.pixels[0] != marker;
    }

    // Passes until one waits, the wait ended by a thread timer should nothing else end it.
    LoopPass PassUntilItWaits()
    {
        UINT_PTR timer = SetTimer(nullptr, 0, 20, nullptr);
        int code = 0;
        LoopPass pass = LoopPass::Dispatched;
        for (int i = 0; i < 100 && pass == LoopPass::Dispatched; ++i) pass = RunLoopPass(&code);
        KillTimer(nullptr, timer);
        return pass;
    }

    // The color where the last frame's sprite has its top-left pixel: which sprite the frame
    // drew there (sprite i is all i + 1).
    int SpriteAtAnchor() const
    {
        const Sprite& shown = workSet.sprites[g_bmpChild.animFrame];
        int x = g_bmpChild.anchorX + shown.rx, y = g_bmpChild.anchorY + shown.ry;
        return g_animPage.pixels[y * g_animPage.pitch + x] - 1;
    }

    std::string StatusText() const
    {
        char text[256] = "";
        SendMessageA(g_statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return text;
    }
};

TEST_F(PlaybackTest, NoDelayDrawsOneFramePerPassWithoutTheClock)
{
    Play(4, 0);
    for (int pass = 0; pass < 9; ++pass) {
        int before = g_bmpChild.animFrame;
        EXPECT_TRUE(PassDrawsFrame()) << "pass " << pass;
        EXPECT_EQ(g_bmpChild.animFrame, (before + 1) % 4);
        EXPECT_EQ(SpriteAtAnchor(), g_bmpChild.animFrame);
    }
}

TEST_F(PlaybackTest, FramesAtFiveFpsComeOnTheirScheduleAndTheLoopWaitsForThem)
{
    Play(3, 5);
    ASSERT_EQ(g_frameInterval, 200);
    // Play's paint drew the first frame at kStart; the next is due 200 ms later.
    PassDrawsFrame();
    struct Step {
        DWORD advance;
        bool frame;
        DWORD wait;  // what the loop waits for after the pass
    };
    const Step steps[] = {
        {0, false, 200},  {199, false, 1}, {1, true, 200},  {0, false, 200}, {150, false, 50},
        {49, false, 1},   {1, true, 200},
        {215, true, 185},   // late: the frame after it stays due on the schedule
        {185, true, 200},
        {1000, true, 200},  // a whole period late or more: the schedule starts again from now
        {199, false, 1},  {1, true, 200},
    };
    for (const Step& step : steps) {
        g_testNow += step.advance;
        int before = g_bmpChild.animFrame;
        SCOPED_TRACE(testing::Message() << "at " << g_testNow - kStart << " ms");
        EXPECT_EQ(PassDrawsFrame(), step.frame);
        EXPECT_EQ(g_bmpChild.animFrame, step.frame ? (before + 1) % 3 : before);
        EXPECT_EQ(LoopWaitTime(), step.wait);
    }
}

TEST_F(PlaybackTest, TheScheduleCountsTimeAcrossTheClocksWrap)
{
    g_framePeriod = 100000;   // 10 fps
    g_testNow = 0xFFFFFFC0u;  // 64 ms before the clock wraps
    StartFrameClock();
    EXPECT_EQ(FrameGate(), 1);
    g_testNow = 30;  // 94 ms later
    EXPECT_EQ(FrameGate(), 0);
    EXPECT_EQ(FrameGateOpensIn(), 6u);
    g_testNow = 36;  // 100 ms later
    EXPECT_EQ(FrameGate(), 1);
    EXPECT_EQ(FrameGateOpensIn(), 100u);
}

// At 30 fps: a frame late by more than a period but less than 100 ms keeps the schedule (the next
// frame comes at once); one later than that starts it again from now.
TEST_F(PlaybackTest, TheScheduleCatchesUpAShortDelayAndStartsAgainAfterALongOne)
{
    g_framePeriod = 33333;
    g_testNow = kStart;
    StartFrameClock();
    struct Gate {
        DWORD at;  // ms after the start
        int opens;
        DWORD next;  // ms until it opens again
    };
    const Gate gates[] = {
        {0, 1, 33},   {32, 0, 1},   {33, 1, 33},
        {120, 1, 0},  // 53 ms late: the frame due at 100 is already due too
        {120, 1, 13}, {133, 1, 33},
        {300, 1, 33},  // 134 ms late: from now on
        {333, 1, 33},
    };
    for (const Gate& gate : gates) {
        g_testNow = kStart + gate.at;
        EXPECT_EQ(FrameGate(), gate.opens) << "at " << gate.at;
        EXPECT_EQ(FrameGateOpensIn(), gate.next) << "at " << gate.at;
    }
}

// On a machine whose timer ticks every 15.6 ms (the default while no program asks for a finer
// period) the clock reads only at the ticks and a timed wait ends at the first tick after its
// time. The loop runs over simulated time: a pass runs when a step is due, and otherwise time
// moves on by the wait the loop asks for, to the tick that ends it. The frames drawn keep the
// chosen rate, and the rates the status line shows stay within a frame or two of it.
DWORD g_simulatedMicros = 0;
constexpr DWORD kTickMicros = 15625;
DWORD TickClock() { return g_simulatedMicros / kTickMicros * kTickMicros / 1000; }

TEST_F(PlaybackTest, ShownRatesHoldOnACoarseTimerTick)
{
    struct Case {
        int fps;
        int low, high;  // the rates the status line may show
    };
    const Case cases[] = {{30, 29, 31}, {60, 58, 62}, {10, 10, 10}, {5, 5, 5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fps << " fps");
        g_simulatedMicros = 200000000;  // 200 s after the system started
        g_clock = TickClock;
        Play(4, c.fps);
        const DWORD end = g_simulatedMicros + 10000000;
        std::vector<int> shown = {g_measuredFps};
        int frames = 0, passes = 0;
        while (g_simulatedMicros < end && ++passes < 100000) {
            PumpMessages();
            g_appActive = 1;
            const DWORD wait = LoopWaitTime();
            ASSERT_NE(wait, INFINITE);
            if (wait == 0) {
                int before = g_bmpChild.animFrame, code = 0;
                ASSERT_EQ(RunLoopPass(&code), LoopPass::Stepped);
                if (g_bmpChild.animFrame != before) ++frames;
                if (shown.back() != g_measuredFps) shown.push_back(g_measuredFps);
                continue;
            }
            const DWORD woken = g_simulatedMicros + wait * 1000;
            g_simulatedMicros = (woken + kTickMicros - 1) / kTickMicros * kTickMicros;
        }
        EXPECT_NEAR(frames, c.fps * 10, 1) << "frames drawn in 10 s";
        ASSERT_GE(shown.size(), 2u);
        EXPECT_EQ(shown[0], 0) << "nothing is measured until the first window has run";
        for (size_t i = 1; i < shown.size(); ++i) {
            EXPECT_GE(shown[i], c.low);
            EXPECT_LE(shown[i], c.high);
        }
        Command(ID_STOP);
    }
}

TEST_F(PlaybackTest, OneSpriteIsAlwaysFrameZero)
{
    Play(1, 0);
    for (int pass = 0; pass < 3; ++pass) {
        EXPECT_TRUE(PassDrawsFrame());
        EXPECT_EQ(g_bmpChild.animFrame, 0);
        EXPECT_EQ(SpriteAtAnchor(), 0);
    }
    Command(ID_PAUSE);
    for (int id : {ID_FORWARD, ID_BACK, ID_BACK, ID_FORWARD}) {
        Command(id);
        EXPECT_TRUE(PassDrawsFrame());
        EXPECT_EQ(g_bmpChild.animFrame, 0);
    }
}

TEST_F(PlaybackTest, PausedStepsWrapOnce)
{
    struct Case {
        int count, from;
        std::vector<int> presses;
        int shown;
    };
    const Case cases[] = {
        {3, 2, {ID_FORWARD}, 0},
        {3, 0, {ID_BACK}, 2},
        {5, 1, {ID_FORWARD, ID_FORWARD, ID_FORWARD}, 4},
        {5, 1, {ID_FORWARD, ID_FORWARD, ID_FORWARD, ID_FORWARD, ID_FORWARD}, 0},
        {5, 1, {ID_BACK, ID_BACK, ID_BACK}, 4},  // -2 lands on the last, not on 3
        {5, 3, {ID_FORWARD, ID_BACK}, 3},  // no step in all: nothing new to draw
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " sprites from " << c.from << ", "
                                        << c.presses.size() << " presses");
        Play(c.count, 0);
        Command(ID_PAUSE);
        g_bmpChild.animFrame = c.from;
        for (int id : c.presses) Command(id);
        const bool step = c.from != c.shown;
        EXPECT_EQ(PassDrawsFrame(), step);
        EXPECT_EQ(g_bmpChild.animFrame, c.shown);
        if (step) EXPECT_EQ(SpriteAtAnchor(), c.shown);
        EXPECT_EQ(g_bmpChild.pendingStep, 0);
        Command(ID_STOP);
    }
}

// Paused with no step asked for, nothing new is due: the loop blocks and draws nothing, and a
// paint shows the frame again where it is, at the anchor of now. The same paint between the
// frames of a slow rate.
TEST_F(PlaybackTest, APaintBetweenFramesShowsTheLastFrameInPlace)
{
    for (bool paused : {true, false}) {
        SCOPED_TRACE(paused ? "paused" : "at 5 fps");
        g_testNow += 1000;
        Play(4, paused ? 0 : 5);
        if (paused) Command(ID_PAUSE);
        g_bmpChild.animFrame = 2;
        PumpMessages();
        EXPECT_EQ(LoopWaitTime(), paused ? INFINITE : 200u);
        EXPECT_FALSE(PassDrawsFrame());
        EXPECT_EQ(PassUntilItWaits(), LoopPass::Waited);

        g_bmpChild.anchorX += 7;
        uint8_t marker = uint8_t(g_options.backColor ^ 0xFF);
        g_animPage.pixels[0] = marker;
        InvalidateRect(g_bmpChild.window, nullptr, TRUE);
        PumpMessages();
        EXPECT_NE(g_animPage.pixels[0], marker) << "the paint drew the page";
        EXPECT_EQ(g_bmpChild.animFrame, 2) << "without stepping";
        EXPECT_EQ(SpriteAtAnchor(), 2);
        Command(ID_STOP);
    }
}

TEST_F(PlaybackTest, PlayResumesAfterTheSpriteShownLast)
{
    Play(5, 0);
    g_bmpChild.animFrame = 0;
    EXPECT_TRUE(PassDrawsFrame());
    EXPECT_EQ(g_bmpChild.animFrame, 1) << "at start-up the first frame shows sprite 1";
    EXPECT_TRUE(PassDrawsFrame());
    Command(ID_STOP);
    PumpMessages();
    EXPECT_FALSE(PassDrawsFrame()) << "stopped: no frames";
    Command(ID_PLAY);
    PumpMessages();  // Play's paint draws the next frame
    EXPECT_EQ(g_bmpChild.animFrame, 3);
    EXPECT_TRUE(PassDrawsFrame());
    EXPECT_EQ(g_bmpChild.animFrame, 4);
}

// The rate is frames times 1000 over the window's milliseconds, rounded. A window runs from a
// frame to the first frame 1000 ms or more after it; the first frame after Play begins one, and
// so does a frame that comes after a pause of a second or more.
TEST_F(PlaybackTest, TheMeterDividesFramesByTheWindowsTime)
{
    struct Run {
        int frames;  // frames counted, evenly over...
        DWORD span;  // ...this many milliseconds after the last frame of the run before
        int shown;   // the rate shown after the last of them
    };
    const Run runs[] = {
        {1, 0, 0},        // the first frame after Play begins the first window: nothing yet
        {10, 1100, 9},    // 10 frames in 1100 ms (the product n x d / 1000 showed 11)
        {30, 1000, 30},
        {59, 1020, 58},   // 57.8
        {3, 1200, 3},     // 2.5 rounds up
        {1, 4000, 3},     // a frame after 4 s begins a window and shows the rate before
        {25, 1000, 25},   // measured from that frame, not over the pause
        {11, 1000, 11},
    };
    g_testNow = 10775999;  // about three hours after the system started
    StartFrameClock();
    for (const Run& run : runs) {
        const DWORD from = g_testNow;
        int shown = -1;
        for (int i = 1; i <= run.frames; ++i) {
            g_testNow = from + run.span * DWORD(i) / DWORD(run.frames);
            shown = FrameMeter();
        }
        EXPECT_EQ(shown, run.shown) << run.frames << " frames over " << run.span << " ms";
    }
    StartFrameClock();  // Play again
    EXPECT_EQ(FrameMeter(), 0);
}

TEST_F(PlaybackTest, TheStatusLineShowsTheSpriteAndTheMeasuredRate)
{
    g_testNow = 61000;
    Play(3, 0);
    EXPECT_EQ(StatusText(), "Play Sprite Num :    1    FPS :   0") << "Play's own frame";
    for (int frame = 0; frame < 40; ++frame) {
        g_testNow += 25;
        PassDrawsFrame();
    }
    g_bmpChild.animFrame = 1;
    g_testNow += kStatusRepaintPace;
    PassDrawsFrame();
    EXPECT_EQ(StatusText(), "Play Sprite Num :    2    FPS :  40");
}

// Every frame sets the status line, but the bar takes a new text at most once per pace on the
// program clock; the last frame's text is shown once the pace has run or the loop goes idle,
// unless a newer text came from elsewhere.
TEST_F(PlaybackTest, TheStatusLineChangesAtMostOncePerPaceAndShowsTheLastFrame)
{
    Play(4, 0);
    MessageLog paints({g_statusBar}, {WM_PAINT});
    auto frameText = [] {
        char text[64];
        std::snprintf(text, sizeof text, "Play Sprite Num : %4d", g_bmpChild.animFrame);
        return std::string(text);
    };
    auto shownFrame = [&] { return StatusText().substr(0, frameText().size()); };
    // Passes at one moment of the clock; the number of status bar paints they caused.
    auto passes = [&](int count) {
        paints.Clear();
        for (int pass = 0; pass < count; ++pass) PassDrawsFrame();
        return paints.Messages().size();
    };

    g_testNow += kStatusRepaintPace;
    EXPECT_EQ(passes(1), 1u);
    EXPECT_EQ(shownFrame(), frameText());
    const std::string first = StatusText();
    EXPECT_EQ(passes(4), 0u) << "no new text within the pace";
    EXPECT_EQ(StatusText(), first);
    g_testNow += kStatusRepaintPace - 1;
    EXPECT_EQ(passes(2), 0u);
    g_testNow += 1;
    EXPECT_EQ(passes(1), 1u) << "the pace has run";
    EXPECT_EQ(shownFrame(), frameText());

    passes(2);  // held back again
    ASSERT_NE(shownFrame(), frameText());
    g_appActive = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, nullptr);  // ends the wait should nothing else
    int code = 0;
    LoopPass pass = LoopPass::Dispatched;
    for (int i = 0; i < 100 && pass == LoopPass::Dispatched; ++i) pass = RunLoopPass(&code);
    KillTimer(nullptr, timer);
    EXPECT_EQ(pass, LoopPass::Waited);
    EXPECT_EQ(shownFrame(), frameText()) << "the loop shows the held text before it waits";
    g_appActive = 1;

    passes(1);  // held back
    SetStatusText("Ready");
    ShowHeldStatusText();
    EXPECT_EQ(StatusText(), "Ready") << "a newer text drops the held one";
}

// What the loop waits for, and whether it holds the fine timer period meanwhile: it blocks when
// nothing runs (stopped, paused with no step asked for, the application inactive), waits for the
// next frame or scroll step while something runs, and does not wait at all at "No delay".
TEST_F(PlaybackTest, TheLoopWaitsForWhatIsDueAndBlocksWhenNothingIs)
{
    HWND canvas = g_bmpChild.window;
    struct Case {
        const char* state;
        int fps;        // -1: stopped
        bool pause, inactive;
        int scrollAgo;  // ms since the auto-scroll's last step; -1: no auto-scroll
        DWORD wait;
        bool fineTimer;
    };
    const Case cases[] = {
        {"stopped", -1, false, false, -1, INFINITE, false},
        {"stopped, auto-scrolling", -1, false, false, 20, 40, false},
        {"stopped, a scroll step due", -1, false, false, 60, 0, false},
        {"at 5 fps, 150 ms after a frame", 5, false, false, -1, 50, true},
        {"at 5 fps, auto-scrolling", 5, false, false, 45, 15, true},
        {"at No delay", 0, false, false, -1, 0, false},
        {"paused", 5, true, false, -1, INFINITE, false},
        {"paused at No delay", 0, true, false, -1, INFINITE, false},
        {"playing, inactive", 5, false, true, -1, INFINITE, false},
        {"auto-scrolling, inactive", -1, false, true, 20, INFINITE, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        g_testNow += 1000;  // the status line's last text long shown
        if (c.fps >= 0) Play(3, c.fps);
        if (c.pause) Command(ID_PAUSE);
        PumpMessages();
        g_testNow += 150;
        if (c.scrollAgo >= 0) {
            g_autoScroll.Begin(canvas, 1, 0);
            g_autoScroll.lastTick = g_testNow - DWORD(c.scrollAgo);
        }
        g_appActive = c.inactive ? 0 : 1;
        EXPECT_EQ(LoopWaitTime(), c.wait);
        int code = 0;
        LoopPass pass = c.wait == 0 ? RunLoopPass(&code) : PassUntilItWaits();
        EXPECT_EQ(pass, c.wait == 0 ? LoopPass::Stepped : LoopPass::Waited);
        EXPECT_EQ(FineTimerInUse(), c.fineTimer);
        g_autoScroll.End();
        g_appActive = 1;
        Command(ID_STOP);
        PumpMessages();
    }
    PassUntilItWaits();
    EXPECT_FALSE(FineTimerInUse()) << "given back once stopped";

    // A status text held back is due a pace after the last one shown, and shown then.
    g_testNow += 1000;
    SetStatusTextPaced("shown");
    SetStatusTextPaced("held");
    g_testNow += 40;
    EXPECT_EQ(LoopWaitTime(), kStatusRepaintPace - 40);
    EXPECT_EQ(StatusText(), "shown");
    g_testNow += kStatusRepaintPace - 40;
    PumpMessages();
    int code = 0;
    EXPECT_EQ(RunLoopPass(&code), LoopPass::Stepped);
    EXPECT_EQ(StatusText(), "held");
    EXPECT_EQ(LoopWaitTime(), INFINITE);
}

TEST_F(PlaybackTest, TheLoopBlocksWhileInactiveAndDrawsNothing)
{
    Play(3, 0);
    g_appActive = 0;
    int before = g_bmpChild.animFrame;
    uint8_t marker = uint8_t(g_options.backColor ^ 0xFF);
    g_animPage.pixels[0] = marker;
    EXPECT_EQ(PassUntilItWaits(), LoopPass::Waited);
    EXPECT_EQ(g_animPage.pixels[0], marker);
    EXPECT_EQ(g_bmpChild.animFrame, before);
    PumpMessages();
    g_appActive = 1;  // active again: the next pass draws
    EXPECT_TRUE(PassDrawsFrame());

    PostQuitMessage(7);
    int code = 0;
    LoopPass pass = LoopPass::Dispatched;
    for (int i = 0; i < 100 && pass != LoopPass::Quit; ++i) pass = RunLoopPass(&code);
    EXPECT_EQ(pass, LoopPass::Quit);
    EXPECT_EQ(code, 7);
}

TEST_F(PlaybackTest, ZoomAndAnchorApplyToTheNextFrame)
{
    Play(2, 0);
    Command(ID_ZOOM_IN);
    Command(ID_ZOOM_IN);
    Command(ID_ZOOM_IN);
    PumpMessages();
    EXPECT_EQ(g_bmpChild.animZoom, 3);
    EXPECT_TRUE(PassDrawsFrame());
    EXPECT_EQ(g_animPage.zoom, 3);

    Command(ID_ADJUST_VIEW);
    PumpMessages();
    ASSERT_EQ(g_bmpChild.adjustView, 1);
    g_bmpChild.anchorX = 40;
    g_bmpChild.anchorY = 30;
    EXPECT_TRUE(PassDrawsFrame());
    EXPECT_EQ(SpriteAtAnchor(), g_bmpChild.animFrame);
}

TEST_F(PlaybackTest, ResolutionChangeRecreatesThePage)
{
    // Stopped and outside edit mode: OK re-creates the page at the new size.
    modal.Answer(IDOK, {ClickControl(IDC_MODE_320X200)});
    Command(ID_OPTIONS);
    EXPECT_EQ(g_animPage.width, 320);
    EXPECT_EQ(g_animPage.height, 200);
    EXPECT_EQ(g_bmpChild.playing, 0);

    // A hand-set anchor off the page goes to the centre; the next Play re-creates the page again.
    g_bmpChild.anchorX = 0;
    g_bmpChild.anchorY = 500;
    g_animPage.Release();
    Play(2, 0);
    EXPECT_NE(g_animPage.pixels, nullptr);
    EXPECT_EQ(g_animPage.width, 320);
    EXPECT_EQ(g_bmpChild.anchorX, 160);
    EXPECT_EQ(g_bmpChild.anchorY, 100);

    modal.Answer(IDOK, {ClickControl(IDC_MODE_1024X768)});
    Command(ID_OPTIONS);
    PumpMessages();
    EXPECT_EQ(g_animPage.width, 1024);
    EXPECT_EQ(g_animPage.height, 768);
    EXPECT_TRUE(PassDrawsFrame());
}

TEST_F(PlaybackTest, APageThatCannotBeMadeStopsPlayback)
{
    g_bmpChild.animWidth = 0;  // no page can be that size
    modal.Answer(IDOK);
    modal.Answer(IDOK);
    Play(2, 0);
    // Play's own paint finds no page and stops.
    ASSERT_EQ(modal.Seen().size(), 2u);
    EXPECT_EQ(modal.Seen()[0].text, "Animation Page 초기화 실패");
    EXPECT_EQ(modal.Seen()[1].caption, "Message");
    EXPECT_EQ(modal.Seen()[1].text, "에니메이션 페이지가 초기화 되지 않았습니다.");
    EXPECT_EQ(g_bmpChild.playing, 0);
    PumpMessages();
    g_appActive = 1;
    EXPECT_EQ(LoopWaitTime(), INFINITE) << "and stays stopped";
    EXPECT_EQ(PassUntilItWaits(), LoopPass::Waited);
    EXPECT_EQ(modal.Seen().size(), 2u) << "no further box";
}

}  // namespace
