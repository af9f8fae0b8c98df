// Playback's speed with "No delay": frames per second reached by the idle loop, the time of one
// AnimStep, and beside them the floor of one frame (one page fill, one sprite draw, one
// StretchDIBits of the page), at two page sizes and two zoom levels. Prints one table.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include <windows.h>

#include <commctrl.h>

#include "app/entry.h"
#include "app/globals.h"

namespace {

constexpr int kSprites = 8;
constexpr int kSpriteSide = 96;
constexpr double kLoopSeconds = 2.0;
constexpr int kStepRuns = 300;

double Seconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

// Sprites as a game would have them: a figure on a transparent ground.
void MakeSprites()
{
    workSet.Clear();
    for (int i = 0; i < kSprites; ++i) {
        auto* image = static_cast<uint8_t*>(std::malloc(kSpriteSide * kSpriteSide));
        for (int y = 0; y < kSpriteSide; ++y)
            for (int x = 0; x < kSpriteSide; ++x) {
                int dx = x - kSpriteSide / 2, dy = y - kSpriteSide / 2;
                bool inside = dx * dx + dy * dy < (kSpriteSide / 2 - i) * (kSpriteSide / 2 - i);
                image[y * kSpriteSide + x] = inside ? uint8_t(1 + (x * 7 + y * 3 + i) % 250) : 0;
            }
        workSet.Insert(i, kSpriteSide, kSpriteSide, image, 0);
        workSet.sprites[i].rx = -kSpriteSide / 2;
        workSet.sprites[i].ry = -kSpriteSide / 2;
    }
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeFrame()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FrameProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PlaybackBench";
    RegisterClassA(&windowClass);
    HWND frame = CreateWindowA("PlaybackBench", "playback bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                               0, 0, 1240, 1000, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    InitCommonControls();
    g_statusBar = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", frame, 1);
    g_bmpChild.Create(frame);
    MoveWindow(g_bmpChild.window, 0, 0, 1240, 960, TRUE);
    return frame;
}

void Drain()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

struct Result {
    double loopFps;     // frames per second through the idle loop
    double stepMs;      // one AnimStep
    double floorMs;     // fill, draw, StretchDIBits
};

Result Measure(int width, int height, int zoom)
{
    g_bmpChild.playing = 0;
    g_bmpChild.animWidth = width;
    g_bmpChild.animHeight = height;
    g_bmpChild.animZoom = zoom;
    g_bmpChild.fps = 0;
    g_bmpChild.StartAnimPage();
    g_bmpChild.playing = 1;
    g_bmpChild.RefreshPage();
    Drain();

    Result result = {};
    // The idle loop, as the program runs it with nothing else to do.
    int quitCode = 0, frames = 0;
    double start = Seconds(), now = start;
    while (now - start < kLoopSeconds) {
        if (RunLoopPass(&quitCode) == LoopPass::Stepped) ++frames;
        now = Seconds();
    }
    result.loopFps = frames / (now - start);

    start = Seconds();
    for (int i = 0; i < kStepRuns; ++i) g_bmpChild.AnimStep();
    result.stepMs = (Seconds() - start) * 1000.0 / kStepRuns;

    start = Seconds();
    for (int i = 0; i < kStepRuns; ++i) {
        const Sprite& sprite = workSet.sprites[i % kSprites];
        g_animPage.FillBox(0, 0, width - 1, height - 1, 0);
        g_animPage.DrawSprite(g_bmpChild.anchorX + sprite.rx, g_bmpChild.anchorY + sprite.ry, &sprite, 0, 0, 0);
        g_animPage.FlipAt(g_bmpChild.window, g_bmpChild.pageLeft, g_bmpChild.pageTop, zoom);
    }
    result.floorMs = (Seconds() - start) * 1000.0 / kStepRuns;
    g_bmpChild.playing = 0;
    Drain();
    return result;
}

}  // namespace

int main()
{
    g_appActive = 1;
    HWND frame = MakeFrame();
    Drain();
    MakeSprites();
    std::printf("page       zoom  loop fps  AnimStep ms  floor ms  step/floor\n");
    const int sizes[][2] = {{640, 480}, {1024, 768}};
    for (const auto& size : sizes)
        for (int zoom : {1, 3}) {
            Result r = Measure(size[0], size[1], zoom);
            std::printf("%4dx%-4d  %4d  %8.1f  %11.3f  %8.3f  %10.2f\n", size[0], size[1], zoom, r.loopFps,
                        r.stepMs, r.floorMs, r.stepMs / r.floorMs);
        }
    DestroyWindow(frame);
    return 0;
}
