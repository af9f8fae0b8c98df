#include "image/image_buffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "image/image_layout.h"
#include "tests/core/image_test_files.h"

namespace {

struct FreeDeleter {
    void operator()(uint8_t* p) const { std::free(p); }
};
using Region = std::unique_ptr<uint8_t, FreeDeleter>;

class PictureTest : public ::testing::Test {
protected:
    // Writes the bytes to a file and loads it as a BMP; fails the test when the load fails.
    void Load(const Bytes& bmp)
    {
        std::string path = dir.File("picture.bmp");
        ASSERT_TRUE(WriteBytes(path, bmp));
        ASSERT_EQ(picture.LoadBmp(path.c_str()), 1) << picture.message;
    }

    // The region as a picture: compares it with the rectangle of `expected`.
    void ExpectRegion(int x, int y, int w, int h, const TestPicture& expected)
    {
        Region region(picture.CopyRegion(x, y, w, h));
        ASSERT_NE(region, nullptr) << x << "," << y << " " << w << "x" << h;
        int p = expected.bytesPerPixel;
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col)
                for (int c = 0; c < p; ++c)
                    ASSERT_EQ(region.get()[(size_t(row) * w + col) * p + c], expected.At(x + col, y + row, c))
                        << "pixel " << col << "," << row << " of region " << x << "," << y << " " << w << "x" << h;
    }

    TempDir dir;
    ImageBuffer picture;
};

TEST_F(PictureTest, EmptyPictureHasNothingToGive)
{
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.Height(), 0);
    EXPECT_EQ(picture.Pixels(), nullptr);
    EXPECT_EQ(picture.ColorTable(), nullptr);
    EXPECT_EQ(picture.CopyRegion(0, 0, 1, 1), nullptr);
    EXPECT_EQ(picture.BuildPalette(), 0);
    picture.Unload();
    picture.Unload();
    EXPECT_EQ(picture.block, nullptr);
}

TEST_F(PictureTest, OneAndFourBitPicturesLoadButAreNotCopied)
{
    for (int bits : {1, 4}) {
        int colors = 1 << bits;
        BmpFields f;
        f.width = 9;
        f.height = 2;
        f.bits = uint16_t(bits);
        f.table = TestColorTable(colors);
        f.pixels = Bytes(RowBytes(9, bits) * 2, 0x35);
        Load(MakeBmp(f));
        EXPECT_EQ(picture.colorCount, colors);
        ASSERT_NE(picture.paletteHandle, nullptr);
        PALETTEENTRY last;
        ASSERT_TRUE(GetHeadlessPaletteEntry(picture.paletteHandle, unsigned(colors - 1), &last));
        EXPECT_FALSE(GetHeadlessPaletteEntry(picture.paletteHandle, unsigned(colors), &last));
        EXPECT_EQ(picture.Pixels()[0], 0x35);
        EXPECT_EQ(picture.CopyRegion(0, 0, 1, 1), nullptr) << bits << " bits";
    }
}

TEST_F(PictureTest, LogicalPaletteTakesTheColorTable)
{
    Load(MakeBmp8(PatternPicture(3, 2)));
    ASSERT_NE(picture.logPalette, nullptr);
    EXPECT_EQ(picture.logPalette->palVersion, 0x300);
    EXPECT_EQ(picture.logPalette->palNumEntries, 256);
    const RGBQUAD* table = picture.ColorTable();
    for (unsigned i = 0; i < 256; ++i) {
        PALETTEENTRY entry;
        ASSERT_TRUE(GetHeadlessPaletteEntry(picture.paletteHandle, i, &entry));
        EXPECT_EQ(entry.peRed, table[i].rgbRed);
        EXPECT_EQ(entry.peGreen, table[i].rgbGreen);
        EXPECT_EQ(entry.peBlue, table[i].rgbBlue);
        EXPECT_EQ(entry.peFlags, 0);
    }
    EXPECT_EQ(table[7].rgbRed, 36);  // red of the test table is i * 5 + 1
}

TEST_F(PictureTest, TenPixelRowsAreStoredTwelveBytesApartAndCopiedTenBytesWide)
{
    TestPicture source = PatternPicture(10, 4);
    Load(MakeBmp8(source));
    Region whole(picture.CopyRegion(0, 0, 10, 4));
    EXPECT_EQ(picture.stride, 12);
    ASSERT_NE(whole, nullptr);
    EXPECT_EQ(0, std::memcmp(whole.get(), source.pixels.data(), 40));
}

TEST_F(PictureTest, TopLeftPixelComesFromTheLastStoredRow)
{
    Load(MakeBmp8(PatternPicture(6, 5)));
    Region pixel(picture.CopyRegion(0, 0, 1, 1));
    ASSERT_NE(pixel, nullptr);
    EXPECT_EQ(pixel.get()[0], picture.Pixels()[4 * picture.stride]);
    EXPECT_EQ(pixel.get()[0], PatternPicture(6, 5).At(0, 0));
}

TEST_F(PictureTest, RegionsMustLieInsideThePicture)
{
    Load(MakeBmp8(PatternPicture(8, 6)));
    Region edge(picture.CopyRegion(3, 2, 5, 4));
    EXPECT_NE(edge, nullptr) << "right and bottom edges included";
    EXPECT_EQ(picture.CopyRegion(3, 2, 6, 4), nullptr);
    EXPECT_EQ(picture.CopyRegion(3, 2, 5, 5), nullptr);
    EXPECT_EQ(picture.CopyRegion(-1, 0, 1, 1), nullptr);
    EXPECT_EQ(picture.CopyRegion(0, -1, 1, 1), nullptr);
    EXPECT_EQ(picture.CopyRegion(0, 0, 0, 1), nullptr);
    EXPECT_EQ(picture.CopyRegion(0, 0, 1, 0), nullptr);
    EXPECT_EQ(picture.CopyRegion(2, 2, -2, 1), nullptr);
    EXPECT_EQ(picture.CopyRegion(2, 2, 1, -2), nullptr);
    EXPECT_EQ(picture.CopyRegion(INT_MAX, 0, INT_MAX, 1), nullptr);
    EXPECT_EQ(picture.CopyRegion(1, 0, INT_MAX, 1), nullptr);
    EXPECT_EQ(picture.CopyRegion(0, 1, 1, INT_MAX), nullptr);
}

TEST_F(PictureTest, RegionsOfOddSizesMatchTheSource)
{
    for (int size : {1, 3, 4, 5, 7, 9, 15, 17, 33}) {
        TestPicture source = PatternPicture(size, size % 7 + 2);
        Load(MakeBmp8(source));
        EXPECT_EQ(picture.stride, int32_t(RowBytes(size, 8)));
        ExpectRegion(0, 0, source.width, source.height, source);
        ExpectRegion(source.width / 2, 1, source.width - source.width / 2, source.height - 1, source);
        ExpectRegion(source.width - 1, source.height - 1, 1, 1, source);
    }
}

TEST_F(PictureTest, UnloadReleasesEverything)
{
    Load(MakeBmp8(PatternPicture(4, 4)));
    picture.Unload();
    EXPECT_EQ(picture.block, nullptr);
    EXPECT_EQ(picture.info, nullptr);
    EXPECT_EQ(picture.bitmapInfo, nullptr);
    EXPECT_EQ(picture.logPalette, nullptr);
    EXPECT_EQ(picture.paletteHandle, nullptr);
    EXPECT_EQ(picture.Width(), 0);
    EXPECT_EQ(picture.CopyRegion(0, 0, 1, 1), nullptr);
}

}  // namespace

// The one size computation of pictures and pages: rows padded to 4 bytes, the caps inclusive.
TEST(PictureSizeTest, RowsArePaddedAndTheCapsHold)
{
    PictureSize size{-1, -1};
    ASSERT_TRUE(CheckPictureSize(641, 10, 8, &size));
    EXPECT_EQ(size.rowBytes, 644);
    EXPECT_EQ(size.bytes, 6440);
    ASSERT_TRUE(CheckPictureSize(10, 3, 24, &size));
    EXPECT_EQ(size.rowBytes, 32);
    ASSERT_TRUE(CheckPictureSize(33, 1, 1, &size));
    EXPECT_EQ(size.rowBytes, 8);
    ASSERT_TRUE(CheckPictureSize(32768, 2048, 32, &size)) << "exactly 256 MiB";
    EXPECT_EQ(size.bytes, int64_t(256) << 20);

    const int64_t refused[][3] = {{32768, 2049, 32}, {32769, 1, 8}, {1, 32769, 8}, {0, 1, 8}, {1, 0, 8},
                                  {-4, 4, 8},        {4, 4, 0},     {4, 4, 33},    {INT64_MAX, INT64_MAX, 32}};
    for (const auto& r : refused) {
        size = PictureSize{-1, -1};
        EXPECT_FALSE(CheckPictureSize(r[0], r[1], r[2], &size)) << r[0] << " x " << r[1] << " x " << r[2];
        EXPECT_EQ(size.rowBytes, -1) << "left untouched";
    }
}
