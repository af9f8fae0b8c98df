// The indexing of true-colour sheets: the background and order rules on small drawn pictures, the
// same result from every memory layout a reader hands over, the 256-colour limit and the count
// in its refusal, and odd sizes against the plainly written rule.
#include "image/true_color.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "tests/core/indexed_model.h"

namespace {

// The colours of the drawn pictures. '.' and ',' are fully transparent with different red,
// green and blue; 'a' is A's colour at alpha 128 and 'b' B's at alpha 1; 'k' is the red, green
// and blue of '.', opaque.
Rgba Legend(char c)
{
    switch (c) {
    case 'A': return {200, 10, 10, 255};
    case 'B': return {10, 200, 10, 255};
    case 'C': return {10, 10, 200, 255};
    case 'D': return {255, 255, 255, 255};
    case 'a': return {200, 10, 10, 128};
    case 'b': return {10, 200, 10, 1};
    case '.': return {1, 2, 3, 0};
    case ',': return {9, 9, 9, 0};
    case 'k': return {1, 2, 3, 255};
    default: return {0, 0, 0, 255};
    }
}

struct Drawn {
    int width = 0, height = 0;
    std::vector<Rgba> pixels;  // top row first
};

Drawn Draw(const std::vector<std::string>& rows)
{
    Drawn d;
    d.height = int(rows.size());
    d.width = int(rows[0].size());
    for (const std::string& row : rows)
        for (char c : row) d.pixels.push_back(Legend(c));
    return d;
}

// How a reader may hold the pixels: channel order, bytes a pixel, row order and padding.
enum class Layout { kRgbaTopDown, kBgraBottomUp, kArgbTopDown, kBgrPaddedBottomUp };

struct Held {
    Bytes bytes;
    TrueColorPixels pixels;
};

Held Hold(const Drawn& d, Layout layout, bool zeroAlphaMeansOpaque = false)
{
    Held held;
    TrueColorPixels& p = held.pixels;
    p.width = d.width;
    p.height = d.height;
    p.zeroAlphaMeansOpaque = zeroAlphaMeansOpaque;
    int order[4] = {0, 1, 2, 3};  // byte of red, green, blue, alpha
    bool bottomUp = false;
    switch (layout) {
    case Layout::kRgbaTopDown: break;
    case Layout::kBgraBottomUp: order[0] = 2, order[2] = 0, bottomUp = true; break;
    case Layout::kArgbTopDown: order[0] = 1, order[1] = 2, order[2] = 3, order[3] = 0; break;
    case Layout::kBgrPaddedBottomUp: order[0] = 2, order[2] = 0, order[3] = -1, bottomUp = true; break;
    }
    p.bytesPerPixel = order[3] < 0 ? 3 : 4;
    p.red = order[0], p.green = order[1], p.blue = order[2], p.alpha = order[3];
    const int64_t rowBytes = order[3] < 0 ? (int64_t(d.width) * 3 + 3) / 4 * 4 : int64_t(d.width) * 4;
    held.bytes.assign(size_t(rowBytes * d.height), 0xEE);
    for (int y = 0; y < d.height; ++y)
        for (int x = 0; x < d.width; ++x) {
            const Rgba& c = d.pixels[size_t(y) * d.width + x];
            uint8_t* at = &held.bytes[size_t((bottomUp ? d.height - 1 - y : y) * rowBytes + x * p.bytesPerPixel)];
            const uint8_t channels[4] = {c.r, c.g, c.b, c.a};
            for (int k = 0; k < 4; ++k)
                if (order[k] >= 0) at[order[k]] = channels[k];
        }
    p.topRow = held.bytes.data() + (bottomUp ? (d.height - 1) * rowBytes : 0);
    p.rowStep = bottomUp ? -rowBytes : rowBytes;
    return held;
}

// Indices as a text, one hex digit a pixel, rows apart with '/'.
std::string IndexText(const Bytes& indices, int width)
{
    std::string text;
    for (size_t i = 0; i < indices.size(); ++i) {
        if (i > 0 && i % size_t(width) == 0) text += '/';
        text += "0123456789abcdef"[indices[i] & 15];
    }
    return text;
}

std::string TableText(const ImageBuffer& picture, int entries)
{
    std::string text;
    for (int i = 0; i < entries; ++i) {
        const RGBQUAD& c = picture.ColorTable()[i];
        char entry[24];
        std::snprintf(entry, sizeof entry, "%s%d,%d,%d", i > 0 ? " " : "", c.rgbRed, c.rgbGreen, c.rgbBlue);
        text += entry;
    }
    return text;
}

std::string TableOf(const std::string& legend)
{
    std::string text;
    for (size_t i = 0; i < legend.size(); ++i) {
        const Rgba c = Legend(legend[i]);
        text += (i > 0 ? " " : "") + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b);
    }
    return text;
}

}  // namespace

TEST(TrueColor, BackgroundAndOrderRules)
{
    const struct {
        const char* rule;
        std::vector<std::string> rows;
        const char* indices;
        const char* table;  // legend characters, entry by entry
        bool zeroAlphaMeansOpaque;
    } cases[] = {
        {"no transparency: the top-left colour is 0, the rest by first appearance", {"BAAB", "CABD"}, "0110/2103",
         "BACD", false},
        {"transparent pixels are 0 though the top-left is opaque", {"AB.", ".AC"}, "120/013", ".ABC", false},
        {"transparent pixels are one colour; entry 0 is the first one's", {"A,.", ".A,"}, "100/010", ",A", false},
        {"partial alpha counts as opaque with its colour", {"Aa", "bB"}, "00/11", "AB", false},
        {"an opaque colour with the transparent pixels' red, green and blue keeps its own index",
         {"k.", ".k"}, "10/01", ".k", false},
        {"all alpha 0 where a file may leave the byte unused: opaque", {".,", ",."}, "01/10", ".,", true},
        {"all alpha 0 where alpha is meant: one transparent colour", {".,", ",."}, "00/00", ".", false},
        {"with any alpha set, 0 is transparent even where the byte may be unused", {"A.", "B."}, "10/20", ".AB",
         true},
        {"one pixel", {"C"}, "0", "C", false},
    };
    for (const auto& c : cases) {
        const Drawn drawn = Draw(c.rows);
        bool hasAlpha = false;
        for (const Rgba& p : drawn.pixels) hasAlpha = hasAlpha || p.a != 255;
        for (Layout layout : {Layout::kRgbaTopDown, Layout::kBgraBottomUp, Layout::kArgbTopDown,
                              Layout::kBgrPaddedBottomUp}) {
            if (hasAlpha && layout == Layout::kBgrPaddedBottomUp) continue;
            SCOPED_TRACE(std::string(c.rule) + ", layout " + std::to_string(int(layout)));
            const Held held = Hold(drawn, layout, c.zeroAlphaMeansOpaque);
            ImageBuffer picture;
            ASSERT_EQ(IndexTrueColor(picture, held.pixels), 1) << picture.message;
            EXPECT_EQ(IndexText(PictureIndices(picture), drawn.width), c.indices);
            const int colors = int(std::string(c.table).size());
            EXPECT_EQ(TableText(picture, colors), TableOf(c.table));
            EXPECT_EQ(picture.sheetColors, colors);
            EXPECT_EQ(TableText(picture, colors + 1).substr(TableText(picture, colors).size()),
                      colors < 256 ? " 0,0,0" : "")
                << "entries past the colours are zero";
        }
    }
}

// Pictures of `count` distinct colours (one of them transparent when `transparent`), each colour
// repeated `repeat` times in a row, as one long row wrapped at `width`.
Drawn ManyColors(int count, bool transparent, int repeat, int width)
{
    Drawn d;
    d.width = width;
    for (int i = 0; i < count; ++i) {
        const Rgba c = transparent && i == count - 1 ? Rgba{0, 0, 0, 0}
                                                      : Rgba{uint8_t(i), uint8_t(i >> 8), uint8_t(i >> 16), 255};
        for (int r = 0; r < repeat; ++r) d.pixels.push_back(c);
    }
    while (d.pixels.size() % size_t(width) != 0) d.pixels.push_back(d.pixels.back());
    d.height = int(d.pixels.size()) / width;
    return d;
}

TEST(TrueColor, AtMost256ColoursAndTheRefusalSaysHowMany)
{
    const struct {
        const char* what;
        Drawn picture;
        int colors;
    } cases[] = {
        {"256 opaque", ManyColors(256, false, 1, 16), 256},
        {"255 opaque and the transparent one", ManyColors(256, true, 3, 40), 256},
        {"257 opaque", ManyColors(257, false, 1, 16), 257},
        {"256 opaque and the transparent one", ManyColors(257, true, 2, 33), 257},
        {"300, each repeated past the point of refusal", ManyColors(300, false, 5, 641), 300},
        {"70000, every pixel its own", ManyColors(70000, false, 1, 280), 70000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Held held = Hold(c.picture, Layout::kBgraBottomUp);
        ImageBuffer picture;
        const int loaded = IndexTrueColor(picture, held.pixels);
        EXPECT_EQ(picture.sheetColors, c.colors);
        if (c.colors <= 256) {
            ASSERT_EQ(loaded, 1) << picture.message;
            ExpectIndexedAs(picture, ModelIndexing(c.picture.pixels, true));
            continue;
        }
        EXPECT_EQ(loaded, 0);
        EXPECT_EQ(picture.block, nullptr);
        EXPECT_EQ(std::string(picture.message), "그림의 색이 " + std::to_string(c.colors) +
                                                     "가지입니다. 그림 프로그램에서 256색으로 줄여 주십시오.");
    }
    // The same picture again after a refusal: the picture object serves on.
    ImageBuffer picture;
    EXPECT_EQ(IndexTrueColor(picture, Hold(ManyColors(257, false, 1, 16), Layout::kRgbaTopDown).pixels), 0);
    EXPECT_EQ(IndexTrueColor(picture, Hold(ManyColors(20, false, 1, 16), Layout::kRgbaTopDown).pixels), 1);
    EXPECT_EQ(picture.sheetColors, 20);
}

TEST(TrueColor, OddSizesFollowTheRule)
{
    std::mt19937 random(15);
    for (int width : {1, 3, 4, 5, 7, 9, 15, 17, 31, 33, 641}) {
        // Colours in runs, as on a sheet, from a few hundred red-green-blue values and alphas.
        Drawn d;
        d.width = width;
        d.height = 5;
        Rgba current{0, 0, 0, 255};
        for (int i = 0; i < width * d.height; ++i) {
            if (random() % 3 == 0) {
                const unsigned v = random() % 200;
                const uint8_t alpha = random() % 8 == 0 ? 0 : random() % 2 ? 255 : uint8_t(random() % 255 + 1);
                current = Rgba{uint8_t(v * 3), uint8_t(v % 7), uint8_t(v / 2), alpha};
            }
            d.pixels.push_back(current);
        }
        for (Layout layout : {Layout::kRgbaTopDown, Layout::kBgraBottomUp, Layout::kBgrPaddedBottomUp}) {
            SCOPED_TRACE("width " + std::to_string(width) + ", layout " + std::to_string(int(layout)));
            ImageBuffer picture;
            ASSERT_EQ(IndexTrueColor(picture, Hold(d, layout).pixels), 1) << picture.message;
            EXPECT_EQ(picture.Width(), width);
            EXPECT_EQ(picture.Height(), 5);
            EXPECT_NE(picture.paletteHandle, nullptr);
            ExpectIndexedAs(picture, ModelIndexing(d.pixels, layout != Layout::kBgrPaddedBottomUp));
        }
    }
}

TEST(TrueColor, IndexedPicturesAreStoredAsTheyCome)
{
    const Bytes indices = {0, 1, 2, 255, 7, 7, 9, 200, 3, 4};  // 5 x 2
    const RGBQUAD table[3] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
    ImageBuffer picture;
    ASSERT_EQ(StoreIndexed(picture, indices.data(), 5, 2, table, 3), 1);
    EXPECT_EQ(PictureIndices(picture), indices);
    EXPECT_EQ(picture.stride, 8);
    EXPECT_EQ(picture.ColorTable()[2].rgbRed, 9);
    EXPECT_EQ(picture.ColorTable()[3].rgbRed, 0);
    EXPECT_EQ(picture.sheetColors, 0) << "an indexed picture keeps its own table";
    EXPECT_EQ(StoreIndexed(picture, indices.data(), 0, 2, table, 3), 0);
    EXPECT_EQ(picture.block, nullptr);
}
