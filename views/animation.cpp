// Playback: the animation page at the resolution chosen in the options, one sprite per frame at
// the page's anchor point, paced by the frame gate and measured by the frame meter.
#include "views/animation.h"

#include <algorithm>
#include <cstdio>

#include "app/document.h"
#include "app/main_window.h"
#include "app/options.h"
#include "app/pages.h"
#include "app/picture.h"
#include "kit/clock.h"
#include "kit/show_info.h"
#include "kit/status_bar.h"
#include "resources/resource.h"
#include "views/canvas.h"

namespace {

constexpr int kPageBits = 8;
constexpr DWORD kMeterWindow = 1000;  // milliseconds
constexpr int kStatusSize = 256;
constexpr int kMicrosPerMilli = 1000;
// A frame this late or less (or up to one period, at low rates) keeps the schedule: the frames
// after it come as due, one at once if need be, so a short hiccup costs no frames. Later than
// that (a dialog, an inactive spell, a busy machine) the schedule starts again from now instead
// of catching up in a burst.
constexpr DWORD kMaxCatchUp = 100;  // milliseconds

// The frame schedule: the next frame is due at this clock reading and this many microseconds
// past it (the period is kept to the microsecond, so 60 fps is 16.667 ms and not 16 or 17).
DWORD g_nextFrameTime = 0;
int g_nextFrameMicros = 0;

// The frame meter's last frame, and whether the next frame begins a window afresh.
DWORD g_meterLast = 0;
bool g_meterFresh = true;

void ScheduleNextFrame()
{
    const int micros = g_nextFrameMicros + g_framePeriod;
    g_nextFrameTime += DWORD(micros / kMicrosPerMilli);
    g_nextFrameMicros = micros % kMicrosPerMilli;
}

// Milliseconds from `now` until the next frame is due; 0 when it is due (or overdue).
DWORD FrameDueIn(DWORD now)
{
    const LONG left = LONG(g_nextFrameTime - now);
    return left > 0 ? DWORD(left) : 0;
}

}  // namespace

int FrameGate()
{
    const DWORD now = g_clock();
    if (FrameDueIn(now) != 0) return 0;
    const DWORD late = now - g_nextFrameTime;
    const DWORD period = DWORD(g_framePeriod / kMicrosPerMilli);
    if (late >= std::max(period, kMaxCatchUp)) {
        g_nextFrameTime = now;
        g_nextFrameMicros = 0;
    }
    ScheduleNextFrame();
    return 1;
}

DWORD FrameGateOpensIn() { return FrameDueIn(g_clock()); }

void SetFrameInterval(int fps)
{
    if (fps == 0) return;
    g_frameInterval = 1000 / fps;
    g_framePeriod = 1000000 / fps;
}

int FrameMeter()
{
    const DWORD now = g_clock();
    if (g_meterFresh || now - g_meterLast >= kMeterWindow) {
        g_meterFresh = false;
        g_meterStart = now;
        g_meterFrames = 0;
    } else {
        ++g_meterFrames;
        const DWORD elapsed = now - g_meterStart;
        if (elapsed >= kMeterWindow) {
            g_measuredFps = int((DWORD(g_meterFrames) * 1000 + elapsed / 2) / elapsed);
            g_meterStart = now;
            g_meterFrames = 0;
        }
    }
    g_meterLast = now;
    return g_measuredFps;
}

void StartFrameClock()
{
    g_nextFrameTime = g_clock();
    g_nextFrameMicros = 0;
    g_meterFresh = true;
    g_meterFrames = 0;
    g_measuredFps = 0;
}

int WrapFrame(int frame, int step, int count)
{
    int next = frame + step;
    if (next >= count) next = 0;
    if (next < 0) next = count - 1;
    return next;
}

void BmpChildWindow::StartAnimPage()
{
    if (!g_animPage.Create(animWidth, animHeight, kPageBits, g_palette))
        ShowInfo(window, "Animation Page 초기화 실패");
    pageWidth = animWidth;
    pageHeight = animHeight;
    if (anchorX <= 0 || anchorX >= animWidth) anchorX = animWidth / 2;
    if (anchorY <= 0 || anchorY >= animHeight) anchorY = animHeight / 2;
    RefreshPage();
}

void BmpChildWindow::StopPlayback(const char* text)
{
    // Playing is cleared before the box comes up: the box's own message loop paints the canvas,
    // whose paint would otherwise step again and raise the same box. Stop then shows the page
    // that follows from the flags and checks its own button.
    playing = 0;
    ShowInfo(window, "%s", text);
    if (g_mainWnd != nullptr) SendMessageA(g_mainWnd, WM_COMMAND, ID_STOP, 0);
    else RefreshPage();
}

DWORD BmpChildWindow::NextFrameIn() const
{
    if (!playing) return INFINITE;
    if (g_animPage.pixels == nullptr) return 0;  // the step stops playback and says why
    if (workSet.sprites == nullptr) return INFINITE;
    if (paused && pendingStep == 0) return INFINITE;
    if (fps == 0) return 0;
    return FrameGateOpensIn();
}

void BmpChildWindow::AnimStep()
{
    if (!playing) return;
    if (g_animPage.pixels == nullptr) {
        StopPlayback("에니메이션 페이지가 초기화 되지 않았습니다.");
        return;
    }
    // Paused with no step asked for, the next frame would be the one shown: nothing is drawn
    // until Back or Forward (a paint shows the frame again in place).
    if (paused && pendingStep == 0) return;
    if (fps != 0 && !FrameGate()) return;
    g_animPage.FillBox(0, 0, g_animPage.width - 1, g_animPage.height - 1, g_options.backColor);
    if (workSet.sprites == nullptr) return;

    int frame = WrapFrame(animFrame, paused ? pendingStep : 1, workSet.Count());
    if (paused) pendingStep = 0;
    const Sprite& sprite = workSet.sprites[frame];
    // Mirrored about the anchor when the preview is flipped, as a game draws the sprite turned.
    const int left = anchorX + FlippedLeft(sprite.rx, sprite.width, previewFlips);
    const int top = anchorY + FlippedTop(sprite.ry, sprite.height, previewFlips);
    if (!g_animPage.DrawSprite(left, top, &sprite, previewFlips, 0, 0))
        workSet.ShowMessage(window);
    animFrame = frame;
    if (g_animPage.FlipAt(window, pageLeft, pageTop, animZoom)) UpdateStatus();
    else StopPlayback("페이지 플리핑 실패");
}

void BmpChildWindow::RedrawFrame()
{
    if (!playing || g_animPage.pixels == nullptr || workSet.sprites == nullptr) return;
    // The set may have shrunk since the frame was drawn.
    const Sprite& sprite = workSet.sprites[WrapFrame(animFrame, 0, workSet.Count())];
    g_animPage.FillBox(0, 0, g_animPage.width - 1, g_animPage.height - 1, g_options.backColor);
    // A sprite that cannot be drawn was reported when its frame came; a paint does not ask again.
    g_animPage.DrawSprite(anchorX + sprite.rx, anchorY + sprite.ry, &sprite, 0, 0, 0);
    if (!g_animPage.FlipAt(window, pageLeft, pageTop, animZoom)) StopPlayback("페이지 플리핑 실패");
}

void ShowPlayStatus(int frame)
{
    char text[kStatusSize];
    std::snprintf(text, sizeof text, "Play Sprite Num : %4d    FPS : %3d", frame, FrameMeter());
    SetStatusTextPaced(text);
}
