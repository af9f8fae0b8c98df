// Showing a page: the pixels that reach a real window at zoom 1 and 3, and stretched rectangles.
#include <windows.h>

#include <gtest/gtest.h>

#include "render/dib_page.h"
#include "tests/gui/gui_fixture.h"

namespace {

constexpr int kPageWidth = 7;  // odd, so the page's pitch (8) exceeds its width
constexpr int kPageHeight = 5;

COLORREF ColorOf(int index) { return RGB(index * 30 % 256, 255 - index * 7 % 256, index * 11 % 256); }

class PageFlipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = "FlipTarget";
        RegisterClassA(&windowClass);
        window = CreateWindowA("FlipTarget", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        PumpMessages();

        for (int i = 0; i < kPaletteEntries; ++i) {
            COLORREF color = ColorOf(i);
            palette.entries[i] = RGBQUAD{GetBValue(color), GetGValue(color), GetRValue(color), 0};
        }
        ASSERT_EQ(page.Create(kPageWidth, kPageHeight, 8, &palette), 1);
        for (int y = 0; y < kPageHeight; ++y)
            for (int x = 0; x < kPageWidth; ++x) page.pixels[y * page.pitch + x] = uint8_t(1 + y * kPageWidth + x);
    }
    void TearDown() override { DestroyWindow(window); }

    COLORREF WindowPixel(int x, int y)
    {
        HDC context = GetDC(window);
        COLORREF color = GetPixel(context, x, y);
        ReleaseDC(window, context);
        return color;
    }
    COLORREF PageColor(int x, int y) { return ColorOf(page.pixels[y * page.pitch + x]); }

    HWND window = nullptr;
    Palette palette;
    DibPage page;
};

}  // namespace

TEST_F(PageFlipTest, ZoomOneShowsEveryPixelAtTheOrigin)
{
    ASSERT_EQ(page.FlipAt(window, 10, 20, 1), 1);
    for (int y = 0; y < kPageHeight; ++y)
        for (int x = 0; x < kPageWidth; ++x)
            EXPECT_EQ(WindowPixel(10 + x, 20 + y), PageColor(x, y)) << x << "," << y;
    EXPECT_EQ(WindowPixel(9, 20), RGB(0, 0, 0)) << "nothing left of the page";
    EXPECT_EQ(WindowPixel(10 + kPageWidth, 20), RGB(0, 0, 0)) << "nothing right of the page";
}

TEST_F(PageFlipTest, ZoomThreeShowsEachPixelAsABlock)
{
    ASSERT_EQ(page.FlipAt(window, 5, 7, 3), 1);
    EXPECT_EQ(page.zoom, 3);
    for (int y = 0; y < kPageHeight; ++y)
        for (int x = 0; x < kPageWidth; ++x)
            for (int d = 0; d < 3; ++d)
                EXPECT_EQ(WindowPixel(5 + 3 * x + d, 7 + 3 * y + 2 - d), PageColor(x, y)) << x << "," << y;
    EXPECT_EQ(WindowPixel(5 + 3 * kPageWidth, 7), RGB(0, 0, 0));
}

TEST_F(PageFlipTest, FlipRectStretchesTheSourceRectangle)
{
    PixelRect source = {2, 0, 4, 1};        // 3 x 2 page pixels from the top ...
    PixelRect destination = {0, 0, 29, 19};  // ... shown 10 times larger
    ASSERT_EQ(page.FlipRect(window, &destination, &source), 1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(WindowPixel(10 * x + 5, 10 * y + 5), PageColor(2 + x, y)) << x << "," << y;

    // The whole page as source, the same picture as an explicit full rectangle.
    PixelRect whole = {0, 0, kPageWidth - 1, kPageHeight - 1};
    PixelRect small = {100, 100, 100 + kPageWidth - 1, 100 + kPageHeight - 1};
    ASSERT_EQ(page.FlipRect(window, &small, nullptr), 1);
    COLORREF first = WindowPixel(100, 100), last = WindowPixel(100 + kPageWidth - 1, 100 + kPageHeight - 1);
    ASSERT_EQ(page.FlipRect(window, &small, &whole), 1);
    EXPECT_EQ(WindowPixel(100, 100), first);
    EXPECT_EQ(first, PageColor(0, 0));
    EXPECT_EQ(last, PageColor(kPageWidth - 1, kPageHeight - 1));
}

TEST_F(PageFlipTest, APageWithoutPixelsDoesNotFlip)
{
    DibPage empty;
    EXPECT_EQ(empty.Flip(window), 0);
    EXPECT_EQ(empty.FlipRect(window, nullptr, nullptr), 0);
    EXPECT_EQ(empty.Create(10, 10, 16, nullptr), 0);
    EXPECT_EQ(empty.Flip(window), 0);
}
