#include "image/image_buffer.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/core/image_test_files.h"
#include "tests/core/indexed_model.h"

namespace {

// The texts, as the program stores them.
const char kMissingText[] = "%s 파일이 없습니다.";
const char kHeaderText[] = "%s BMP헤더를 읽을수 없읍니다.";
const char kNotBmpText[] = "%s BMP파일이 아닙니다.";
const char kMemoryText[] = "%s 메모리가 부족합니다.";
const char kReadText[] = "%s 파일을 읽을수 없습니다.";
const char kBadHeaderText[] = "%s BMP헤더가 잘못되었습니다.";
const char kUnsupportedText[] = "%s 지원하지 않는 BMP형식입니다.";

std::string Format(const char* format, const std::string& path)
{
    char text[80];
    std::snprintf(text, sizeof text, format, path.c_str());
    return text;
}

class BmpTest : public ::testing::Test {
protected:
    int LoadBytes(const Bytes& bmp)
    {
        path = dir.File("sheet.bmp");
        EXPECT_TRUE(WriteBytes(path, bmp));
        return picture.LoadBmp(path.c_str());
    }

    // Loads a file the reader must refuse with the given text, leaving no picture.
    void ExpectRefused(const Bytes& bmp, const char* text)
    {
        EXPECT_EQ(LoadBytes(bmp), 0);
        EXPECT_EQ(std::string(picture.message), Format(text, path));
        EXPECT_EQ(picture.block, nullptr);
        EXPECT_EQ(picture.Width(), 0);
    }

    // The loaded picture's rows, top row first, as a TestPicture (8 or 24 bits).
    TestPicture Loaded()
    {
        int p = picture.bitCount / 8;
        TestPicture out{picture.Width(), picture.Height(), p, {}};
        uint8_t* region = picture.CopyRegion(0, 0, out.width, out.height);
        if (region != nullptr) out.pixels.assign(region, region + size_t(out.width) * out.height * p);
        std::free(region);
        return out;
    }

    TempDir dir;
    std::string path;
    ImageBuffer picture;
};

TEST_F(BmpTest, ClassicFileLoadsByteForByte)
{
    TestPicture source = PatternPicture(13, 7);
    Bytes file = MakeBmp8(source);
    ASSERT_EQ(LoadBytes(file), 1) << picture.message;
    size_t layout = 40 + 1024 + RowBytes(13, 8) * 7;
    EXPECT_EQ(0, std::memcmp(picture.block, file.data() + 14, layout));
    EXPECT_EQ(picture.fileHeader.bfType, 0x4D42);
    EXPECT_EQ(uint32_t(picture.fileHeader.bfSize), file.size());  // a packed field: copied first
    EXPECT_EQ(uint32_t(picture.fileHeader.bfOffBits), 1078u);
    EXPECT_EQ(std::string(picture.fileName), path);
    EXPECT_EQ(picture.Width(), 13);
    EXPECT_EQ(picture.Height(), 7);
    EXPECT_EQ(picture.colorCount, 256);
    EXPECT_EQ(Loaded().pixels, source.pixels);
}

TEST_F(BmpTest, FailuresOfTheClassicReaderLeaveNoPicture)
{
    ASSERT_EQ(LoadBytes(MakeBmp8(PatternPicture(3, 3))), 1);
    std::string missing = dir.File("none.bmp");
    EXPECT_EQ(picture.LoadBmp(missing.c_str()), 0);
    EXPECT_EQ(std::string(picture.message), Format(kMissingText, missing));
    EXPECT_EQ(picture.block, nullptr) << "the previous picture is released first";

    ExpectRefused(Bytes{'B', 'M', 0, 0}, kHeaderText);
    Bytes notBmp = MakeBmp8(PatternPicture(3, 3));
    notBmp[0] = 'P';
    ExpectRefused(notBmp, kNotBmpText);
    Bytes shorter = MakeBmp8(PatternPicture(3, 3));
    WriteLe32(&shorter[2], uint32_t(shorter.size() + 1));
    ExpectRefused(shorter, kReadText);
}

TEST_F(BmpTest, LongNamesAreCutWithoutBreakingACharacter)
{
    // Cut at every byte of the Korean text: the message is a prefix of the whole text and never
    // ends in the first byte of a two-byte character.
    for (int length = 60; length < 80; ++length) {
        std::string name = dir.File(std::string(size_t(length) - dir.path().size() - 1, 'n'));
        picture.LoadBmp(name.c_str());
        std::string message = picture.message;
        std::string whole = name + Format(kMissingText, "");
        EXPECT_EQ(whole.compare(0, message.size(), message), 0);
        size_t i = 0;
        while (i < message.size()) i += static_cast<unsigned char>(message[i]) >= 0x81 ? 2 : 1;
        EXPECT_EQ(i, message.size()) << "length " << length;
        EXPECT_LT(message.size(), 80u);
    }
}

TEST_F(BmpTest, LaterHeadersShortTablesAndPixelOffsetsBecomeTheClassicLayout)
{
    TestPicture source = PatternPicture(7, 5);
    for (uint32_t infoSize : {40u, 108u, 124u})
        for (uint32_t used : {0u, 16u, 200u, 256u}) {
            BmpFields f;
            f.width = 7;
            f.height = 5;
            f.infoSize = infoSize;
            f.colorsUsed = used;
            f.table = TestColorTable(used ? int(used) : 256);
            f.pixels = StoredRows(source);
            f.pixelOffset = int64_t(14 + infoSize + f.table.size() + 6);  // a gap before the pixels
            ASSERT_EQ(LoadBytes(MakeBmp(f)), 1) << picture.message;
            SCOPED_TRACE(testing::Message() << infoSize << " " << used);
            EXPECT_EQ(picture.info->biSize, 40u);
            EXPECT_EQ(picture.colorCount, 256);
            EXPECT_TRUE(picture.info->biClrUsed == 0 || picture.info->biClrUsed == 256);
            EXPECT_EQ(0, std::memcmp(picture.ColorTable(), f.table.data(), f.table.size()));
            Bytes rest(reinterpret_cast<uint8_t*>(picture.ColorTable()) + f.table.size(), picture.Pixels());
            EXPECT_EQ(rest, Bytes(1024 - f.table.size(), 0)) << "entries the file lacks are zero";
            EXPECT_EQ(Loaded().pixels, source.pixels);
        }
}

TEST_F(BmpTest, PixelOffsetInsideTheHeadersMeansRightAfterTheTable)
{
    TestPicture source = PatternPicture(5, 4);
    BmpFields f;
    f.width = 5;
    f.height = 4;
    f.table = TestColorTable(256);
    f.pixels = StoredRows(source);
    Bytes file = MakeBmp(f);
    WriteLe32(&file[10], 0);
    ASSERT_EQ(LoadBytes(file), 1) << picture.message;
    EXPECT_EQ(Loaded().pixels, source.pixels);
}

TEST_F(BmpTest, TopDownRowsAreStoredBottomUp)
{
    TestPicture source = PatternPicture(9, 6);
    BmpFields f;
    f.width = 9;
    f.height = -6;
    f.table = TestColorTable(256);
    f.pixels = StoredRows(source, true);
    ASSERT_EQ(LoadBytes(MakeBmp(f)), 1) << picture.message;
    EXPECT_EQ(picture.info->biHeight, 6);
    EXPECT_EQ(picture.Height(), 6);
    EXPECT_EQ(Loaded().pixels, source.pixels);
    EXPECT_EQ(0, std::memcmp(picture.Pixels(), StoredRows(source).data(), StoredRows(source).size()));
}

// A picture of few colours, some repeated, every channel different: red, green, blue, alpha.
std::vector<Rgba> FewColors(int width, int height)
{
    std::vector<Rgba> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int i = (x * 3 + y * 5) % 11;
            pixels.push_back(Rgba{uint8_t(i * 20 + 5), uint8_t(250 - i * 7), uint8_t(i * i), uint8_t(i == 4 ? 0 : 255)});
        }
    return pixels;
}

// The pixels in a file's rows: `bytes` a pixel (3 or 4), each channel at its byte (alpha -1: not
// written), bottom row first unless topDown, rows padded to 4 bytes.
Bytes TrueColorRows(const std::vector<Rgba>& pixels, int width, int height, int bytes, const int order[4], bool topDown)
{
    const size_t row = RowBytes(width, bytes * 8);
    Bytes rows(row * size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgba& c = pixels[size_t(y) * width + x];
            const uint8_t channels[4] = {c.r, c.g, c.b, c.a};
            uint8_t* at = &rows[size_t(topDown ? y : height - 1 - y) * row + size_t(x) * bytes];
            for (int k = 0; k < 4; ++k)
                if (order[k] >= 0) at[order[k]] = channels[k];
        }
    return rows;
}

Bytes Masks(const int order[4], int count)
{
    Bytes masks(size_t(count) * 4, 0);
    for (int k = 0; k < count; ++k)
        if (order[k] >= 0) WriteLe32(&masks[size_t(k) * 4], uint32_t(0xFF) << (8 * order[k]));
    return masks;
}

// 24- and 32-bit files of every form today's tools write load as the one 8-bit layout, indexed
// by the rule of true-colour sheets; the fourth byte of a 32-bit pixel is alpha when any pixel sets
// it, or as its mask says.
TEST_F(BmpTest, TrueColorFilesAreIndexed)
{
    const int bgr[4] = {2, 1, 0, -1};
    const int bgra[4] = {2, 1, 0, 3};
    const int rgba[4] = {0, 1, 2, 3};
    const int argb[4] = {1, 2, 3, 0};
    const struct {
        const char* what;
        int bits;
        const int* order;
        uint32_t infoSize;
        bool bitfields;
        bool topDown;
        bool alphaCounts;
    } cases[] = {
        {"24 bits", 24, bgr, 40, false, false, false},
        {"24 bits, top row first", 24, bgr, 124, false, true, false},
        {"32 bits, fourth byte unused", 32, bgr, 40, false, false, false},
        {"32 bits with alpha", 32, bgra, 40, false, false, true},
        {"32 bits with alpha, top row first", 32, bgra, 108, false, true, true},
        {"bit fields after a 40-byte header", 32, argb, 40, true, false, false},
        {"bit fields in a 124-byte header with alpha", 32, rgba, 124, true, false, true},
        {"bit fields in a 56-byte header with alpha", 32, argb, 56, true, true, true},
    };
    for (int width : {1, 3, 5, 9}) {
        const std::vector<Rgba> pixels = FewColors(width, 4);
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.what) + ", width " + std::to_string(width));
            BmpFields f;
            f.width = width;
            f.height = c.topDown ? -4 : 4;
            f.bits = uint16_t(c.bits);
            f.infoSize = c.infoSize;
            f.compression = c.bitfields ? BI_BITFIELDS : BI_RGB;
            if (c.bitfields && c.infoSize == 40) f.table = Masks(c.order, 3);
            f.pixels = TrueColorRows(pixels, width, 4, c.bits / 8, c.order, c.topDown);
            Bytes file = MakeBmp(f);
            if (c.bitfields && c.infoSize > 40) {
                const Bytes masks = Masks(c.order, 4);
                std::copy(masks.begin(), masks.end(), file.begin() + 14 + 40);
            }
            ASSERT_EQ(LoadBytes(file), 1) << picture.message;
            ExpectIndexedAs(picture, ModelIndexing(pixels, c.alphaCounts));
            EXPECT_EQ(picture.fileHeader.bfType, 0x4D42);
        }
    }
}

TEST_F(BmpTest, TrueColorFilesOfTooManyColoursAreRefusedWithTheirCount)
{
    TestPicture source{20, 15, 3, {}};  // 300 pixels, each its own colour
    for (int i = 0; i < 300; ++i) source.pixels.insert(source.pixels.end(), {uint8_t(i), uint8_t(i >> 8), 7});
    ExpectRefused(MakeBmp24(source), "그림의 색이 300가지입니다. 그림 프로그램에서 256색으로 줄여 주십시오.");
    EXPECT_EQ(picture.sheetColors, 300);
}

// Run-length encoded rows: runs, literals with their padding, a delta, line and picture ends.
TEST_F(BmpTest, RunLengthEncodedEightBitRowsAreDecoded)
{
    BmpFields f;
    f.width = 6;
    f.height = 4;
    f.compression = BI_RLE8;
    f.table = TestColorTable(256);
    f.pixels = {
        3, 9, 0, 3, 1, 2, 3, 0,      // bottom row: 9 9 9 1 2 3 (literal padded to even)
        0, 0,                        // end of line
        0, 2, 2, 1,                  // delta: right 2, up 1 (row 1 stays 0)
        2, 7, 0, 0,                  // row 2: 0 0 7 7 0 0
        9, 4,                        // row 3: a run of 9 cut at the width
        0, 1,                        // end of picture
    };
    ASSERT_EQ(LoadBytes(MakeBmp(f)), 1) << picture.message;
    EXPECT_EQ(picture.info->biCompression, uint32_t(BI_RGB));
    Bytes expected = {4, 4, 4, 4, 4, 4, 0, 0, 7, 7, 0, 0, 0, 0, 0, 0, 0, 0, 9, 9, 9, 1, 2, 3};
    EXPECT_EQ(Loaded().pixels, expected);
}

TEST_F(BmpTest, RunLengthEncodedFourBitRowsAreDecoded)
{
    BmpFields f;
    f.width = 5;
    f.height = 2;
    f.bits = 4;
    f.compression = BI_RLE4;
    f.table = TestColorTable(16);
    f.pixels = {5, 0x12, 0, 0, 0, 3, 0xAB, 0xC0, 0, 1};  // 1 2 1 2 1 / A B C
    ASSERT_EQ(LoadBytes(MakeBmp(f)), 1) << picture.message;
    EXPECT_EQ(picture.colorCount, 16);
    EXPECT_EQ(picture.info->biCompression, uint32_t(BI_RGB));
    EXPECT_EQ(picture.Pixels()[0], 0x12);
    EXPECT_EQ(picture.Pixels()[1], 0x12);
    EXPECT_EQ(picture.Pixels()[2], 0x10);
    EXPECT_EQ(picture.Pixels()[4], 0xAB);
    EXPECT_EQ(picture.Pixels()[5], 0xC0);
}

TEST_F(BmpTest, RunLengthDataMustReachThePictureEnd)
{
    BmpFields f;
    f.width = 4;
    f.height = 3;
    f.compression = BI_RLE8;
    f.table = TestColorTable(256);
    f.pixels = {4, 1, 0, 0, 4, 2, 0, 0, 4, 3};
    ExpectRefused(MakeBmp(f), kReadText);
    f.pixels = {4, 1, 0, 0, 4, 2, 0, 0, 4, 3, 0, 0};  // every line ended: complete without an end mark
    EXPECT_EQ(LoadBytes(MakeBmp(f)), 1) << picture.message;
    f.pixels = {4, 1, 0, 9, 1, 2};  // a literal cut short
    ExpectRefused(MakeBmp(f), kReadText);
    f.pixels = {0, 2, 1};  // a delta cut short
    ExpectRefused(MakeBmp(f), kReadText);
}

TEST_F(BmpTest, KindsWeDoNotReadAreRefusedClearly)
{
    // Bit fields other than whole distinct bytes: 10 bits a channel, two channels on one byte,
    // and 16-bit pixels.
    BmpFields bitfields;
    bitfields.width = 2;
    bitfields.height = 2;
    bitfields.bits = 32;
    bitfields.compression = BI_BITFIELDS;
    bitfields.pixels = Bytes(16, 0);
    for (const Bytes& masks : {Bytes{0, 0, 0xF0, 0x3F, 0, 0xFC, 0x0F, 0, 0xFF, 0x03, 0, 0},
                               Bytes{0, 0, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0xFF, 0}, Bytes(12, 0)}) {
        bitfields.table = masks;
        ExpectRefused(MakeBmp(bitfields), kUnsupportedText);
    }
    bitfields.table = Bytes{0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0};
    EXPECT_EQ(LoadBytes(MakeBmp(bitfields)), 1) << "the same file with byte-wide masks";
    bitfields.table.resize(8);
    bitfields.pixels.clear();
    ExpectRefused(MakeBmp(bitfields), kReadText);  // the masks cut short
    bitfields.bits = 16;
    bitfields.pixels = Bytes(8, 0);
    ExpectRefused(MakeBmp(bitfields), kUnsupportedText);
    for (uint32_t compression : {4u, 5u, 6u, 11u}) {
        bitfields.compression = compression;
        ExpectRefused(MakeBmp(bitfields), kUnsupportedText);
    }
    BmpFields rle;
    rle.width = 2;
    rle.height = 2;
    rle.bits = 4;
    rle.compression = BI_RLE8;
    rle.table = TestColorTable(16);
    rle.pixels = {0, 1};
    ExpectRefused(MakeBmp(rle), kUnsupportedText);
    rle.bits = 8;
    rle.height = -2;
    rle.table = TestColorTable(256);
    ExpectRefused(MakeBmp(rle), kUnsupportedText);
    BmpFields core;
    core.infoSize = 12;
    core.pixels = Bytes(20, 0);
    ExpectRefused(MakeBmp(core), kUnsupportedText);
}

// Files that hold a PNG or a JPEG picture, byte for byte as such a file is: the info header says
// bit count 0 and compression 5 (PNG) or 4 (JPEG), and the picture follows at byte 54.
TEST_F(BmpTest, APngOrJpegInsideIsAKindWeDoNotRead)
{
    const Bytes png = {
        0x42, 0x4D, 0x81, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00,  // file header
        0x28, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
        0x05, 0x00, 0x00, 0x00, 0x4B, 0x00, 0x00, 0x00, 0x13, 0x0B, 0x00, 0x00, 0x13, 0x0B, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                                      // info header
        0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
        0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06, 0x00, 0x00, 0x00, 0x72, 0xB6, 0x0D,
        0x24, 0x00, 0x00, 0x00, 0x12, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0xC0, 0xF0,
        0x1F, 0x0C, 0x81, 0x34, 0x18, 0x00, 0x00, 0x49, 0xC8, 0x09, 0xF7, 0xF9, 0xAB, 0xB6, 0x0D, 0x00,
        0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82,
    };
    const Bytes jpeg = {
        0x42, 0x4D, 0x4C, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00,  // file header
        0x28, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00,
        0x04, 0x00, 0x00, 0x00, 0x16, 0x00, 0x00, 0x00, 0x13, 0x0B, 0x00, 0x00, 0x13, 0x0B, 0x00, 0x00,
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                                      // info header
        0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 0x4A, 0x46, 0x49, 0x46, 0x00, 0x01, 0x01, 0x00, 0x00, 0x01,
        0x00, 0x01, 0x00, 0x00, 0xFF, 0xD9,
    };
    ExpectRefused(png, kUnsupportedText);
    ExpectRefused(jpeg, kUnsupportedText);
    // The same headers with a depth we read: still refused for the kind of data they hold.
    for (Bytes file : {png, jpeg}) {
        file[28] = 8;
        ExpectRefused(file, kUnsupportedText);
    }
}

// One case for each way a file may lie about itself.
TEST_F(BmpTest, HostileHeadersAreRefused)
{
    auto plain = [](int32_t width, int32_t height) {
        BmpFields f;
        f.width = width;
        f.height = height;
        f.table = TestColorTable(256);
        f.pixels = Bytes(64, 1);
        return f;
    };
    ExpectRefused(MakeBmp(plain(0, 4)), kBadHeaderText);
    ExpectRefused(MakeBmp(plain(-4, 4)), kBadHeaderText);
    ExpectRefused(MakeBmp(plain(INT32_MIN, 4)), kBadHeaderText);
    ExpectRefused(MakeBmp(plain(4, 0)), kBadHeaderText);
    ExpectRefused(MakeBmp(plain(4, INT32_MIN)), kBadHeaderText);
    // Past the caps, whatever the file holds: no allocation is tried.
    ExpectRefused(MakeBmp(plain(32769, 1)), kMemoryText);
    ExpectRefused(MakeBmp(plain(1, -32769)), kMemoryText);
    ExpectRefused(MakeBmp(plain(32768, 32768)), kMemoryText);
    ExpectRefused(MakeBmp(plain(INT32_MAX, INT32_MAX)), kMemoryText);
    // Within the caps but far larger than the file: refused before allocating.
    ExpectRefused(MakeBmp(plain(16384, 16384)), kReadText);

    BmpFields f = plain(4, 4);
    for (uint16_t bits : {0, 2, 7, 64}) {
        f.bits = bits;
        ExpectRefused(MakeBmp(f), kBadHeaderText);
    }
    f = plain(4, 4);
    f.infoSize = 39;
    ExpectRefused(MakeBmp(f), kBadHeaderText);
    Bytes noHeader = MakeBmp(plain(4, 4));
    WriteLe32(&noHeader[14], 0);
    ExpectRefused(noHeader, kBadHeaderText);
    Bytes bigHeader = MakeBmp(plain(4, 4));
    WriteLe32(&bigHeader[14], uint32_t(bigHeader.size()));
    ExpectRefused(bigHeader, kReadText);
    WriteLe32(&bigHeader[14], 0xFFFFFFFFu);
    ExpectRefused(bigHeader, kReadText);
    ExpectRefused(Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0}, kReadText);

    f = plain(4, 4);
    f.colorsUsed = 200;  // the table ends past the file
    f.table = TestColorTable(100);
    f.pixels.clear();
    ExpectRefused(MakeBmp(f), kReadText);
    f = plain(4, 4);
    f.colorsUsed = 0xFFFFFFFFu;  // more than the depth allows: taken as the full table
    EXPECT_EQ(LoadBytes(MakeBmp(f)), 1) << picture.message;

    Bytes farPixels = MakeBmp(plain(4, 4));
    WriteLe32(&farPixels[10], uint32_t(farPixels.size()));
    ExpectRefused(farPixels, kReadText);
    WriteLe32(&farPixels[10], 0xFFFFFFFFu);
    ExpectRefused(farPixels, kReadText);
    f = plain(4, 5);  // five rows of 4 bytes, but the file holds 16 bytes after the offset
    f.pixels = Bytes(16, 1);
    ExpectRefused(MakeBmp(f), kReadText);
    f.pixels = Bytes(20, 1);
    f.pixelOffset = 14 + 40 + 1024 + 1;
    EXPECT_EQ(LoadBytes(MakeBmp(f)), 1) << "the same rows one byte further fit";
    Bytes cut = MakeBmp(f);
    cut.pop_back();
    WriteLe32(&cut[2], 0);
    ExpectRefused(cut, kReadText);
}

TEST_F(BmpTest, SizeFieldBelowTheFileHeaderIsIgnored)
{
    TestPicture source = PatternPicture(3, 2);
    Bytes file = MakeBmp8(source);
    WriteLe32(&file[2], 2);
    ASSERT_EQ(LoadBytes(file), 1) << picture.message;
    EXPECT_EQ(Loaded().pixels, source.pixels);
}

// Every prefix of valid files, with the size field cleared so the reader's other checks face
// the cut: refused, or loaded with every pixel the whole file gives.
TEST_F(BmpTest, CutFilesAreRefusedOrWhole)
{
    BmpFields rle;
    rle.width = 6;
    rle.height = 3;
    rle.compression = BI_RLE8;
    rle.table = TestColorTable(256);
    rle.pixels = {6, 1, 0, 0, 0, 4, 1, 2, 3, 4, 2, 5, 0, 0, 0, 2, 1, 1, 3, 7, 0, 1};
    BmpFields topDown;
    topDown.width = 5;
    topDown.height = -3;
    topDown.bits = 24;
    topDown.infoSize = 124;
    topDown.pixels = StoredRows(PatternPicture(5, 3, 3), true);
    for (Bytes whole : {MakeBmp8(PatternPicture(7, 3)), MakeBmp(rle), MakeBmp(topDown)}) {
        WriteLe32(&whole[2], 0);
        ASSERT_EQ(LoadBytes(whole), 1) << picture.message;
        Bytes expected = Loaded().pixels;
        for (size_t length = 0; length < whole.size(); length += CutStep(length, whole.size())) {
            Bytes cut(whole.begin(), whole.begin() + length);
            if (LoadBytes(cut) == 1) {
                EXPECT_EQ(Loaded().pixels, expected) << "cut at " << length;
            } else {
                EXPECT_EQ(picture.block, nullptr);
                EXPECT_NE(picture.message[0], '\0');
            }
        }
    }
}

}  // namespace
