// Playback's speed on the real main window, maximised as the program shows it.
//
//   playback_bench [trials]     "No delay": frames per second reached by the idle loop, the time
//                               of one AnimStep and of its parts, and beside them the floor of one
//                               frame (one page fill, one sprite draw, one StretchDIBits of the
//                               page), at 640 x 480 and 1024 x 768, zoom 1 and 3. Each trial runs
//                               the four cases in order and then in reverse, so a busy neighbour
//                               slows all alike; the table gives medians and the spread over trials.
//   playback_bench rate S F...  Plays at each rate F (frames per second, as chosen in the
//                               frame-rate box) for S seconds through the idle loop on the real
//                               clock, reads the status line once a second and prints the rates it
//                               showed beside the rate chosen and the rate actually drawn.
//   playback_bench hold STATE S FILE
//                               Puts the window in STATE (idle: a set open, stopped; paused:
//                               paused while playing at 30 fps; play30, play60: playing at that
//                               rate on a 640 x 480 page), writes FILE to say the state is
//                               reached, and runs the program's own message loop for S seconds.
//                               tools/measure-cpu reads the processor time the process and the
//                               Wine server take meanwhile.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>

#include "app/document.h"
#include "app/entry.h"
#include "app/frame_rate_box.h"
#include "app/main_window.h"
#include "app/pages.h"
#include "bench/wine_trials.h"
#include "kit/status_bar.h"
#include "resources/resource.h"
#include "views/animation.h"
#include "views/canvas.h"

namespace {

constexpr int kSprites = 8;
constexpr int kSpriteSide = 96;
constexpr double kLoopSeconds = 0.5;  // per case and trial
constexpr int kRuns = 60;             // timed calls per part, case and trial
constexpr int kDefaultTrials = 7;

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

// Nobody is there to answer a message box: every dialog is closed as it comes up, and counted as
// a failure of the run.
int g_dialogs = 0;

LRESULT CALLBACK CloseDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        char className[16] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            ++g_dialogs;
            std::fprintf(stderr, "playback_bench: a dialog came up and was closed\n");
            PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    g_appActive = 1;  // no window manager hands out the activation in a bare X server
}

// Chooses `fps` in the frame-rate box as a user does and presses Play.
void Play(HWND window, int fps)
{
    SendMessageA(window, WM_COMMAND, ID_STOP, 0);
    for (int position = 0; position < kFrameRateCount; ++position)
        if (FrameRateAt(position) == fps) SendMessageA(g_fpsCombo, CB_SETCURSEL, WPARAM(position), 0);
    SendMessageA(window, WM_COMMAND, ID_FPS_CHANGED, fps);
    SendMessageA(window, WM_COMMAND, ID_PLAY, 0);
    Pump();
}

// The page size and zoom of one case, then Play with "No delay".
void SetUpCase(HWND window, int width, int height, int zoom)
{
    SendMessageA(window, WM_COMMAND, ID_STOP, 0);
    g_bmpChild.animWidth = width;
    g_bmpChild.animHeight = height;
    g_bmpChild.animZoom = zoom;
    Play(window, 0);
}

double MedianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds per call of `part`: the median of kRuns single calls.
double TimePart(const std::function<void()>& part)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        double start = wine_trials::Milliseconds();
        part();
        times.push_back(wine_trials::Milliseconds() - start);
    }
    return MedianOf(times);
}

struct Case {
    int width, height, zoom;
};

// One trial's figures of one case, all in milliseconds per frame but the loop's rate.
struct Figures {
    double loopFps;  // frames per second through the idle loop, all messages included
    double step;     // one AnimStep
    double floor;    // fill, draw, StretchDIBits
    double shown;    // the floor and the empty PeekMessage that hands the window's pixels to X
    double yielded;  // the same with the PeekMessage the loop makes, which also yields
    double fill, draw, flip, status;  // AnimStep's parts
};

enum Field {
    kLoopFps, kLoopMs, kStep, kFloor, kRatio, kLoopRatio, kFill, kDraw, kFlip, kStatus, kShown, kYielded,
    kLoopShownRatio, kFields
};

Figures MeasureCase(HWND window, const Case& c)
{
    SetUpCase(window, c.width, c.height, c.zoom);
    Figures f = {};

    // The idle loop, as the program runs it with nothing else to do.
    int quitCode = 0, frames = 0;
    double start = wine_trials::Milliseconds(), now = start;
    while (now - start < kLoopSeconds * 1000.0) {
        if (RunLoopPass(&quitCode) == LoopPass::Stepped) ++frames;
        now = wine_trials::Milliseconds();
    }
    f.loopFps = frames * 1000.0 / (now - start);

    f.step = TimePart([] { g_bmpChild.AnimStep(); });
    Pump();

    int i = 0;
    f.floor = TimePart([&] {
        const Sprite& sprite = workSet.sprites[i++ % kSprites];
        g_animPage.FillBox(0, 0, g_animPage.width - 1, g_animPage.height - 1, 0);
        g_animPage.DrawSprite(g_bmpChild.anchorX + sprite.rx, g_bmpChild.anchorY + sprite.ry, &sprite, 0, 0, 0);
        g_animPage.FlipAt(g_bmpChild.window, g_bmpChild.pageLeft, g_bmpChild.pageTop, c.zoom);
    });
    auto emptyPeek = [](UINT flags) {
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | flags);
    };
    f.shown = TimePart([&] {
        const Sprite& sprite = workSet.sprites[i++ % kSprites];
        g_animPage.FillBox(0, 0, g_animPage.width - 1, g_animPage.height - 1, 0);
        g_animPage.DrawSprite(g_bmpChild.anchorX + sprite.rx, g_bmpChild.anchorY + sprite.ry, &sprite, 0, 0, 0);
        g_animPage.FlipAt(g_bmpChild.window, g_bmpChild.pageLeft, g_bmpChild.pageTop, c.zoom);
        emptyPeek(PM_NOYIELD);
    });
    f.yielded = TimePart([&] {
        const Sprite& sprite = workSet.sprites[i++ % kSprites];
        g_animPage.FillBox(0, 0, g_animPage.width - 1, g_animPage.height - 1, 0);
        g_animPage.DrawSprite(g_bmpChild.anchorX + sprite.rx, g_bmpChild.anchorY + sprite.ry, &sprite, 0, 0, 0);
        g_animPage.FlipAt(g_bmpChild.window, g_bmpChild.pageLeft, g_bmpChild.pageTop, c.zoom);
        emptyPeek(0);
    });
    Pump();
    f.fill = TimePart([] { g_animPage.FillBox(0, 0, g_animPage.width - 1, g_animPage.height - 1, 0); });
    f.draw = TimePart([&] {
        const Sprite& sprite = workSet.sprites[i++ % kSprites];
        g_animPage.DrawSprite(g_bmpChild.anchorX + sprite.rx, g_bmpChild.anchorY + sprite.ry, &sprite, 0, 0, 0);
    });
    f.flip = TimePart([&] { g_animPage.FlipAt(g_bmpChild.window, g_bmpChild.pageLeft, g_bmpChild.pageTop, c.zoom); });
    // The status line as a frame shows it: the sprite number changes every time.
    f.status = TimePart([] {
        g_bmpChild.animFrame = (g_bmpChild.animFrame + 1) % kSprites;
        g_bmpChild.UpdateStatus();
    });
    Pump();
    return f;
}

void AddFigures(std::vector<double>* into, const Figures& f)
{
    double loopMs = 1000.0 / f.loopFps;
    const double values[kFields] = {f.loopFps, loopMs,    f.step,   f.floor,   f.step / f.floor,
                                    loopMs / f.floor, f.fill, f.draw, f.flip, f.status,
                                    f.shown, f.yielded, loopMs / f.shown};
    for (int k = 0; k < kFields; ++k) into[k].push_back(values[k]);
}

void PrintCell(const std::vector<double>& values, const char* format)
{
    std::vector<double> sorted = values;
    std::sort(sorted.begin(), sorted.end());
    std::printf(" | ");
    std::printf(format, sorted[sorted.size() / 2]);
    std::printf(" (");
    std::printf(format, sorted.front());
    std::printf("-");
    std::printf(format, sorted.back());
    std::printf(")");
}

int RunSpeed(HWND window, int trials)
{
    const Case cases[] = {{640, 480, 1}, {640, 480, 3}, {1024, 768, 1}, {1024, 768, 3}};
    constexpr int kCases = sizeof cases / sizeof cases[0];
    std::vector<double> figures[kCases][kFields];
    MeasureCase(window, cases[0]);  // warm-up: the first page creations and paints
    for (int trial = 0; trial < trials; ++trial)
        for (int pass = 0; pass < 2 * kCases; ++pass) {
            int index = pass < kCases ? pass : 2 * kCases - 1 - pass;
            AddFigures(figures[index], MeasureCase(window, cases[index]));
        }
    SendMessageA(window, WM_COMMAND, ID_STOP, 0);

    std::printf("playback with \"No delay\", %d trials (each case twice per trial, in order and reversed)\n"
                "median (min-max); ms per call; loop ms = 1000 / loop fps\n\n",
                trials);
    std::printf("| page | zoom | loop fps | loop ms | AnimStep ms | floor ms | AnimStep / floor | loop ms / floor |\n"
                "|---|---|---|---|---|---|---|---|\n");
    for (int index = 0; index < kCases; ++index) {
        std::printf("| %dx%d | %d", cases[index].width, cases[index].height, cases[index].zoom);
        PrintCell(figures[index][kLoopFps], "%.0f");
        PrintCell(figures[index][kLoopMs], "%.2f");
        PrintCell(figures[index][kStep], "%.2f");
        PrintCell(figures[index][kFloor], "%.2f");
        PrintCell(figures[index][kRatio], "%.2f");
        PrintCell(figures[index][kLoopRatio], "%.2f");
        std::printf(" |\n");
    }
    std::printf("\nThe floor as the screen gets it: with the empty PeekMessage that hands the window's pixels\n"
                "to the X server (as the loop's does), and with that PeekMessage yielding the processor as the\n"
                "loop's does; ms per frame, median (min-max)\n\n"
                "| page | zoom | floor + hand-over | floor + hand-over + yield | loop ms / (floor + hand-over) |\n"
                "|---|---|---|---|---|\n");
    for (int index = 0; index < kCases; ++index) {
        std::printf("| %dx%d | %d", cases[index].width, cases[index].height, cases[index].zoom);
        PrintCell(figures[index][kShown], "%.2f");
        PrintCell(figures[index][kYielded], "%.2f");
        PrintCell(figures[index][kLoopShownRatio], "%.2f");
        std::printf(" |\n");
    }
    std::printf("\nAnimStep's parts, ms per call, median (min-max)\n\n"
                "| page | zoom | fill | sprite | StretchDIBits | status line |\n|---|---|---|---|---|---|\n");
    for (int index = 0; index < kCases; ++index) {
        std::printf("| %dx%d | %d", cases[index].width, cases[index].height, cases[index].zoom);
        PrintCell(figures[index][kFill], "%.3f");
        PrintCell(figures[index][kDraw], "%.3f");
        PrintCell(figures[index][kFlip], "%.3f");
        PrintCell(figures[index][kStatus], "%.3f");
        std::printf(" |\n");
    }
    return 0;
}

// The shown rate from the status line, "Play Sprite Num : %4d    FPS : %3d"; -1 when absent.
int ShownRate()
{
    char text[256] = "";
    SendMessageA(g_statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    const char* at = std::strstr(text, "FPS : ");
    return at == nullptr ? -1 : std::atoi(at + 6);
}

// The smallest step of the millisecond clock, as seen from a spin.
DWORD ClockStep()
{
    DWORD smallest = 0xFFFFFFFFu;
    for (int steps = 0; steps < 20; ++steps) {
        DWORD from = timeGetTime(), to;
        while ((to = timeGetTime()) == from) {
        }
        smallest = std::min(smallest, to - from);
    }
    return smallest;
}

int RunRate(HWND window, int seconds, const std::vector<int>& rates)
{
    SetUpCase(window, 640, 480, 1);
    std::printf("timeGetTime's step: %lu ms\n\n", static_cast<unsigned long>(ClockStep()));
    std::printf("| chosen | interval ms | frames drawn per s | status line min | median | max | readings |\n"
                "|---|---|---|---|---|---|---|\n");
    std::vector<std::string> readings;
    for (int fps : rates) {
        Play(window, fps);
        std::vector<double> shown;
        int quitCode = 0, frames = 0;
        const double start = wine_trials::Milliseconds();
        double nextRead = start + 1000.0, now = start;
        while (now - start < seconds * 1000.0) {
            int before = g_bmpChild.animFrame;
            RunLoopPass(&quitCode);
            if (g_bmpChild.animFrame != before) ++frames;
            g_appActive = 1;
            now = wine_trials::Milliseconds();
            if (now >= nextRead) {
                int rate = ShownRate();
                if (rate >= 0) shown.push_back(rate);
                nextRead += 1000.0;
            }
        }
        std::sort(shown.begin(), shown.end());
        if (shown.empty()) shown.push_back(-1);
        std::printf("| %d | %d | %.2f | %.0f | %.0f | %.0f | %zu |\n", fps, g_frameInterval,
                    frames * 1000.0 / (now - start), shown.front(), shown[shown.size() / 2], shown.back(),
                    shown.size());
        std::string list;
        for (double rate : shown) list += " " + std::to_string(int(rate));
        readings.push_back(list);
        std::fflush(stdout);
    }
    for (size_t i = 0; i < rates.size(); ++i) std::printf("\nreadings at %d fps, sorted:%s\n", rates[i], readings[i].c_str());
    SendMessageA(window, WM_COMMAND, ID_STOP, 0);
    return 0;
}

void CALLBACK QuitTheLoop(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

int RunHold(HWND window, const std::string& state, int seconds, const char* readyFile)
{
    SetUpCase(window, 640, 480, 1);
    if (state == "idle") {
        SendMessageA(window, WM_COMMAND, ID_STOP, 0);
    } else if (state == "paused") {
        Play(window, 30);
        SendMessageA(window, WM_COMMAND, ID_PAUSE, 0);
    } else if (state.rfind("play", 0) == 0) {
        Play(window, std::atoi(state.c_str() + 4));
    } else {
        std::fprintf(stderr, "playback_bench: no state %s\n", state.c_str());
        return 2;
    }
    Pump();
    HANDLE ready = CreateFileA(readyFile, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (ready == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(ready);
    const int before = g_bmpChild.animFrame;
    SetTimer(nullptr, 0, UINT(seconds) * 1000, QuitTheLoop);
    RunMessageLoop();
    std::printf("%s: %d s in the message loop; last sprite %d (from %d); status line \"%s\"; active %d\n",
                state.c_str(), seconds, g_bmpChild.animFrame, before, [] {
                    static char text[256];
                    SendMessageA(g_statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
                    return text;
                }(), int(g_appActive));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    SetWindowsHookExA(WH_CBT, CloseDialogs, nullptr, GetCurrentThreadId());
    HWND window = CreateMainWindow(GetModuleHandleA(nullptr));
    if (window == nullptr) return 1;
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    Pump();
    MakeSprites();

    int result;
    if (argc >= 5 && std::strcmp(argv[1], "hold") == 0) {
        result = RunHold(window, argv[2], std::atoi(argv[3]), argv[4]);
    } else if (argc >= 2 && std::strcmp(argv[1], "rate") == 0) {
        int seconds = argc >= 3 ? std::atoi(argv[2]) : 60;
        std::vector<int> rates;
        for (int i = 3; i < argc; ++i) rates.push_back(std::atoi(argv[i]));
        if (rates.empty()) rates = {30, 60};
        result = RunRate(window, seconds, rates);
    } else {
        int trials = argc >= 2 ? std::max(1, std::atoi(argv[1])) : kDefaultTrials;
        result = RunSpeed(window, trials);
    }
    DestroyWindow(window);
    if (g_dialogs != 0) {
        std::fprintf(stderr, "playback_bench: %d dialogs came up\n", g_dialogs);
        return 1;
    }
    return result;
}
