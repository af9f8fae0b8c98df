// One canvas paint as a drag makes it: the mouse move that moves the cut rectangle by one page
// pixel, which composes the page and flips it. Measured on a 4096 x 4096 sheet at zoom 1 and 5 on
// the real canvas window, beside its floor: one memcpy of the part of the sheet that the window
// shows plus one StretchDIBits of the window's area. Run under Wine by tools/bench-canvas-paint.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/globals.h"

namespace {

constexpr int kSheetSide = 4096;
constexpr int kClientWidth = 1000;  // about the canvas of a maximised window
constexpr int kClientHeight = 700;
constexpr int kRuns = 200;

double Microseconds()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1e6 / double(frequency.QuadPart);
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Handles the paint that a mouse move posted, and nothing else: an empty PeekMessage yields the
// processor, which on a loaded machine costs a time slice that is the message loop's, not the
// paint's.
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

void SizeClient(HWND window, int width, int height)
{
    for (int pass = 0; pass < 4; ++pass) {
        RECT client, outer;
        GetClientRect(window, &client);
        if (client.right == width && client.bottom == height) return;
        GetWindowRect(window, &outer);
        MoveWindow(window, 0, 0, outer.right - outer.left + width - client.right,
                   outer.bottom - outer.top + height - client.bottom, TRUE);
    }
}

struct Figures {
    double median, best;
};

Figures Summarise(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front()};
}

// The mouse moves of a held move, one page pixel right and back, each through its posted paint.
Figures TimePaints(int zoom)
{
    std::vector<double> times;
    Mouse(WM_LBUTTONDOWN, 300, 300, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 600, 500, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 600, 500, 0);
    Mouse(WM_LBUTTONDOWN, 400, 400, MK_LBUTTON);  // a move of the shown rectangle begins
    Pump();
    for (int i = 0; i < kRuns; ++i) {
        int x = 400 + (i % 2 == 0 ? zoom : 0);
        double start = Microseconds();
        Mouse(WM_MOUSEMOVE, x, 400, MK_LBUTTON);
        HandlePostedPaint();
        GdiFlush();
        times.push_back(Microseconds() - start);
    }
    Mouse(WM_LBUTTONUP, 400, 400, 0);
    Mouse(WM_RBUTTONDOWN, 400, 400, MK_RBUTTON);
    Pump();
    return Summarise(times);
}

// Composing alone: the picture, the rectangle and the cross-hair into the part of the page shown.
Figures TimeCompose(int zoom)
{
    const int left = std::max(0, -g_bmpChild.pageLeft / zoom);
    const int top = std::max(0, -g_bmpChild.pageTop / zoom);
    const PixelRect shown = {left, top, left + kClientWidth / zoom, top + kClientHeight / zoom};
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        double start = Microseconds();
        g_bmpChild.ComposeBitmapPage(shown);
        times.push_back(Microseconds() - start);
    }
    return Summarise(times);
}

// The floor: the visible part of the sheet copied once, and the window's area stretched once.
Figures TimeFloor(int zoom, const uint8_t* sheet)
{
    const int left = std::max(0, -g_bmpChild.pageLeft / zoom);
    const int top = std::max(0, -g_bmpChild.pageTop / zoom);
    const int width = std::min(kSheetSide - left, kClientWidth / zoom + 1);
    const int height = std::min(kSheetSide - top, kClientHeight / zoom + 1);
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        double start = Microseconds();
        for (int y = top; y < top + height; ++y)
            std::memcpy(g_bmpPage.pixels + size_t(y) * g_bmpPage.pitch + left,
                        sheet + size_t(y) * kSheetSide + left, size_t(width));
        PixelRect source = {left, top, left + width - 1, top + height - 1};
        PixelRect destination = {0, 0, width * zoom - 1, height * zoom - 1};
        g_bmpPage.FlipRect(g_bmpChild.window, &destination, &source);
        GdiFlush();
        times.push_back(Microseconds() - start);
    }
    return Summarise(times);
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

    std::printf("canvas paint, %d x %d sheet, client %d x %d, median (best) of %d, microseconds\n",
                kSheetSide, kSheetSide, kClientWidth, kClientHeight, kRuns);
    std::printf("| zoom | paint | of which composing | floor | paint / floor |\n|---|---|---|---|---|\n");
    for (int zoom : {1, 5}) {
        g_bmpChild.bmpZoom = zoom;
        g_bmpChild.RefreshPage();
        SizeClient(g_bmpChild.window, kClientWidth, kClientHeight);
        g_bmpChild.viewX = g_bmpChild.viewXMax / 2;  // the middle of the sheet
        g_bmpChild.viewY = g_bmpChild.viewYMax / 2;
        g_bmpChild.RefreshPage();
        Pump();
        Figures paint = TimePaints(zoom);
        Figures compose = TimeCompose(zoom);
        Figures floor = TimeFloor(zoom, sheet);
        std::printf("| %d | %.0f (%.0f) | %.0f (%.0f) | %.0f (%.0f) | %.2f (%.2f) |\n", zoom, paint.median, paint.best,
                    compose.median, compose.best, floor.median, floor.best, paint.median / floor.median,
                    paint.best / floor.best);
    }
    std::fflush(stdout);
    DestroyWindow(parent);
    std::free(sheet);
    return 0;
}
