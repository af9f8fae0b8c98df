// Finding sprites on a sheet: connected regions, their merging and reading order, grid cells, and
// the figures of a loaded picture or of a part of it. Sheets are drawn as text: '.' is index 0,
// any other character a non-zero index.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/image_buffer.h"
#include "image/regions.h"
#include "image/row_mask.h"
#include "tests/core/image_test_files.h"

namespace {

struct Art {
    std::vector<uint8_t> pixels;
    int width = 0;
    int height = 0;

    explicit Art(const std::vector<std::string>& rows)
    {
        height = int(rows.size());
        width = int(rows[0].size());
        for (const std::string& row : rows)
            for (char c : row) pixels.push_back(c == '.' ? 0 : uint8_t(c));
    }
    // Seen top row first, as stored; or stored bottom row first, as a loaded sheet is.
    SheetView View(bool bottomUp = false) const
    {
        SheetView v;
        v.width = width;
        v.height = height;
        v.rowStep = bottomUp ? -width : width;
        v.top = pixels.data();
        return v;
    }
};

std::string Text(const std::vector<PixelRect>& rects)
{
    std::string out;
    for (const PixelRect& r : rects)
        out += "(" + std::to_string(r.x1) + "," + std::to_string(r.y1) + "," + std::to_string(r.x2) + "," +
               std::to_string(r.y2) + ")";
    return out;
}

struct RegionCase {
    const char* name;
    std::vector<std::string> art;
    int gap;
    const char* expected;  // rectangles in reading order
};

TEST(FindRegions, FindsMergesAndOrdersRegions)
{
    const std::vector<RegionCase> cases = {
        {"empty sheet", {"....", "...."}, 0, ""},
        {"whole sheet", {"ab", "cd"}, 0, "(0,0,1,1)"},
        {"corner contact joins", {"a...", ".b..", "..c."}, 0, "(0,0,2,2)"},
        {"anti-diagonal contact joins", {"...a", "..b.", ".c.."}, 0, "(1,0,3,2)"},
        {"one blank pixel between splits", {"a.b"}, 0, "(0,0,0,0)(2,0,2,0)"},
        {"ring with hole stays one", {"aaaa", "a..a", "aaaa"}, 0, "(0,0,3,2)"},
        {"dot in a hole merges", {"aaaaa", "a...a", "a.b.a", "a...a", "aaaaa"}, 0, "(0,0,4,4)"},
        {"U shape joins below", {"a.a", "a.a", "aaa"}, 0, "(0,0,2,2)"},
        {"V shape joins at the foot", {"a...a", ".a.a.", "..a.."}, 0, "(0,0,4,2)"},
        {"bar under two posts joins them", {"a.a.a", "a.a.a", "aaaaa"}, 0, "(0,0,4,2)"},
        {"bars joined late keep one rectangle", {"a..b", "a..b", "accb"}, 0, "(0,0,3,2)"},
        {"overlapping rectangles merge",
         {"aaaa.", "a....", "a..b.", "a....", "....."},
         0,
         "(0,0,3,3)"},
        {"different colors side by side are one region", {"ab", "ab"}, 0, "(0,0,1,1)"},
        {"side by side, one blank column, gap 1", {"a.b"}, 1, "(0,0,0,0)(2,0,2,0)"},
        {"side by side, one blank column, gap 2", {"a.b"}, 2, "(0,0,2,0)"},
        {"rectangles touching, pixels not, gap 0", {"aaa.", "a...", "a...", "a..b"}, 0, "(0,0,2,3)(3,3,3,3)"},
        {"rectangles touching, pixels not, gap 1", {"aaa.", "a...", "a...", "a..b"}, 1, "(0,0,3,3)"},
        {"a gap merges a row of close figures", {"a..b..c"}, 3, "(0,0,6,0)"},
        // a and b overlap; only their union overlaps c, so a second pass is needed.
        {"merging repeats until no pair is close", {"aaa.c", "a....", "a...b", "....b", "..bbb"}, 0, "(0,0,4,4)"},
        {"every edge and corner",
         {"a...b", ".....", "c...d", ".....", "e.f.g"},
         0,
         "(0,0,0,0)(4,0,4,0)(0,2,0,2)(4,2,4,2)(0,4,0,4)(2,4,2,4)(4,4,4,4)"},
        {"rows read left to right although tops differ",
         {"..b.....", "a.b..d..", "a.b..d.e", "a....d.e", "........", ".f......"},
         0,
         "(0,1,0,3)(2,0,2,2)(5,1,5,3)(7,2,7,3)(1,5,1,5)"},
        {"a figure starting below the row's first bottom starts a new row",
         {"a...", "a...", "...b"},
         0,
         "(0,0,0,1)(3,2,3,2)"},
    };
    for (const RegionCase& c : cases) {
        Art art(c.art);
        EXPECT_EQ(Text(FindRegions(art.View(), c.gap)), c.expected) << c.name;
    }
}

TEST(FindRegions, LongRowsAndBottomUpStorage)
{
    // Widths around the 64-pixel words of the row masks, runs starting, ending and crossing words
    // anywhere, whole words of opaque pixels included.
    for (int width : {1, 7, 15, 17, 63, 64, 65, 127, 128, 129, 641}) {
        for (int start : {0, 1, 7, 60, 63, 64, width / 2, width - 1}) {
            for (int length : {1, 10, 70, 130, 700}) {
                if (start >= width) continue;
                std::vector<std::string> rows(3, std::string(size_t(width), '.'));
                const int end = std::min(width - 1, start + length - 1);
                for (int x = start; x <= end; ++x) rows[1][size_t(x)] = 'q';
                if (end + 2 < width) rows[2][size_t(end + 2)] = 'r';  // a separate figure just past the end
                Art art(rows);
                std::string expected = "(" + std::to_string(start) + ",1," + std::to_string(end) + ",1)";
                if (end + 2 < width) expected += "(" + std::to_string(end + 2) + ",2," + std::to_string(end + 2) + ",2)";
                const std::string where = std::to_string(width) + " " + std::to_string(start) + " " + std::to_string(length);
                EXPECT_EQ(Text(FindRegions(art.View(), 0)), expected) << where;
                // The same rows stored bottom row first and seen from the last one.
                std::vector<std::string> flippedRows(rows.rbegin(), rows.rend());
                Art flipped(flippedRows);
                SheetView view = flipped.View(true);
                view.top = flipped.pixels.data() + size_t(flipped.width) * size_t(flipped.height - 1);
                EXPECT_EQ(Text(FindRegions(view, 0)), expected) << where;
            }
        }
    }
}

TEST(FindRegions, CheckerboardIsOneRegion)
{
    std::vector<std::string> rows;
    for (int y = 0; y < 33; ++y) {
        std::string row;
        for (int x = 0; x < 33; ++x) row += (x + y) % 2 ? '.' : 'z';
        rows.push_back(row);
    }
    EXPECT_EQ(Text(FindRegions(Art(rows).View(), 0)), "(0,0,32,32)");
}

// A loaded picture keeps its rows bottom row first, padded (a width of 10 is stored in 12 bytes);
// the figures come out in picture pixels, whole or within an area.
TEST(FindFigures, TheWholePictureOrThePartInsideAnArea)
{
    const Art art({"..........",
                   ".aa....b..",
                   ".aa....b..",
                   "......cc..",
                   "..........",
                   "dddd......"});
    TestPicture drawn{art.width, art.height, 1, Bytes(art.pixels.begin(), art.pixels.end())};
    const Bytes file = MakeBmp8(drawn);
    ImageBuffer picture;
    ASSERT_EQ(picture.LoadBmpFromMemory(file.data(), file.size(), "sheet.bmp"), 1);
    const struct {
        const char* what;
        bool whole;
        PixelRect area;
        const char* expected;
    } cases[] = {
        {"the whole picture, b and c touching at a corner", true, {}, "(1,1,2,2)(6,1,7,3)(0,5,3,5)"},
        {"around a and b, corners reversed: c left out", false, {8, 0, 0, 2}, "(1,1,2,2)(7,1,7,2)"},
        {"past every edge: the whole picture", false, {-5, -5, 50, 50}, "(1,1,2,2)(6,1,7,3)(0,5,3,5)"},
        {"across d: the part inside", false, {2, 4, 9, 5}, "(2,5,3,5)"},
        {"one pixel of a", false, {2, 2, 2, 2}, "(2,2,2,2)"},
        {"blank pixels only", false, {3, 0, 5, 4}, ""},
        {"outside the picture", false, {20, 20, 30, 30}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(FindFigures(picture, c.whole ? nullptr : &c.area, 0)), c.expected) << c.what;

    BmpFields packed;  // 16 colours, two pixels a byte
    packed.width = 4;
    packed.height = 2;
    packed.bits = 4;
    packed.table = TestColorTable(16);
    packed.pixels = Bytes(8, 0x11);
    const Bytes packedFile = MakeBmp(packed);
    ImageBuffer fourBits;
    ASSERT_EQ(fourBits.LoadBmpFromMemory(packedFile.data(), packedFile.size(), "packed.bmp"), 1);
    EXPECT_TRUE(FindFigures(fourBits, nullptr, 0).empty()) << "figures are found on 8-bit pictures only";
}

TEST(GridCells, WholeCellsOnlyAndEmptyCellsLeftOut)
{
    Art art({"........",
             ".ab.cd..",
             ".ef.gh..",
             ".ij.....",
             ".kl.....",
             "........"});
    GridSpec grid;
    ASSERT_TRUE(ParseGridSpec("2x2+1+1", &grid));
    // Columns 1-2 and 3-4 and 5-6 fit; the last column and row hold no whole cell.
    EXPECT_EQ(Text(GridCells(art.View(), grid, false)), "(1,1,2,2)(3,1,4,2)(5,1,6,2)(1,3,2,4)");
    EXPECT_EQ(Text(GridCells(art.View(), grid, true)),
              "(1,1,2,2)(3,1,4,2)(5,1,6,2)(1,3,2,4)(3,3,4,4)(5,3,6,4)");
    ASSERT_TRUE(ParseGridSpec("9x1", &grid));
    EXPECT_EQ(Text(GridCells(art.View(), grid, true)), "");
}

TEST(GridCells, ParsesTheGridText)
{
    GridSpec g;
    ASSERT_TRUE(ParseGridSpec("32x48", &g));
    EXPECT_EQ(g.cellWidth, 32);
    EXPECT_EQ(g.cellHeight, 48);
    EXPECT_EQ(g.offsetX, 0);
    ASSERT_TRUE(ParseGridSpec("3X4+5+6", &g));
    EXPECT_EQ(g.offsetX, 5);
    EXPECT_EQ(g.offsetY, 6);
    for (const char* bad : {"", "32", "32x", "x48", "0x4", "4x0", "4x4+1", "4x4+1+", "4x4-1-1", "4x4+1+1+1",
                            "4 x4", "1234567890x1", "-4x4"})
        EXPECT_FALSE(ParseGridSpec(bad, &g)) << bad;
}

}  // namespace

namespace {

// Every version of the row mask this processor runs agrees with the pixels, and so does the
// summary, on rows of odd widths with runs, blanks and whole opaque words.
TEST(RowMask, EveryVersionMatchesThePixels)
{
    std::vector<RowMaskFunction> versions = {RowMaskSse2};
    if (HaveAvx2()) versions.push_back(RowMaskAvx2);
    uint32_t state = 12345;
    for (int width : {1, 15, 63, 64, 65, 127, 128, 129, 200, 641, 4200}) {
        for (int pattern = 0; pattern < 4; ++pattern) {
            std::vector<uint8_t> row(size_t(width) + 64, 0xEE);  // bytes past the end are not pixels
            for (int x = 0; x < width; ++x) {
                state = state * 1103515245u + 12345u;
                const bool opaque = pattern == 0 ? (state >> 16) % 2 : pattern == 1 ? (x / 70) % 2 : pattern == 2;
                row[size_t(x)] = opaque ? uint8_t(1 + (state >> 8) % 255) : 0;
            }
            const int count = (width + 63) / 64;
            for (RowMaskFunction version : versions) {
                std::vector<uint64_t> words(size_t(count), 0xDEADu);
                version(row.data(), width, words.data());
                for (int x = 0; x < count * 64; ++x) {
                    const bool bit = (words[size_t(x / 64)] >> (x % 64)) & 1;
                    ASSERT_EQ(bit, x < width && row[size_t(x)] != 0) << width << " " << pattern << " " << x;
                }
                std::vector<uint64_t> summary(size_t(count + 63) / 64);
                Summarise(words.data(), count, summary.data());
                for (int k = 0; k < count; ++k)
                    ASSERT_EQ((summary[size_t(k / 64)] >> (k % 64)) & 1, uint64_t(words[size_t(k)] != 0)) << width << " " << k;
            }
        }
    }
}

}  // namespace
