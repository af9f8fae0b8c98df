// One canvas paint as a drag makes it: the mouse move that moves the cut rectangle by one page
// pixel, which composes the page and flips it. Measured on a 4096 x 4096 sheet at zoom 1 and 5 on
// the real canvas window, beside its floor: one memcpy of the part of the sheet that the window
// shows plus one StretchDIBits of the window's area. Beside them, the paint's pieces timed alone:
// composing, flipping, and the posted paint message itself. All of them interleaved in each trial
// (bench/wine_trials.h); the paint, the floor and the flip each end with the message loop's idle
// step, which under Wine is what puts the window's pixels on screen. Run under Wine by
// tools/bench-canvas-paint.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/pages.h"
#include "app/picture.h"
#include "bench/wine_trials.h"
#include "views/canvas.h"

namespace {

constexpr int kSheetSide = 4096;
constexpr int kClientWidth = 1000;  // about the canvas of a maximised window
constexpr int kClientHeight = 700;
constexpr int kTrials = 41;
constexpr int kPasses = 5;  // passes of each contender per batch

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Handles the paint that a mouse move posted, and nothing else: the queue's other messages are
// not the paint's.
void HandlePostedPaint()
{
    MSG message;
    if (PeekMessageA(&message, g_bmpChild.window, WM_PAINT, WM_PAINT, PM_REMOVE | PM_NOYIELD))
        DispatchMessageA(&message);
}

void Mouse(UINT message, int x, int y, WPARAM keys)
{
    SendMessageA(g_bmpChild.window, message, keys, MAKELPARAM(x, y));
}

// The paint and what it is made of, as passes for the interleaved trials. The mouse moves of a
// held move, one page pixel right and back, each through the paint it posts.
struct PaintBench {
    int zoom;
    const uint8_t* sheet;
    HWND bare;  // a hidden window whose paint does nothing: the posted message's own cost
    PixelRect shown;
    int moves = 0;

    void Paint()
    {
        const int x = 400 + (moves++ % 2 == 0 ? zoom : 0);
        Mouse(WM_MOUSEMOVE, x, 400, MK_LBUTTON);
        HandlePostedPaint();
        GdiFlush();
        wine_trials::ShowOnScreen();
    }

    // The floor: the visible part of the sheet copied once, and the window's area stretched once.
    void Floor()
    {
        const int left = shown.x1, top = shown.y1;
        const int width = std::min(kSheetSide - left, kClientWidth / zoom + 1);
        const int height = std::min(kSheetSide - top, kClientHeight / zoom + 1);
        for (int y = top; y < top + height; ++y)
            std::memcpy(g_bmpPage.pixels + size_t(y) * g_bmpPage.pitch + left, sheet + size_t(y) * kSheetSide + left,
                        size_t(width));
        PixelRect source = {left, top, left + width - 1, top + height - 1};
        PixelRect destination = {0, 0, width * zoom - 1, height * zoom - 1};
        g_bmpPage.FlipRect(g_bmpChild.window, &destination, &source);
        GdiFlush();
        wine_trials::ShowOnScreen();
    }

    // Composing alone: the picture, the rectangle and the cross-hair into the part of the page shown.
    void Compose() { g_bmpChild.ComposeBitmapPage(shown); }

    // Flipping alone: the shown part, as the paint flips it.
    void Flip()
    {
        const PixelRect target = {g_bmpChild.pageLeft + shown.x1 * zoom, g_bmpChild.pageTop + shown.y1 * zoom,
                                  g_bmpChild.pageLeft + (shown.x2 + 1) * zoom - 1,
                                  g_bmpChild.pageTop + (shown.y2 + 1) * zoom - 1};
        g_bmpPage.FlipRect(g_bmpChild.window, &target, &shown);
        GdiFlush();
        wine_trials::ShowOnScreen();
    }

    // The posted paint message alone: posted, taken from the queue and dispatched.
    void Message()
    {
        PostMessageA(bare, WM_PAINT, 0, 0);
        MSG message;
        if (PeekMessageA(&message, bare, WM_PAINT, WM_PAINT, PM_REMOVE | PM_NOYIELD)) DispatchMessageA(&message);
    }
};

// The part of the page the client area shows, as the paint finds it.
PixelRect ShownPart(int zoom)
{
    RECT client;
    GetClientRect(g_bmpChild.window, &client);
    const int left = std::max(0, -g_bmpChild.pageLeft / zoom);
    const int top = std::max(0, -g_bmpChild.pageTop / zoom);
    return {left, top, std::min<int>(kSheetSide - 1, (client.right - 1 - g_bmpChild.pageLeft) / zoom),
            std::min<int>(kSheetSide - 1, (client.bottom - 1 - g_bmpChild.pageTop) / zoom)};
}

LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) return 0;  // hidden, so nothing is ever invalid
    return DefWindowProcA(window, message, wParam, lParam);
}

// Nobody is there to answer a message box (a missing cursor resource is reported at creation):
// every dialog is closed as it comes up, so the run cannot hang.
LRESULT CALLBACK CloseDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE) {
        char className[16] = "";
        GetClassNameA(reinterpret_cast<HWND>(wParam), className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            std::fprintf(stderr, "canvas_paint_bench: a dialog came up and was closed\n");
            PostMessageA(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main()
{
    SetWindowsHookExA(WH_CBT, CloseDialogs, nullptr, GetCurrentThreadId());
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "PaintBenchParent";
    RegisterClassA(&windowClass);
    HWND parent = CreateWindowA("PaintBenchParent", "bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                kClientWidth + 100, kClientHeight + 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (parent == nullptr || !g_bmpChild.Create(parent)) return 1;

    const size_t bytes = size_t(kSheetSide) * kSheetSide;
    auto* sheet = static_cast<uint8_t*>(std::malloc(bytes));
    auto* image = static_cast<uint8_t*>(std::malloc(bytes));
    for (size_t i = 0; i < bytes; ++i) sheet[i] = uint8_t(i * 7 + i / kSheetSide * 31);
    std::memcpy(image, sheet, bytes);
    if (!g_bmpPage.Create(kSheetSide, kSheetSide, 8, nullptr) ||
        !pictureSet.TransToSpr(kSheetSide, kSheetSide, image))
        return 1;

    WNDCLASSA bareClass = {};
    bareClass.lpfnWndProc = BareProc;
    bareClass.hInstance = GetModuleHandleA(nullptr);
    bareClass.lpszClassName = "PaintBenchBare";
    RegisterClassA(&bareClass);
    HWND bare = CreateWindowA("PaintBenchBare", "", WS_CHILD, 0, 0, 10, 10, parent, nullptr,
                              GetModuleHandleA(nullptr), nullptr);

    std::printf("canvas paint, %d x %d sheet, client %d x %d; %d interleaved trials of %d passes each;\n"
                "microseconds per pass, median [quartiles] over the trials; ratio taken within each trial\n\n",
                kSheetSide, kSheetSide, kClientWidth, kClientHeight, kTrials, kPasses);
    std::printf("| zoom | paint | floor | paint / floor | of the paint: compose | flip | paint message |\n"
                "|---|---|---|---|---|---|---|\n");
    for (int zoom : {1, 5}) {
        g_bmpChild.bmpZoom = zoom;
        g_bmpChild.RefreshPage();
        wine_trials::SizeClient(g_bmpChild.window, kClientWidth, kClientHeight);
        g_bmpChild.viewX = g_bmpChild.viewXMax / 2;  // the middle of the sheet
        g_bmpChild.viewY = g_bmpChild.viewYMax / 2;
        g_bmpChild.RefreshPage();
        Pump();
        PaintBench bench = {zoom, sheet, bare, ShownPart(zoom)};
        Mouse(WM_LBUTTONDOWN, 300, 300, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, 600, 500, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, 600, 500, 0);
        Mouse(WM_LBUTTONDOWN, 400, 400, MK_LBUTTON);  // a move of the shown rectangle begins
        Pump();
        using wine_trials::Cell;
        const wine_trials::Results results = wine_trials::RunTrials(
            {{"paint", [&] { bench.Paint(); }},
             {"floor", [&] { bench.Floor(); }},
             {"compose", [&] { bench.Compose(); }},
             {"flip", [&] { bench.Flip(); }},
             {"message", [&] { bench.Message(); }}},
            kTrials, kPasses);
        Mouse(WM_LBUTTONUP, 400, 400, 0);
        Mouse(WM_RBUTTONDOWN, 400, 400, MK_RBUTTON);
        Pump();
        std::printf("| %d | %s | %s | %s | %s | %s | %s |\n", zoom, Cell(results.times[0]).c_str(),
                    Cell(results.times[1]).c_str(), Cell(wine_trials::Ratios(results, 0, 1), "%.2f").c_str(),
                    Cell(results.times[2]).c_str(), Cell(results.times[3]).c_str(), Cell(results.times[4]).c_str());
    }
    std::fflush(stdout);
    DestroyWindow(parent);
    std::free(sheet);
    return 0;
}
