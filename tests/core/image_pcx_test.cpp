#include "image/image_buffer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/core/image_test_files.h"
#include "tests/core/indexed_model.h"

namespace {

const char kMissingText[] = "파일이 존재하지 않습니다.(%s)";
const char kNotPcxText[] = "%s는 PCX파일이 아닙니다.";
const char kDepthText[] = "PCX파일이 8비트 혹은 24비트 컬러가 아닙니다";
const char kMemoryText[] = "메모리가 부족합니다";
const char kSizeText[] = "%s PCX파일의 그림 크기가 잘못되었습니다.";
const char kLineText[] = "%s PCX파일의 한 줄 바이트 수가 잘못되었습니다.";
const char kReadText[] = "%s 파일을 읽을수 없습니다.";

std::string Format(const char* format, const std::string& path)
{
    char text[80];
    std::snprintf(text, sizeof text, format, path.c_str());
    return text;
}

// Decodes `length` bytes of the given encoded bytes with ReadPcxRle.
Bytes Decode(const Bytes& encoded, size_t length, size_t* produced = nullptr)
{
    std::FILE* stream = std::tmpfile();
    EXPECT_NE(stream, nullptr);
    if (stream == nullptr) return {};
    std::fwrite(encoded.data(), 1, encoded.size(), stream);
    std::rewind(stream);
    Bytes out(length, 0xEE);
    size_t count = ReadPcxRle(out.data(), length, stream);
    std::fclose(stream);
    if (produced != nullptr) *produced = count;
    return out;
}

TEST(PcxRunLength, CodesAndRuns)
{
    EXPECT_EQ(Decode({0xC1, 0x05}, 1), Bytes{0x05});
    EXPECT_EQ(Decode({0xC0, 0x77, 0x3F}, 1), Bytes{0x3F}) << "a run of 0 gives nothing";
    EXPECT_EQ(Decode({0x3F, 0xC3, 0xC9, 0x00}, 5), (Bytes{0x3F, 0xC9, 0xC9, 0xC9, 0x00}));
    EXPECT_EQ(Decode({0xFF, 0x01}, 63), Bytes(63, 0x01));
    EXPECT_EQ(Decode({0xC5, 0x02, 0x09}, 3), Bytes(3, 0x02)) << "a run is cut at the length";
    size_t produced = 0;
    Bytes out = Decode({0x01, 0xC4}, 4, &produced);
    EXPECT_EQ(produced, 1u) << "a run code at the end of the stream stands for nothing";
    EXPECT_EQ(out[0], 0x01);
    EXPECT_EQ(out[1], 0xEE) << "nothing written past what was produced";
}

class PcxTest : public ::testing::Test {
protected:
    int LoadBytes(const Bytes& pcx)
    {
        path = dir.File("sheet.pcx");
        EXPECT_TRUE(WriteBytes(path, pcx));
        return picture.LoadPcx(path.c_str());
    }

    void ExpectRefused(const Bytes& pcx, const char* text)
    {
        EXPECT_EQ(LoadBytes(pcx), 0);
        EXPECT_EQ(std::string(picture.message), Format(text, path));
        EXPECT_EQ(picture.block, nullptr);
    }

    Bytes Loaded()
    {
        int p = picture.bitCount / 8;
        uint8_t* region = picture.CopyRegion(0, 0, picture.Width(), picture.Height());
        Bytes out;
        if (region != nullptr) out.assign(region, region + size_t(picture.Width()) * picture.Height() * p);
        std::free(region);
        return out;
    }

    TempDir dir;
    std::string path;
    ImageBuffer picture;
};

TEST_F(PcxTest, EightBitPicturesAndTheirStrides)
{
    for (int width : {100, 101}) {
        TestPicture source = PatternPicture(width, 50);
        ASSERT_EQ(LoadBytes(MakePcxOf(source)), 1) << picture.message;
        EXPECT_EQ(picture.Width(), width);
        EXPECT_EQ(picture.Height(), 50);
        EXPECT_EQ(picture.stride, width == 100 ? 100 : 104);
        EXPECT_EQ(picture.colorCount, 256);
        EXPECT_EQ(picture.bitCount, 8);
        EXPECT_EQ(picture.info->biSize, 40u);
        EXPECT_EQ(picture.info->biHeight, 50);
        EXPECT_EQ(picture.info->biPlanes, 1);
        EXPECT_EQ(picture.info->biCompression, uint32_t(BI_RGB));
        EXPECT_EQ(picture.Pixels(), picture.block + 1064);
        EXPECT_EQ(Loaded(), source.pixels);
        for (int row = 0; width == 101 && row < 50; ++row) {
            EXPECT_EQ(picture.Pixels()[row * 104 + 101], 0) << "padding of row " << row;
        }
    }
}

TEST_F(PcxTest, PaletteTriplesBecomeColorTableEntries)
{
    ASSERT_EQ(LoadBytes(MakePcxOf(PatternPicture(3, 2))), 1) << picture.message;
    const RGBQUAD* table = picture.ColorTable();
    Bytes triples = PcxTestPalette();
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(table[i].rgbRed, triples[3 * i]);
        EXPECT_EQ(table[i].rgbGreen, triples[3 * i + 1]);
        EXPECT_EQ(table[i].rgbBlue, triples[3 * i + 2]);
        EXPECT_EQ(table[i].rgbReserved, 0);
    }
    EXPECT_EQ(table[1].rgbRed, 1);  // (1, 254, 7)
    EXPECT_EQ(table[1].rgbBlue, 7);
    ASSERT_NE(picture.paletteHandle, nullptr);
}

TEST_F(PcxTest, TopScanLineIsTheLastStoredRow)
{
    TestPicture source = PatternPicture(6, 4);
    ASSERT_EQ(LoadBytes(MakePcxOf(source)), 1);
    EXPECT_EQ(0, std::memcmp(picture.Pixels() + 3 * picture.stride, source.pixels.data(), 6));
    uint8_t* top = picture.CopyRegion(0, 0, 6, 1);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(0, std::memcmp(top, source.pixels.data(), 6));
    std::free(top);
}

TEST_F(PcxTest, ThreePlanesAreIndexedAsTrueColor)
{
    for (int width : {1, 7, 33}) {
        SCOPED_TRACE("width " + std::to_string(width));
        TestPicture source = PatternPicture(width, 3, 3);  // blue, green, red
        std::vector<Rgba> pixels;
        for (int i = 0; i < width * 3; ++i)
            pixels.push_back(Rgba{source.pixels[3 * i + 2], source.pixels[3 * i + 1], source.pixels[3 * i], 255});
        ASSERT_EQ(LoadBytes(MakePcxOf(source, width + width % 2)), 1) << picture.message;
        ExpectIndexedAs(picture, ModelIndexing(pixels, false));
    }
    TestPicture many{20, 15, 3, {}};  // 300 pixels, each its own colour
    for (int i = 0; i < 300; ++i) many.pixels.insert(many.pixels.end(), {uint8_t(i), uint8_t(i >> 8), 7});
    ExpectRefused(MakePcxOf(many, 20), "그림의 색이 300가지입니다. 그림 프로그램에서 256색으로 줄여 주십시오.");
}

TEST_F(PcxTest, PaddedLinesKeepTheirFirstWidthBytes)
{
    // Runs that cross from one line into the next, and into the padding, still decode.
    TestPicture source = PatternPicture(5, 4);
    for (auto& pixel : source.pixels) pixel = 0xC7;
    PcxFields f;
    f.xmax = 4;
    f.ymax = 3;
    f.bytesPerLine = 8;
    f.data = PcxEncode(PcxLines(source, 8));
    ASSERT_EQ(LoadBytes(MakePcx(f)), 1) << picture.message;
    EXPECT_EQ(Loaded(), source.pixels);
    f.data = {0xFF, 0xC7};  // one run covering every line
    ASSERT_EQ(LoadBytes(MakePcx(f)), 1) << picture.message;
    EXPECT_EQ(Loaded(), Bytes(20, 0xC7));
}

TEST_F(PcxTest, WrongHeadersKeepThePreviousPicture)
{
    ASSERT_EQ(LoadBytes(MakePcxOf(PatternPicture(4, 4))), 1);
    uint8_t* previous = picture.block;
    PcxFields f;
    f.xmax = 3;
    f.ymax = 3;
    f.data = Bytes(16, 1);
    f.manufacturer = 9;
    EXPECT_EQ(LoadBytes(MakePcx(f)), 0);
    EXPECT_EQ(std::string(picture.message), Format(kNotPcxText, path));
    f.manufacturer = 10;
    f.version = 3;
    EXPECT_EQ(LoadBytes(MakePcx(f)), 0);
    Bytes valid = MakePcxOf(PatternPicture(2, 2));
    EXPECT_EQ(LoadBytes(Bytes(valid.begin(), valid.begin() + 127)), 0) << "a header cut short";
    EXPECT_EQ(std::string(picture.message), Format(kNotPcxText, path));
    std::string missing = dir.File("none.pcx");
    EXPECT_EQ(picture.LoadPcx(missing.c_str()), 0);
    EXPECT_EQ(std::string(picture.message), Format(kMissingText, missing));
    EXPECT_EQ(picture.block, previous);
    EXPECT_EQ(picture.Width(), 4);
}

TEST_F(PcxTest, OtherDepthsLeaveNoPicture)
{
    PcxFields f;
    f.xmax = 3;
    f.ymax = 3;
    f.data = Bytes(64, 1);
    for (uint8_t planes : {0, 2, 4}) {
        ASSERT_EQ(LoadBytes(MakePcxOf(PatternPicture(4, 4))), 1);
        f.planes = planes;
        ExpectRefused(MakePcx(f), kDepthText);
    }
    f.planes = 1;
    for (uint8_t bits : {1, 4, 24}) {
        f.bits = bits;
        ExpectRefused(MakePcx(f), kDepthText);
    }
}

TEST_F(PcxTest, HostileSizesAreRefused)
{
    PcxFields f;
    f.data = Bytes(64, 1);
    f.xmin = 5;
    f.xmax = 4;
    f.ymax = 3;
    f.bytesPerLine = 8;
    ExpectRefused(MakePcx(f), kSizeText);
    f.xmin = 0;
    f.xmax = -32768;
    ExpectRefused(MakePcx(f), kSizeText);
    f.xmax = 3;
    f.ymin = 10;
    ExpectRefused(MakePcx(f), kSizeText);
    f.ymin = 0;
    f.bytesPerLine = 3;  // fewer than the width
    ExpectRefused(MakePcx(f), kLineText);
    f.xmin = -32768;  // 65536 pixels wide
    f.xmax = 32767;
    f.bytesPerLine = 65535;
    ExpectRefused(MakePcx(f), kLineText);
    f.xmin = -16384;  // 32768 x 32768 of 8 bits
    f.xmax = 16383;
    f.ymin = -16384;
    f.ymax = 16383;
    f.bytesPerLine = 32768;
    ExpectRefused(MakePcx(f), kMemoryText);
    f.ymin = 0;  // 32768 x 4096: within the caps, but no file this short can fill it
    f.ymax = 4095;
    ExpectRefused(MakePcx(f), kReadText);
}

TEST_F(PcxTest, FilesEndingEarlyAreRefused)
{
    Bytes whole = MakePcxOf(PatternPicture(5, 3));
    Bytes noPalette(whole.begin(), whole.end() - 769);
    ExpectRefused(noPalette, kReadText);
    Bytes shortPalette(whole.begin(), whole.end() - 1);
    ExpectRefused(shortPalette, kReadText);
    Bytes shortPixels(whole.begin(), whole.begin() + 130);
    ExpectRefused(shortPixels, kReadText);
}

// Every prefix of valid files: refused, or loaded with the pixels of the whole file.
TEST_F(PcxTest, CutFilesAreRefusedOrWhole)
{
    for (Bytes whole : {MakePcxOf(PatternPicture(7, 3), 8), MakePcxOf(PatternPicture(5, 3, 3), 6)}) {
        ASSERT_EQ(LoadBytes(whole), 1) << picture.message;
        Bytes expected = Loaded();
        for (size_t length = 0; length < whole.size(); length += CutStep(length, whole.size())) {
            Bytes cut(whole.begin(), whole.begin() + length);
            if (LoadBytes(cut) == 1) {
                EXPECT_EQ(Loaded(), expected) << "cut at " << length;
            } else {
                EXPECT_NE(picture.message[0], '\0');
            }
        }
    }
}

}  // namespace
