// Pictures written by today's tools (tools/make-samples.sh) load to the pixels of their source.
#include "image/image_buffer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/core/image_test_files.h"
#include "tests/core/indexed_model.h"

namespace {

// A binary PPM (P6, maxval 255) as a TestPicture of red, green, blue bytes.
TestPicture ReadPpm(const std::string& path)
{
    Bytes file = ReadBytes(path);
    TestPicture picture;
    size_t at = 0;
    auto number = [&]() {
        while (at < file.size() && (file[at] == ' ' || file[at] == '\n' || file[at] == '\r' || file[at] == '\t')) ++at;
        int value = 0;
        while (at < file.size() && file[at] >= '0' && file[at] <= '9') value = value * 10 + (file[at++] - '0');
        return value;
    };
    if (file.size() < 2 || file[0] != 'P' || file[1] != '6') return picture;
    at = 2;
    picture.width = number();
    picture.height = number();
    int maxval = number();
    ++at;
    picture.bytesPerPixel = 3;
    if (maxval == 255) picture.pixels.assign(file.begin() + long(at), file.end());
    return picture;
}

struct Sample {
    const char* file;
    const char* source;   // w7 or w33
    bool sameIndices;     // written by Pillow from the source's palette
};

// Loads the sample and returns the RGB of a region, top row first, through the color table for
// 8-bit pictures.
Bytes RegionColors(ImageBuffer& picture, int x, int y, int w, int h)
{
    uint8_t* region = picture.CopyRegion(x, y, w, h);
    Bytes rgb;
    if (region == nullptr) return rgb;
    const RGBQUAD* table = picture.ColorTable();
    for (int i = 0; i < w * h; ++i) {
        if (picture.bitCount == 8) {
            const RGBQUAD& c = table[region[i]];
            rgb.insert(rgb.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue});
        } else {
            rgb.insert(rgb.end(), {region[3 * i + 2], region[3 * i + 1], region[3 * i]});
        }
    }
    std::free(region);
    return rgb;
}

Bytes Crop(const TestPicture& p, int x, int y, int w, int h)
{
    Bytes out;
    for (int row = y; row < y + h; ++row)
        for (int col = x; col < x + w; ++col)
            for (int c = 0; c < p.bytesPerPixel; ++c) out.push_back(p.At(col, row, c));
    return out;
}

int Load(ImageBuffer& picture, const std::string& path)
{
    bool pcx = path.size() > 4 && path.compare(path.size() - 4, 4, ".pcx") == 0;
    return pcx ? picture.LoadPcx(path.c_str()) : picture.LoadBmp(path.c_str());
}

TEST(PictureSamples, PicturesOfTodaysToolsMatchTheirSource)
{
    const Sample samples[] = {
        {"pil-w7.bmp", "w7", true},           {"pil-w33.bmp", "w33", true},
        {"pil-w33-topdown.bmp", "w33", true}, {"pil-w7-24.bmp", "w7", false},
        {"pil-w33-24.bmp", "w33", false},     {"pil-w7-24-topdown.bmp", "w7", false},
        {"im-w33-v5.bmp", "w33", false},      {"im-w33-v5-rle8.bmp", "w33", false},
        {"im-w7-rle8.bmp", "w7", false},      {"im-w7-24-v5.bmp", "w7", false},
        {"nb-w33.bmp", "w33", false},         {"nb-w7-24.bmp", "w7", false},
        {"pil-w7.pcx", "w7", true},           {"pil-w33.pcx", "w33", true},
        {"pil-w7-24.pcx", "w7", false},       {"pil-w33-24.pcx", "w33", false},
        {"im-w7.pcx", "w7", false},           {"im-w33-24.pcx", "w33", false},
        {"nb-w33.pcx", "w33", false},         {"nb-w7-24.pcx", "w7", false},
        {"im-w7-32-bitfields.bmp", "w7", false},
    };
    std::string dir = SamplesDir() + "/pictures/";
    for (const Sample& sample : samples) {
        SCOPED_TRACE(sample.file);
        TestPicture source = ReadPpm(dir + sample.source + ".ppm");
        ASSERT_GT(source.width, 0);
        ImageBuffer picture;
        ASSERT_EQ(Load(picture, dir + sample.file), 1) << picture.message;
        ASSERT_EQ(picture.Width(), source.width);
        ASSERT_EQ(picture.Height(), source.height);
        EXPECT_EQ(picture.info->biSize, 40u);
        EXPECT_GT(picture.info->biHeight, 0);
        EXPECT_EQ(picture.info->biCompression, uint32_t(BI_RGB));
        EXPECT_EQ(RegionColors(picture, 0, 0, source.width, source.height), source.pixels);
        int w = source.width - 3, h = source.height - 2;
        EXPECT_EQ(RegionColors(picture, 2, 1, w, h), Crop(source, 2, 1, w, h));
        if (picture.sheetColors > 0) {  // true colour, indexed by the rule
            std::vector<Rgba> pixels;
            for (size_t i = 0; i + 2 < source.pixels.size(); i += 3)
                pixels.push_back(Rgba{source.pixels[i], source.pixels[i + 1], source.pixels[i + 2], 255});
            ExpectIndexedAs(picture, ModelIndexing(pixels, false));
        }
        if (sample.sameIndices) {
            Bytes indices = ReadBytes(dir + sample.source + ".idx");
            uint8_t* region = picture.CopyRegion(0, 0, source.width, source.height);
            ASSERT_NE(region, nullptr);
            EXPECT_EQ(Bytes(region, region + indices.size()), indices);
            std::free(region);
        }
    }
}

TEST(PictureSamples, FourAndOneBitSamplesLoadWithTheirTables)
{
    std::string dir = SamplesDir() + "/pictures/";
    for (const char* file : {"im-w7-4bit.bmp", "nb-w7-4bit.bmp", "pil-1bit.bmp"}) {
        SCOPED_TRACE(file);
        ImageBuffer picture;
        ASSERT_EQ(picture.LoadBmp((dir + file).c_str()), 1) << picture.message;
        bool mono = std::string(file) == "pil-1bit.bmp";
        EXPECT_EQ(picture.colorCount, mono ? 2 : 16);
        EXPECT_EQ(picture.Width(), mono ? 9 : 7);
        EXPECT_EQ(picture.CopyRegion(0, 0, 1, 1), nullptr);
    }
    // The 4-bit pixels: the top-left pixel's color is the source's.
    TestPicture source = ReadPpm(dir + "w7.ppm");
    ImageBuffer picture;
    ASSERT_EQ(picture.LoadBmp((dir + "im-w7-4bit.bmp").c_str()), 1);
    const RGBQUAD& c = picture.ColorTable()[picture.Pixels()[4 * picture.stride] >> 4];
    EXPECT_EQ(c.rgbRed, source.At(0, 0, 0));
    EXPECT_EQ(c.rgbGreen, source.At(0, 0, 1));
    EXPECT_EQ(c.rgbBlue, source.At(0, 0, 2));
}

TEST(PictureSamples, KindsWeDoNotReadAreRefused)
{
    std::string dir = SamplesDir() + "/pictures/";
    ImageBuffer picture;
    EXPECT_EQ(picture.LoadPcx((dir + "nb-w7-4plane.pcx").c_str()), 0);
    EXPECT_EQ(picture.block, nullptr);
}

}  // namespace
