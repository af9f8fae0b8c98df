// The sheets the command line reads: the kind of a file by its name and then by its first bytes,
// and the same colours from the same pixels whatever the file kind. (The English sentence for a
// sheet of too many colours: cli_test.py, through every command that reads a sheet.)
#include "cli/input_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/core/image_test_files.h"

namespace {

std::string Sample(const std::string& name) { return std::string(QUILLON_SOURCE_DIR) + "/samples/pictures/" + name; }

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
