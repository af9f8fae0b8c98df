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
    // in its corner tells.
    bool PassDrawsFrame()
    {
        PumpMessages();
        g_appActive = 1;  // another test's window may have taken the activation meanwhile
        uint8_t marker = uint8_t(g_options.backColor ^ 0xFF);
        g_animPage.pixels[0] = marker;
        int code = 0;
        EXPECT_EQ(RunLoopPass(&code), LoopPass::Stepped);
        return g_animPage.pixels[0] != marker;
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

TEST_F(PlaybackTest, FramesAtFiveFpsComeNoCloserThanTheInterval)
{
    Play(3, 5);
    ASSERT_EQ(g_frameInterval, 200);
    // From here the gate last opened at kStart (Play's paint, or the first pass).
    PassDrawsFrame();
    struct Step {
        DWORD advance;
        bool frame;
    };
    const Step steps[] = {
        {0, false}, {199, false}, {1, true},  {0, false}, {150, false},
        {49, false}, {1, true},  {1000, true}, {199, false}, {1, true},
    };
    for (const Step& step : steps) {
        g_testNow += step.advance;
        int before = g_bmpChild.animFrame;
        SCOPED_TRACE(testing::Message() << "at " << g_testNow - kStart << " ms");
        EXPECT_EQ(PassDrawsFrame(), step.frame);
        EXPECT_EQ(g_bmpChild.animFrame, step.frame ? (before + 1) % 3 : before);
    }
}

TEST_F(PlaybackTest, TheGateCountsTimeAcrossTheClocksWrap)
{
    g_frameInterval = 100;
    g_lastFrameTime = 0xFFFFFFC0u;  // 64 ms before the clock wraps
    g_testNow = 30;                 // 94 ms later
    EXPECT_EQ(FrameGate(), 0);
    g_testNow = 36;  // 100 ms later
    EXPECT_EQ(FrameGate(), 1);
    EXPECT_EQ(g_lastFrameTime, 36u);
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
        {5, 3, {ID_FORWARD, ID_BACK}, 3},
        {5, 3, {}, 3},  // no step: the same sprite again
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " sprites from " << c.from << ", "
                                        << c.presses.size() << " presses");
        Play(c.count, 0);
        Command(ID_PAUSE);
        g_bmpChild.animFrame = c.from;
        for (int id : c.presses) Command(id);
        EXPECT_TRUE(PassDrawsFrame());
        EXPECT_EQ(g_bmpChild.animFrame, c.shown);
        EXPECT_EQ(SpriteAtAnchor(), c.shown);
        EXPECT_EQ(g_bmpChild.pendingStep, 0);
        EXPECT_TRUE(PassDrawsFrame());  // paused without presses: redrawn in place
        EXPECT_EQ(g_bmpChild.animFrame, c.shown);
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

TEST_F(PlaybackTest, TheMeterMeasuresWholeWindows)
{
    // The first reading measures from time 0, over the whole time the clock has run: one frame
    // after about three hours shows 10776. The sum is in single precision; in double it would
    // come to 10775.999 and show 10775.
    constexpr DWORD kFirst = 10775999;
    struct Reading {
        DWORD at;    // test clock when the frames are counted
        int frames;  // frames counted at that time
        int shown;
    };
    const Reading readings[] = {
        {kFirst, 1, 10776},
        {kFirst + 500, 29, 10776},  // inside the window the last rate stays
        {kFirst + 1010, 1, 30},     // 30 frames in 1010 ms
        {kFirst + 1510, 44, 30},
        {kFirst + 2010, 1, 45},     // 45 frames in exactly 1000 ms
        {kFirst + 4010, 1, 2},      // one frame in 2 s: 1 + 1 x 0.001 x 1000
        {kFirst + 6009, 1, 1},      // 1.999 truncated
    };
    g_meterStart = 0;
    g_meterFrames = 0;
    for (const Reading& r : readings) {
        g_testNow = r.at;
        int shown = 0;
        for (int i = 0; i < r.frames; ++i) shown = FrameMeter();
        EXPECT_EQ(shown, r.shown) << "at " << r.at;
    }
}

TEST_F(PlaybackTest, TheStatusLineShowsTheSpriteAndTheMeasuredRate)
{
    g_meterStart = 0;
    g_meterFrames = 0;
    g_testNow = 61000;
    Play(3, 0);
    g_bmpChild.animFrame = 1;
    g_testNow += kStatusRepaintPace;  // Play's own frame set the line a moment ago
    PassDrawsFrame();
    EXPECT_EQ(StatusText(), "Play Sprite Num :    2    FPS :  61");
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

TEST_F(PlaybackTest, TheLoopBlocksWhileInactiveAndDrawsNothing)
{
    Play(3, 0);
    g_appActive = 0;
    int before = g_bmpChild.animFrame;
    uint8_t marker = uint8_t(g_options.backColor ^ 0xFF);
    g_animPage.pixels[0] = marker;
    // A thread timer is the message that ends the wait; one that came early is dispatched first.
    UINT_PTR timer = SetTimer(nullptr, 0, 20, nullptr);
    int code = 0;
    LoopPass pass = LoopPass::Dispatched;
    for (int i = 0; i < 100 && pass == LoopPass::Dispatched; ++i) pass = RunLoopPass(&code);
    KillTimer(nullptr, timer);
    EXPECT_EQ(pass, LoopPass::Waited);
    EXPECT_EQ(g_animPage.pixels[0], marker);
    EXPECT_EQ(g_bmpChild.animFrame, before);
    PumpMessages();
    g_appActive = 1;  // active again: the next pass draws
    EXPECT_TRUE(PassDrawsFrame());

    PostQuitMessage(7);
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
    int code = 0;
    EXPECT_EQ(RunLoopPass(&code), LoopPass::Stepped);  // and stays stopped: no further box
    EXPECT_EQ(modal.Seen().size(), 2u);
}

}  // namespace
