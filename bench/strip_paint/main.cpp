// The selection strip's paint with many sprites, on the real strip window under Wine: the paint
// that InvalidateRect asks for (erase, labels, thumbnails), with the strip scrolled to the same
// thumbnails whatever the set's size, so its cost shows whether it follows the visible
// thumbnails or the whole set. Beside it two floors, drawing the same visible thumbnails:
//  - "floor": the visible part of the paint's own work done once, on one device context: the
//    client area filled with the strip's brush, each visible thumbnail drawn into the scratch page
//    and stretched to its place (one StretchDIBits each, as the strip shows them), each visible
//    label written;
//  - "one flip": a lower bound for any way of showing them: the visible thumbnails drawn into
//    the scratch page and one StretchDIBits of the strip's area.
// And the window system's paint cycle alone (invalidate, erase, begin and end on a window of the
// strip's size that draws nothing), which the paint goes through and neither floor counts. Every
// pass ends with the message loop's idle step, which under Wine puts the window's pixels on screen.
// Interleaved trials (bench/wine_trials.h). Run under Wine by tools/bench-strip-paint.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/document.h"
#include "app/options.h"
#include "app/pages.h"
#include "bench/wine_trials.h"
#include "render/dib_page.h"
#include "views/selection.h"

namespace {

constexpr int kClientWidth = 1000;  // about the strip of a maximised window
constexpr int kClientHeight = 110;
constexpr int kFirstShown = 40;  // the strip is scrolled to show this sprite first
constexpr int kTrials = 31;
constexpr int kPasses = 5;

// Sprite i: 16 to 48 pixels wide and high, a figure on the transparent ground; every third one
// compressed, as a cut with compression makes them.
void MakeSprites(int count)
{
    workSet.Clear();
    for (int i = 0; i < count; ++i) {
        const int width = 16 + (i * 7) % 33, height = 16 + (i * 5) % 33;
        auto* image = static_cast<uint8_t*>(std::malloc(size_t(width) * height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int dx = 2 * x - width, dy = 2 * y - height;
                const bool inside = dx * dx + dy * dy < width * height;
                image[y * width + x] = inside ? uint8_t(1 + (x * 7 + y * 3 + i) % 250) : 0;
            }
        workSet.Insert(i, width, height, image, i % 3 == 0 ? 1 : 0);
    }
}

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Scrolls the strip so that kFirstShown's slot begins at the window's left edge.
void ShowFirst()
{
    int left = 0;
    for (int i = 0; i < kFirstShown; ++i) left += g_selChild.ThumbWidth(i) + 2 * g_selChild.gap;
    g_selChild.scrollPos = left / 10;
    g_selChild.UpdateScroll();
}

// The paint: the whole client area invalidated and painted at once.
void Paint()
{
    InvalidateRect(g_selChild.window, nullptr, TRUE);
    UpdateWindow(g_selChild.window);
    GdiFlush();
    wine_trials::ShowOnScreen();
}

struct Shown {
    int sprite, x;  // thumbnail's window x
    int labelX;     // -1: the label is not shown
};

// The thumbnails and labels that the client area shows, placed as the strip places them.
std::vector<Shown> VisibleThumbnails()
{
    std::vector<Shown> shown;
    int x = g_selChild.stripLeft;
    for (int i = 0; i < workSet.Count(); ++i) {
        const int width = g_selChild.ThumbWidth(i), gap = g_selChild.gap;
        char label[16];
        const int length = std::snprintf(label, sizeof label, "<%d>", i);
        const int slotLeft = x;
        x += width + 2 * gap;
        const int labelX = x - width / 2 - (length * 8) / 2 - gap;
        const bool thumbnail = slotLeft + gap <= kClientWidth && slotLeft + gap + width - 1 >= 0;
        const bool labelShown = 0 < labelX && labelX < kClientWidth;
        if (thumbnail || labelShown) shown.push_back({i, slotLeft + gap, labelShown ? labelX : -1});
    }
    return shown;
}

void DrawIntoScratch(int i)
{
    const Sprite& sprite = workSet.sprites[i];
    g_selPage.FillBox(0, 0, sprite.width - 1, sprite.height - 1, g_options.backColor);
    g_selPage.DrawSprite(0, 0, &sprite, 0, 0, 0);
}

void Floor(const std::vector<Shown>& shown)
{
    HWND window = g_selChild.window;
    HDC dc = GetDC(window);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, g_selChild.background);
    SetBkMode(dc, TRANSPARENT);
    for (const Shown& s : shown) {
        const Sprite& sprite = workSet.sprites[s.sprite];
        if (s.labelX >= 0) {
            char label[16];
            const int length = std::snprintf(label, sizeof label, "<%d>", s.sprite);
            SetTextColor(dc, s.sprite == g_currentSprite ? RGB(250, 0, 0) : RGB(0, 0, 0));
            TextOutA(dc, s.labelX, 0, label, length);
        }
        DrawIntoScratch(s.sprite);
        StretchDIBits(dc, s.x, g_selChild.top, g_selChild.ThumbWidth(s.sprite), g_selChild.ThumbHeight(s.sprite), 0,
                      g_selPage.height - sprite.height, sprite.width, sprite.height, g_selPage.pixels, g_selPage.info,
                      DIB_RGB_COLORS, SRCCOPY);
    }
    ReleaseDC(window, dc);
    GdiFlush();
    wine_trials::ShowOnScreen();
}

void OneFlip(const std::vector<Shown>& shown, DibPage& stripPage)
{
    for (const Shown& s : shown) DrawIntoScratch(s.sprite);
    const PixelRect whole = {0, 0, kClientWidth - 1, kClientHeight - 1};
    stripPage.FlipRect(g_selChild.window, &whole, &whole);
    GdiFlush();
    wine_trials::ShowOnScreen();
}

// The window system's paint cycle alone, as the strip's paint goes through it: the whole client
// area invalidated, erased with the strip's brush, begun and ended, on a window of the strip's
// size that draws nothing more.
LRESULT CALLBACK BareProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Cycle(HWND bare)
{
    InvalidateRect(bare, nullptr, TRUE);
    UpdateWindow(bare);
    GdiFlush();
    wine_trials::ShowOnScreen();
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "StripBenchParent";
    RegisterClassA(&windowClass);
    HWND parent = CreateWindowA("StripBenchParent", "bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                kClientWidth + 100, 2 * kClientHeight + 100, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (parent == nullptr || !g_selChild.Create(parent)) return 1;
    wine_trials::SizeClient(g_selChild.window, kClientWidth, kClientHeight);
    WNDCLASSA bareClass = {};
    bareClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    bareClass.lpfnWndProc = BareProc;
    bareClass.hInstance = GetModuleHandleA(nullptr);
    bareClass.hbrBackground = g_selChild.background;
    bareClass.lpszClassName = "StripBenchBare";
    RegisterClassA(&bareClass);
    RECT outer;
    GetWindowRect(g_selChild.window, &outer);
    HWND bare = CreateWindowExA(WS_EX_CLIENTEDGE, "StripBenchBare", "", WS_CHILD | WS_VISIBLE | WS_HSCROLL, 0,
                                outer.bottom - outer.top, outer.right - outer.left, outer.bottom - outer.top, parent,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    DibPage stripPage;  // the strip's area as one page, for the lower bound's flip
    if (!stripPage.Create(kClientWidth, kClientHeight, 8, nullptr)) return 1;

    std::printf("selection strip paint, client %d x %d, scale 1, sprites 16 to 48 pixels, scrolled to sprite %d;\n"
                "%d interleaved trials of %d passes each; microseconds per pass, median [quartiles] over the\n"
                "trials; ratios taken within each trial\n\n",
                kClientWidth, kClientHeight, kFirstShown, kTrials, kPasses);
    std::printf("| sprites | slots shown | paint | floor | paint / floor | one flip | paint / one flip | paint cycle alone |"
                " (paint - cycle) / floor |\n|---|---|---|---|---|---|---|---|---|\n");
    for (int count : {100, 1000, 10000}) {
        MakeSprites(count);
        g_currentSprite = kFirstShown + 3;
        g_selChild.UpdateScroll();
        ShowFirst();
        Paint();
        Pump();
        const std::vector<Shown> shown = VisibleThumbnails();
        using wine_trials::Cell;
        const wine_trials::Results results =
            wine_trials::RunTrials({{"paint", [] { Paint(); }},
                                    {"floor", [&] { Floor(shown); }},
                                    {"one flip", [&] { OneFlip(shown, stripPage); }},
                                    {"cycle", [&] { Cycle(bare); }}},
                                   kTrials, kPasses);
        std::vector<double> beyondCycle;  // per trial: (paint - cycle) / floor
        for (size_t t = 0; t < results.times[0].size(); ++t)
            beyondCycle.push_back((results.times[0][t] - results.times[3][t]) / results.times[1][t]);
        std::printf("| %d | %d | %s | %s | %s | %s | %s | %s | %s |\n", count, int(shown.size()),
                    Cell(results.times[0]).c_str(), Cell(results.times[1]).c_str(),
                    Cell(wine_trials::Ratios(results, 0, 1), "%.2f").c_str(), Cell(results.times[2]).c_str(),
                    Cell(wine_trials::Ratios(results, 0, 2), "%.2f").c_str(), Cell(results.times[3]).c_str(),
                    Cell(beyondCycle, "%.2f").c_str());
    }
    std::fflush(stdout);
    DestroyWindow(parent);
    return 0;
}
