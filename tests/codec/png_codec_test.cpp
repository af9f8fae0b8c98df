// The PNG codec on files written by another tool (Pillow, tools/make-png-samples.py; the 16-bit
// colour ones made there from their chunks) and on its own output. Built in both builds, so the same cases check libspng natively and the Windows
// Imaging Component under Wine.
#include "codec/png_codec.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string Sample(const std::string& name) { return std::string(QUILLON_SOURCE_DIR) + "/samples/pictures/" + name; }
std::string Corpus(const std::string& name) { return std::string(QUILLON_SOURCE_DIR) + "/fuzz/corpus/png/" + name; }

// Color i of the samples' palettes (tools/make-samples.sh).
RGBQUAD SampleColor(int i)
{
    RGBQUAD c;
    c.rgbRed = BYTE((i * 37 + 11) % 256);
    c.rgbGreen = BYTE((i * 91 + 5) % 256);
    c.rgbBlue = BYTE((i * 53 + 200) % 256);
    c.rgbReserved = 0;
    return c;
}

PngStatus Decode(const Bytes& file, DecodedPng* picture)
{
    std::string detail;
    return DecodePng(file.data(), file.size(), picture, &detail);
}

// A decoded true-colour picture as red, green, blue, alpha bytes, whatever the back end's order.
Bytes Rgba(const DecodedPng& picture)
{
    Bytes out;
    for (size_t i = 0; i + 4 <= picture.pixels.size(); i += 4) {
        const uint8_t* p = &picture.pixels[i];
        out.insert(out.end(), {p[picture.red], p[picture.green], p[picture.blue], p[picture.alpha]});
    }
    return out;
}

// The source picture w7 (7 x 5) as red, green, blue, alpha bytes: its indices through the sample
// palette, every pixel opaque, then `alpha` applied.
template <class Alpha>
Bytes W7Rgba(Alpha alpha)
{
    const Bytes indices = ReadFile(Sample("w7.idx"));
    Bytes out;
    for (uint8_t i : indices) {
        const RGBQUAD c = SampleColor(i);
        out.insert(out.end(), {c.rgbRed, c.rgbGreen, c.rgbBlue, alpha(i)});
    }
    return out;
}

uint8_t SampleAlpha(uint8_t index) { return index == 0 || index == 5 ? 0 : index == 7 ? 128 : 255; }

// Drops the red, green and blue of transparent pixels, which a file may hold as anything.
Bytes WithoutHiddenColors(Bytes rgba)
{
    for (size_t i = 0; i < rgba.size(); i += 4)
        if (rgba[i + 3] == 0) rgba[i] = rgba[i + 1] = rgba[i + 2] = 0;
    return rgba;
}

}  // namespace

TEST(PngCodec, IndexedFilesKeepTheirIndicesAndPalette)
{
    Bytes twoBit;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) twoBit.push_back(uint8_t((x + 2 * y) % 4));
    const struct {
        const char* file;
        Bytes indices;
        int width, colors;
    } cases[] = {
        {"pil-w7.png", ReadFile(Sample("w7.idx")), 7, 16},     // 4 bits an index
        {"pil-w33.png", ReadFile(Sample("w33.idx")), 33, 200},  // 8 bits
        {"pil-w7-2bit.png", twoBit, 7, 4},                      // 2 bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        DecodedPng picture;
        ASSERT_EQ(Decode(ReadFile(Sample(c.file)), &picture), PngStatus::kOk);
        EXPECT_TRUE(picture.indexed);
        EXPECT_EQ(picture.width, c.width);
        EXPECT_EQ(picture.height, int(c.indices.size()) / c.width);
        EXPECT_EQ(picture.pixels, c.indices);
        EXPECT_EQ(picture.paletteCount, c.colors);
        for (int i = 0; i < kPaletteEntries; ++i) {
            const RGBQUAD want = i < c.colors ? SampleColor(i) : RGBQUAD{0, 0, 0, 0};
            const RGBQUAD& got = picture.palette.entries[i];
            ASSERT_EQ(std::vector<int>({got.rgbRed, got.rgbGreen, got.rgbBlue, got.rgbReserved}),
                      std::vector<int>({want.rgbRed, want.rgbGreen, want.rgbBlue, 0}))
                << "entry " << i;
        }
    }
}

TEST(PngCodec, OtherFilesComeOutAsRgbaWithTheirTransparency)
{
    const Bytes opaque = W7Rgba([](uint8_t) { return uint8_t(255); });
    // pil-w7-rgb-trns.png names the color of index 3 transparent.
    const Bytes keyedOut = W7Rgba([](uint8_t i) { return uint8_t(i == 3 ? 0 : 255); });
    const Bytes withAlpha = W7Rgba(SampleAlpha);

    DecodedPng picture;
    ASSERT_EQ(Decode(ReadFile(Sample("pil-w7-rgb.png")), &picture), PngStatus::kOk);
    EXPECT_FALSE(picture.indexed);
    EXPECT_EQ(Rgba(picture), opaque);
    ASSERT_EQ(Decode(ReadFile(Sample("pil-w7-rgb-trns.png")), &picture), PngStatus::kOk);
    EXPECT_EQ(Rgba(picture), keyedOut) << "the tRNS color is alpha 0";
    ASSERT_EQ(Decode(ReadFile(Sample("pil-w7-rgba.png")), &picture), PngStatus::kOk);
    EXPECT_EQ(WithoutHiddenColors(Rgba(picture)), WithoutHiddenColors(withAlpha));
    ASSERT_EQ(Decode(ReadFile(Sample("pil-w33-rgb.png")), &picture), PngStatus::kOk);
    EXPECT_EQ(picture.width, 33);
    EXPECT_EQ(picture.height, 9);

    // Grey: 8 bits, the same levels in 16 bits, and with alpha; each level in red, green and blue.
    ASSERT_EQ(Decode(ReadFile(Sample("pil-w7-grey.png")), &picture), PngStatus::kOk);
    const Bytes grey = Rgba(picture);
    ASSERT_EQ(grey.size(), 7u * 5 * 4);
    for (size_t i = 0; i < grey.size(); i += 4) {
        EXPECT_EQ(grey[i], grey[i + 1]);
        EXPECT_EQ(grey[i], grey[i + 2]);
        EXPECT_EQ(grey[i + 3], 255);
    }
    ASSERT_EQ(Decode(ReadFile(Sample("pil-w7-grey16.png")), &picture), PngStatus::kOk);
    EXPECT_EQ(Rgba(picture), grey);
    ASSERT_EQ(Decode(ReadFile(Sample("pil-w7-la.png")), &picture), PngStatus::kOk);
    Bytes greyAlpha = grey;
    for (size_t i = 0; i < greyAlpha.size(); i += 4) greyAlpha[i + 3] = withAlpha[i + 3];
    EXPECT_EQ(Rgba(picture), greyAlpha);

    // 16 bits a channel, each level v stored as v * 257: the 8-bit level v again.
    const Bytes sixteen = {255, 0, 0, 255, 0, 128, 7, 0, 1, 2, 3, 128, 200, 200, 200, 255, 0, 0, 0, 255, 9, 99, 199, 1};
    ASSERT_EQ(Decode(ReadFile(Sample("hand-rgba16.png")), &picture), PngStatus::kOk);
    EXPECT_EQ(Rgba(picture), sixteen);
    ASSERT_EQ(Decode(ReadFile(Sample("hand-rgb16.png")), &picture), PngStatus::kOk);
    Bytes opaque16 = sixteen;
    for (size_t i = 3; i < opaque16.size(); i += 4) opaque16[i] = 255;
    EXPECT_EQ(Rgba(picture), opaque16);

    ASSERT_EQ(Decode(ReadFile(Sample("pil-1bit.png")), &picture), PngStatus::kOk);
    Bytes mono;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 9; ++x) {
            const uint8_t v = (x + y) % 2 ? 255 : 0;
            mono.insert(mono.end(), {v, v, v, 255});
        }
    EXPECT_EQ(Rgba(picture), mono);
}

TEST(PngCodec, EncodedPicturesDecodeToTheirIndicesAndPalette)
{
    Palette palette;
    for (int i = 0; i < kPaletteEntries; ++i) palette.entries[i] = RGBQUAD{BYTE(i), BYTE(255 - i), BYTE(i * 7), 0};
    for (const auto& size : {std::pair<int, int>{1, 1}, {3, 7}, {33, 5}, {641, 2}}) {
        SCOPED_TRACE(std::to_string(size.first) + " x " + std::to_string(size.second));
        Bytes indices;
        for (int i = 0; i < size.first * size.second; ++i) indices.push_back(uint8_t(i * 13 + i / size.first));
        Bytes png;
        std::string error;
        ASSERT_TRUE(EncodeIndexedPng(indices.data(), size.first, size.second, palette, &png, &error)) << error;
        const std::string text(png.begin(), png.end());
        EXPECT_NE(text.find("tRNS"), std::string::npos) << "index 0 is transparent in the file";
        DecodedPng picture;
        ASSERT_EQ(Decode(png, &picture), PngStatus::kOk);
        EXPECT_TRUE(picture.indexed);
        EXPECT_EQ(picture.width, size.first);
        EXPECT_EQ(picture.height, size.second);
        EXPECT_EQ(picture.pixels, indices);
        EXPECT_EQ(picture.paletteCount, kPaletteEntries);
        for (int i = 0; i < kPaletteEntries; ++i) {
            ASSERT_EQ(picture.palette.entries[i].rgbRed, palette.entries[i].rgbRed) << i;
            ASSERT_EQ(picture.palette.entries[i].rgbBlue, palette.entries[i].rgbBlue) << i;
        }
    }
    Bytes none;
    std::string error;
    EXPECT_FALSE(EncodeIndexedPng(nullptr, 0, 4, palette, &none, &error));
}

TEST(PngCodec, FilesThatAreNoPngOrBrokenOrTooLargeAreRefused)
{
    const Bytes bmp = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};
    const struct {
        const char* what;
        Bytes file;
        PngStatus status;
        PngStatus otherwise;  // a second answer some codec gives
    } cases[] = {
        {"empty", {}, PngStatus::kNotPng, PngStatus::kNotPng},
        {"a BMP", bmp, PngStatus::kNotPng, PngStatus::kNotPng},
        {"signature only", ReadFile(Corpus("hostile-signature-only.png")), PngStatus::kDamaged, PngStatus::kDamaged},
        {"bad checksum", ReadFile(Corpus("hostile-bad-checksum.png")), PngStatus::kDamaged, PngStatus::kDamaged},
        {"cut in the pixel data", ReadFile(Corpus("hostile-cut-in-idat.png")), PngStatus::kDamaged, PngStatus::kDamaged},
        {"rows cut short", ReadFile(Corpus("hostile-rows-cut-short.png")), PngStatus::kDamaged, PngStatus::kDamaged},
        {"32769 pixels wide", ReadFile(Corpus("hostile-width-past-the-cap.png")), PngStatus::kTooLarge,
         PngStatus::kTooLarge},
        // Wine's codec decodes the whole picture before it tells the size, and finds the data short.
        {"32768 x 32768 RGBA", ReadFile(Corpus("hostile-area-past-the-cap.png")), PngStatus::kTooLarge,
         PngStatus::kDamaged},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        DecodedPng picture;
        picture.width = 99;
        picture.pixels.assign(3, 1);
        const PngStatus status = Decode(c.file, &picture);
        EXPECT_TRUE(status == c.status || status == c.otherwise) << int(status);
        EXPECT_EQ(picture.width, 0) << "nothing half-decoded is left";
        EXPECT_TRUE(picture.pixels.empty());
    }
}
