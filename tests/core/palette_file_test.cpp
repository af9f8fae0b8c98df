#include "image/palette_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "image/image_buffer.h"
#include "tests/core/image_test_files.h"

namespace {

struct FreeDeleter {
    void operator()(Palette* p) const { std::free(p); }
};
using PalettePtr = std::unique_ptr<Palette, FreeDeleter>;

Bytes Counting(size_t size)
{
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i) bytes[i] = uint8_t(i * 13 + i / 256);
    return bytes;
}

TEST(PaletteFile, EntriesAreBlueGreenRedReservedAndSaveAsTheyCame)
{
    TempDir dir;
    Bytes file = Counting(1024);
    ASSERT_TRUE(WriteBytes(dir.File("in.pal"), file));
    PalettePtr palette(ReadPaletteFile(dir.File("in.pal").c_str()));
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->entries[5].rgbBlue, file[20]);
    EXPECT_EQ(palette->entries[5].rgbGreen, file[21]);
    EXPECT_EQ(palette->entries[5].rgbRed, file[22]);
    EXPECT_EQ(palette->entries[5].rgbReserved, file[23]);
    ASSERT_EQ(WritePaletteFile(dir.File("out.pal").c_str(), *palette), 1);
    EXPECT_EQ(ReadBytes(dir.File("out.pal")), file);
}

TEST(PaletteFile, LongerFilesGiveTheirFirst1024BytesAndShorterOnesEndInZeros)
{
    TempDir dir;
    Bytes longer = Counting(2000);
    ASSERT_TRUE(WriteBytes(dir.File("long.pal"), longer));
    PalettePtr first(ReadPaletteFile(dir.File("long.pal").c_str()));
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(WritePaletteFile(dir.File("saved.pal").c_str(), *first), 1);
    EXPECT_EQ(ReadBytes(dir.File("saved.pal")), Bytes(longer.begin(), longer.begin() + 1024));

    for (size_t size : {0, 1, 10, 1023}) {
        Bytes shorter = Counting(size);
        ASSERT_TRUE(WriteBytes(dir.File("short.pal"), shorter));
        PalettePtr palette(ReadPaletteFile(dir.File("short.pal").c_str()));
        ASSERT_NE(palette, nullptr);
        ASSERT_EQ(WritePaletteFile(dir.File("saved.pal").c_str(), *palette), 1);
        shorter.resize(1024, 0);
        EXPECT_EQ(ReadBytes(dir.File("saved.pal")), shorter) << size << " bytes";
    }
}

TEST(PaletteFile, FilesThatCannotBeReadOrWrittenFail)
{
    TempDir dir;
    EXPECT_EQ(ReadPaletteFile(dir.File("none.pal").c_str()), nullptr);
    EXPECT_EQ(ReadPaletteFile(dir.path().c_str()), nullptr) << "a folder";
    EXPECT_EQ(ReadPaletteFile(nullptr), nullptr);
    Palette palette{};
    EXPECT_EQ(WritePaletteFile(dir.File("no/such/folder.pal").c_str(), palette), 0);
    EXPECT_EQ(WritePaletteFile(nullptr, palette), 0);
    EXPECT_TRUE(dir.List().empty());
}

TEST(PaletteFile, SavingAPicturesTableWritesItAsTheBmpHoldsIt)
{
    TempDir dir;
    Bytes bmp = MakeBmp8(PatternPicture(4, 4));
    ASSERT_TRUE(WriteBytes(dir.File("sheet.bmp"), bmp));
    ImageBuffer picture;
    ASSERT_EQ(picture.LoadBmp(dir.File("sheet.bmp").c_str()), 1);
    const Palette* table = reinterpret_cast<const Palette*>(picture.ColorTable());
    ASSERT_EQ(WritePaletteFile(dir.File("sheet.pal").c_str(), *table), 1);
    EXPECT_EQ(ReadBytes(dir.File("sheet.pal")), Bytes(bmp.begin() + 54, bmp.begin() + 1078));
}

}  // namespace
