// The sheets the command line reads: the kind of a file by its name and then by its first bytes,
// the same colours from the same pixels whatever the file kind, and the English sentence for a
// sheet of too many colours.
#include "cli/input_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/core/image_test_files.h"

namespace {

std::string Sample(const std::string& name) { return std::string(QUILLON_SOURCE_DIR) + "/samples/pictures/" + name; }

// A 24-bit BMP of `count` pixels in a row, each its own colour.
Bytes ManyColorBmp(int count)
{
    TestPicture picture{count, 1, 3, {}};
    for (int i = 0; i < count; ++i) picture.pixels.insert(picture.pixels.end(), {uint8_t(i), uint8_t(i >> 8), 9});
    return MakeBmp24(picture);
}

}  // namespace

TEST(CliInputFiles, KindByNameThenByFirstBytes)
{
    TempDir dir;
    const Bytes png = ReadBytes(Sample("pil-w7-rgb.png"));
    const Bytes bmp = ReadBytes(Sample("pil-w7.bmp"));
    const struct {
        const char* name;
        const Bytes* content;
        FileKind kind;
    } cases[] = {
        {"sheet.PNG", &bmp, FileKind::kPng},      // the name decides when it names a kind
        {"sheet.bmp", &png, FileKind::kBmp},
        {"sheet", &png, FileKind::kPng},          // otherwise the first bytes
        {"sheet.dat", &png, FileKind::kPng},
        {"picture.dat", &bmp, FileKind::kBmp},
        {"missing.gif", nullptr, FileKind::kUnknown},
    };
    for (const auto& c : cases) {
        const std::string path = dir.File(c.name);
        if (c.content != nullptr) {
            ASSERT_TRUE(WriteBytes(path, *c.content));
        }
        EXPECT_EQ(KindOfFile(path), c.kind) << c.name;
    }
    EXPECT_EQ(KindFromName("Png"), FileKind::kPng);
}

TEST(CliInputFiles, TheSamePixelsGiveTheSamePaletteWhateverTheFile)
{
    PaletteSource first;
    std::string error;
    ASSERT_TRUE(PaletteFromSheet(Sample("pil-w7-24.bmp"), &first, &error)) << error;
    for (const char* other : {"pil-w7-rgb.png", "pil-w7-24.pcx", "nb-w7-24.bmp", "im-w7-32-bitfields.bmp"}) {
        PaletteSource palette;
        ASSERT_TRUE(PaletteFromSheet(Sample(other), &palette, &error)) << error;
        EXPECT_EQ(0, std::memcmp(&palette.palette, &first.palette, sizeof(Palette))) << other;
    }
    // An indexed PNG gives its own palette, as the BMP Pillow wrote from the same picture does.
    PaletteSource indexed, bmp;
    ASSERT_TRUE(PaletteFromSheet(Sample("pil-w33.png"), &indexed, &error)) << error;
    ASSERT_TRUE(PaletteFromSheet(Sample("pil-w33.bmp"), &bmp, &error)) << error;
    EXPECT_EQ(0, std::memcmp(&indexed.palette, &bmp.palette, sizeof(Palette)));
}

TEST(CliInputFiles, TooManyColorsAreToldInEnglishWithTheirCount)
{
    TempDir dir;
    const std::string path = dir.File("wide.bmp");
    ASSERT_TRUE(WriteBytes(path, ManyColorBmp(257)));
    const std::string sentence =
        path + ": the sheet has 257 colors; sprites take at most 256: reduce it to 256 colors in a paint program and "
               "try again";
    ImageBuffer sheet;
    ASSERT_EQ(LoadPicture(sheet, path, KindOfFile(path)), 0);
    EXPECT_EQ(SheetRefusal(sheet, path), sentence);
    PaletteSource palette;
    std::string error;
    EXPECT_FALSE(PaletteFromSheet(path, &palette, &error));
    EXPECT_EQ(error, sentence);
    ASSERT_TRUE(WriteBytes(path, ManyColorBmp(256)));
    EXPECT_EQ(LoadPicture(sheet, path, KindOfFile(path)), 1) << "256 colours are taken";
}
