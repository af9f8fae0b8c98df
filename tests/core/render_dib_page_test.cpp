// The off-screen page: creation, palette, view, and the drawing operations that pick a routine.
#include "render/dib_page.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>

#include "tests/core/render_test_support.h"

using namespace render_test;

namespace {

PALETTEENTRY GdiEntry(const DibPage& page, unsigned i)
{
    PALETTEENTRY e{};
    EXPECT_TRUE(GetHeadlessPaletteEntry(page.palette, i, &e));
    return e;
}

RGBQUAD TableEntry(const DibPage& page, int i)
{
    RGBQUAD q;
    std::memcpy(&q, reinterpret_cast<const uint8_t*>(page.info) + 40 + 4 * i, 4);
    return q;
}

// A sprite record over an image the test keeps.
Sprite SpriteOf(int width, int height, Bytes& image, bool compressed)
{
    Sprite s{};
    s.compressed = compressed;
    s.width = width;
    s.height = height;
    s.imageSize = uint32_t(image.size());
    s.image = image.data();
    return s;
}

Bytes PageRows(const DibPage& page)
{
    Bytes out;
    for (int y = 0; y < page.height; ++y) out.insert(out.end(), page.pixels + y * page.pitch, page.pixels + y * page.pitch + page.width);
    return out;
}

}  // namespace

TEST(DibPage, CreateLaysOutHeaderBufferAndDefaultPalette)
{
    DibPage page;
    ASSERT_EQ(page.Create(641, 10, 8, nullptr), 1);
    EXPECT_EQ(page.pitch, 644);
    EXPECT_EQ(page.colourCount, 256);
    const BITMAPINFOHEADER& h = page.info->bmiHeader;
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biWidth, 641);
    EXPECT_EQ(h.biHeight, -10);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 8);
    EXPECT_EQ(h.biSizeImage, 6440u);
    std::memset(page.pixels, 0, 6440);  // the whole buffer is there (checked by the sanitizers)

    // 0 black, 255 white, 224 pure red; 3-3-2 levels in between.
    const int expected[][4] = {{0, 0, 0, 0}, {255, 255, 255, 255}, {224, 255, 0, 0}, {0x49, 72, 72, 85}, {3, 0, 0, 255}};
    for (auto& e : expected) {
        const RGBQUAD q = TableEntry(page, e[0]);
        const PALETTEENTRY g = GdiEntry(page, unsigned(e[0]));
        EXPECT_EQ((std::vector<int>{q.rgbRed, q.rgbGreen, q.rgbBlue, q.rgbReserved}), (std::vector<int>{e[1], e[2], e[3], 0})) << e[0];
        EXPECT_EQ((std::vector<int>{g.peRed, g.peGreen, g.peBlue, g.peFlags}), (std::vector<int>{e[1], e[2], e[3], 0})) << e[0];
    }

    // A given palette is copied into the color table and the logical palette alike.
    Palette given;
    for (int i = 0; i < kPaletteEntries; ++i) given.entries[i] = RGBQUAD{uint8_t(i), uint8_t(i + 1), uint8_t(i + 2), 77};
    ASSERT_EQ(page.SetPalette(&given), 1);
    EXPECT_EQ(TableEntry(page, 9).rgbRed, 11);
    EXPECT_EQ(TableEntry(page, 9).rgbReserved, 0);
    EXPECT_EQ(GdiEntry(page, 9).peBlue, 9);

    ASSERT_EQ(page.Create(3, 2, 4, nullptr), 1);  // re-created: old buffers go, sizes follow
    EXPECT_EQ(page.colourCount, 16);
    EXPECT_EQ(page.pitch, 4);
    ASSERT_EQ(page.Create(5, 2, 24, nullptr), 1);
    EXPECT_EQ(page.bytesPerPixel, 3);
    EXPECT_EQ(page.colourCount, 0);
    EXPECT_EQ(page.SetPalette(nullptr), 1);
}

TEST(DibPage, RefusedSizesAndBitCountsLeaveAPageWithoutPixels)
{
    DibPage page;
    const int refused[][3] = {{10, 10, 16}, {0, 10, 8}, {10, 0, 8}, {-1, 10, 8}, {10, INT_MIN, 8},
                              {32769, 1, 8}, {1, 32769, 8}, {32768, 32768, 8}, {INT_MAX, INT_MAX, 24}};
    Bytes image = {1};
    Sprite one = SpriteOf(1, 1, image, false);
    for (auto& r : refused) {
        ASSERT_EQ(page.Create(8, 8, 8, nullptr), 1);
        EXPECT_EQ(page.Create(r[0], r[1], r[2], nullptr), 0) << r[0] << "x" << r[1] << "x" << r[2];
        EXPECT_EQ(page.pixels, nullptr);
        EXPECT_EQ(page.DrawSprite(0, 0, &one, 0, 0, 0), 0);
        page.FillBox(0, 0, 5, 5, 1);  // harmless without pixels
        page.DrawFrame(0, 0, 5, 5, 1, 1);
    }
    EXPECT_EQ(page.Create(32768, 2, 8, nullptr), 1);  // the caps themselves are allowed
    EXPECT_EQ(page.Create(8192, 8192, 8, nullptr), 1);
    page.Release();
    EXPECT_EQ(page.info, nullptr);
    EXPECT_EQ(page.palette, nullptr);
    EXPECT_EQ(page.SetPalette(nullptr), 1);
    EXPECT_EQ(page.width, 8192);  // sizes survive Release
}

// The selection strip re-creates its page only when the wanted size changes. After a refused
// size (a sprite past the caps, or one 0 pixels wide) the page must not pass for one of the size
// it had, nor be drawn on.
TEST(DibPage, ARefusedCreateLeavesNoPageThatPassesForTheOldOne)
{
    Bytes image = {1, 2, 3, 4};
    Sprite sprite = SpriteOf(2, 2, image, false);
    const int refused[][3] = {{40000, 8, 8}, {0, 8, 8}, {8, 8, 16}};
    for (auto& r : refused) {
        DibPage page;
        ASSERT_EQ(page.Create(8, 8, 8, nullptr), 1);
        EXPECT_TRUE(page.HasSize(8, 8));
        EXPECT_FALSE(page.HasSize(8, 9));
        EXPECT_EQ(page.Create(r[0], r[1], r[2], nullptr), 0);
        EXPECT_EQ((std::vector<int>{page.width, page.height, page.pitch}), (std::vector<int>{0, 0, 0}));
        EXPECT_EQ(page.pixels, nullptr);
        EXPECT_FALSE(page.HasSize(8, 8));
        EXPECT_FALSE(page.HasSize(r[0], r[1]));
        EXPECT_FALSE(page.HasSize(0, 0));
        EXPECT_EQ(page.DrawSprite(0, 0, &sprite, 0, 0, 0), 0);
        EXPECT_EQ(page.DrawSpriteOpaque(0, 0, &sprite, 0, 0, 0), 0);

        // The strip's next paint asks for the old size again and gets a whole page.
        ASSERT_EQ(page.Create(8, 8, 8, nullptr), 1);
        EXPECT_TRUE(page.HasSize(8, 8));
        std::memset(page.pixels, 9, size_t(page.pitch) * page.height);
        EXPECT_EQ(page.DrawSprite(0, 0, &sprite, 0, 0, 0), 1);
        EXPECT_EQ(page.pixels[page.pitch + 1], 4);
    }
    DibPage released;
    ASSERT_EQ(released.Create(8, 8, 8, nullptr), 1);
    released.Release();
    EXPECT_FALSE(released.HasSize(8, 8)) << "Release keeps the numbers but not the pixels";
}

TEST(DibPage, WindowToPageTruncatesTowardZero)
{
    DibPage page;
    page.SetView(10, 10, 2);
    int x = 99, y = 99;
    page.WindowToPage(9, 9, &x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(0, 0));
    page.WindowToPage(8, 8, &x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(-1, -1));
    page.WindowToPage(15, 4, &x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(2, -3));
    page.SetView(INT_MAX, INT_MIN, 0);  // no division by zero, no wrap
    page.WindowToPage(INT_MIN, INT_MAX, &x, &y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(INT_MIN, INT_MAX));
}

TEST(DibPage, LineAndBoxOperationsOrderCornersAndHonourTheMode)
{
    DibPage page, same;
    ASSERT_EQ(page.Create(30, 25, 8, nullptr), 1);
    ASSERT_EQ(same.Create(30, 25, 8, nullptr), 1);
    auto clear = [](DibPage& p) { std::memset(p.pixels, 0, size_t(p.pitch) * p.height); };
    clear(page);
    clear(same);
    page.DrawFrame(10, 20, 5, 2, 7, 0);
    SetDrawTarget(same.width, same.height, same.pitch);
    RectFrame(5, 2, 10, 20, same.pixels, 7);
    EXPECT_EQ(PageRows(page), PageRows(same));
    page.DrawFrame(10, 20, 5, 2, 7, 1);
    RectFrameInvert(5, 2, 10, 20, same.pixels);
    page.FillBox(29, 24, 20, 18, 3);
    RectFill(20, 18, 29, 24, same.pixels, 3);
    page.DrawHLine(0, 4, 30, 9, 1);
    HLineInvert(0, 4, 30, same.pixels);
    page.DrawVLine(2, 0, 25, 9, 0);
    VLineFill(2, 0, 25, same.pixels, 9);
    EXPECT_EQ(PageRows(page), PageRows(same));
    const Bytes before = PageRows(page);
    page.DrawHLine(0, 0, 30, 5, 2);
    page.DrawVLine(0, 0, 30, 5, -1);
    page.DrawFrame(0, 0, 9, 9, 5, 2);
    EXPECT_EQ(PageRows(page), before);
}

// The 3 x 2 sprite with rows (1, 0, 2) and (3, 4, 0) on a page of 9s.
TEST(DibPage, DrawSpriteChoosesTheRoutineByFlagsAndImageKind)
{
    Bytes raw = {1, 0, 2, 3, 4, 0};
    Sprite sprite = SpriteOf(3, 2, raw, false);
    DibPage page;
    ASSERT_EQ(page.Create(3, 2, 8, nullptr), 1);
    auto draw = [&](bool opaque, int x, int y, int flags, int color, int table) {
        std::memset(page.pixels, 9, size_t(page.pitch) * page.height);
        const int result = opaque ? page.DrawSpriteOpaque(x, y, &sprite, flags, color, table)
                                  : page.DrawSprite(x, y, &sprite, flags, color, table);
        EXPECT_EQ(result, 1);
        return PageRows(page);
    };
    EXPECT_EQ(draw(false, 0, 0, 0, 0, 0), (Bytes{1, 9, 2, 3, 4, 9}));
    EXPECT_EQ(draw(false, 0, 0, 1, 0, 0), (Bytes{2, 9, 1, 9, 4, 3}));
    EXPECT_EQ(draw(false, 0, 0, 2, 0, 0), (Bytes{3, 4, 9, 1, 9, 2}));
    EXPECT_EQ(draw(false, 0, 0, 3, 0, 0), (Bytes{9, 4, 3, 2, 9, 1}));
    EXPECT_EQ(draw(true, 0, 0, 0, 0, 0), (Bytes{1, 0, 2, 3, 4, 0}));
    EXPECT_EQ(draw(false, 0, 0, 8, 5, 0), (Bytes{5, 9, 5, 5, 5, 9}));
    EXPECT_EQ(draw(false, -1, -1, 0, 0, 0), (Bytes{4, 9, 9, 9, 9, 9}));
    EXPECT_EQ(draw(false, -1, 0, 1, 0, 0), (Bytes{9, 1, 9, 4, 3, 9}));
    EXPECT_EQ(draw(true, 0, 0, 8, 5, 0), Bytes(6, 9));
    EXPECT_EQ(draw(false, 0, 0, 4, 0, 7), Bytes(6, 9));
    EXPECT_EQ(draw(false, 0, 0, 12, 1, -1), Bytes(6, 9));
    EXPECT_EQ(draw(false, 0, 0, 4, 0, 0), (Bytes{0, 9, 0, 0, 0, 9}));  // zero tables write 0
    EXPECT_EQ(draw(false, 3, 0, 0, 0, 0), Bytes(6, 9));
    EXPECT_EQ(page.DrawSprite(0, 0, nullptr, 0, 0, 0), 0);
    EXPECT_EQ(page.DrawSpriteOpaque(0, 0, nullptr, 0, 0, 0), 0);
    Sprite empty = sprite;
    empty.image = nullptr;
    EXPECT_EQ(page.DrawSprite(0, 0, &empty, 0, 0, 0), 1);
}

TEST(DibPage, EveryFlagCombinationOfBothOperationsMatchesTheModel)
{
    PatternedBlendTables tables;
    std::mt19937 rng(3);
    DibPage page;
    ASSERT_EQ(page.Create(29, 21, 8, nullptr), 1);  // pitch 32: three bytes past each row
    for (int round = 0; round < 40; ++round) {
        const int w = 1 + int(rng() % 40), h = 1 + int(rng() % 30);
        Bytes raw = RandomSprite(rng, w, h), form = EncodeRle(raw, w, h);
        for (bool compressed : {false, true})
            for (bool opaque : {false, true})
                for (int flags = 0; flags < 32; ++flags) {  // bit 16 is not read
                    Sprite sprite = SpriteOf(w, h, compressed ? form : raw, compressed);
                    const int x = int(rng() % 60) - 30, y = int(rng() % 40) - 20, color = int(rng() % 256);
                    const int table = int(rng() % 8);
                    for (int i = 0; i < page.pitch * page.height; ++i) page.pixels[i] = uint8_t(rng());
                    const Bytes before(page.pixels, page.pixels + page.pitch * page.height);
                    GuardedPage expected(29, 21, 29, 0);
                    for (int py = 0; py < 21; ++py) std::memcpy(&expected.At(0, py), page.pixels + py * 32, 29);
                    expected.Target();
                    const int mode = flags & 12;
                    const Rule rule = mode == 0 ? Rule::Copy : mode == 4 ? Rule::Blend : mode == 8 ? Rule::Solid : Rule::Tint;
                    const SpriteModel model = compressed ? ModelOfRle(form, w, h) : ModelOfRaw(raw, w, h, !opaque);
                    if (compressed || !opaque || mode == 0) DrawModel(expected, model, x, y, flags & 3, rule, color, table);
                    ASSERT_EQ(opaque ? page.DrawSpriteOpaque(x, y, &sprite, flags, color, table)
                                     : page.DrawSprite(x, y, &sprite, flags, color, table), 1);
                    ASSERT_EQ(PageRows(page), Bytes(expected.Pixels(), expected.Pixels() + 29 * 21))
                        << "flags " << flags << " compressed " << compressed << " opaque " << opaque;
                    for (int i = 0; i < page.pitch * page.height; ++i)
                        if (i % page.pitch >= page.width) {
                            ASSERT_EQ(page.pixels[i], before[i]) << "padding " << i;
                        }
                }
    }
}

// A clipped page draws only inside its clip (cut to the page); an empty clip draws nothing and
// is no failure; unclipped, the whole page is reached again.
TEST(DibPage, DrawingClipConfinesEveryOperation)
{
    DibPage page;
    ASSERT_EQ(page.Create(9, 7, 8, nullptr), 1);
    Bytes image(9 * 7, 5);
    Sprite sprite = SpriteOf(9, 7, image, false);
    auto inside = [](int x, int y) { return x >= 2 && x <= 5 && y >= 0 && y <= 4; };

    std::memset(page.pixels, 0, size_t(page.pitch) * page.height);
    page.ClipDrawing({2, -3, 5, 4});
    EXPECT_EQ(page.DrawSpriteOpaque(0, 0, &sprite, 0, 0, 0), 1);
    page.DrawHLine(0, 1, 9, 7, 0);
    page.DrawVLine(3, -10, 30, 0, 1);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 9; ++x) {
            int want = !inside(x, y) ? 0 : x == 3 ? 255 - (y == 1 ? 7 : 5) : y == 1 ? 7 : 5;
            EXPECT_EQ(page.pixels[y * page.pitch + x], want) << x << "," << y;
        }

    page.ClipDrawing({20, 0, 30, 6});  // beside the page
    EXPECT_EQ(page.DrawSpriteOpaque(0, 0, &sprite, 0, 0, 0), 1);
    page.FillBox(0, 0, 8, 6, 9);
    EXPECT_EQ(page.pixels[0], 0);

    page.UnclipDrawing();
    page.FillBox(0, 0, 8, 6, 9);
    EXPECT_EQ(PageRows(page), Bytes(9 * 7, 9));
}
