// Playback: the animation page at the resolution chosen in the options, one sprite per frame at
// the page's anchor point, paced by the frame gate and measured by the frame meter.
#include "views/animation.h"

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

}  // namespace

int FrameGate()
{
    DWORD now = g_clock();
    if (now - g_lastFrameTime < DWORD(g_frameInterval)) return 0;
    g_lastFrameTime = g_clock();
    return 1;
}

void SetFrameInterval(int fps)
{
    if (fps != 0) g_frameInterval = 1000 / fps;
}

int FrameMeter()
{
    ++g_meterFrames;
    DWORD now = g_clock();
    DWORD elapsed = now - g_meterStart;
    if (elapsed >= kMeterWindow) {
        int frames = g_meterFrames;
        // Single precision on purpose: the shown rate is this product, truncated.
        g_measuredFps = int(frames + frames * 0.001f * (elapsed - kMeterWindow));
        g_meterFrames = 0;
        g_meterStart = now;
    }
    return g_measuredFps;
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

void BmpChildWindow::AnimStep()
{
    if (!playing) return;
    if (g_animPage.pixels == nullptr) {
        StopPlayback("에니메이션 페이지가 초기화 되지 않았습니다.");
        return;
    }
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

void ShowPlayStatus(int frame)
{
    char text[kStatusSize];
    std::snprintf(text, sizeof text, "Play Sprite Num : %4d    FPS : %3d", frame, FrameMeter());
    SetStatusTextPaced(text);
}
