// Saving on Windows: a replaced file keeps its attributes, no temporary file is ever left behind,
// and files or folders that happen to carry the temporary names do not stand in the way.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/palette_file.h"
#include "sprite/sprite_set.h"
#include "tests/gui/gui_fixture.h"

namespace {

using Names = std::vector<std::string>;

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The smallest set: one raw 2 x 1 sprite, 54 bytes in the file.
void MakeSet(SpriteSet& set)
{
    auto* image = static_cast<uint8_t*>(std::malloc(2));
    image[0] = 5;
    image[1] = 0;
    ASSERT_EQ(set.NewSpace(2, 1, image, 0), 1);
}

constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY;

}  // namespace

TEST(SafeSave, ANewFileAndAReplacedOneKeepingItsAttributes)
{
    GuiTempDir dir;
    SpriteSet set;
    MakeSet(set);
    const std::string path = dir.File("hero.spr");
    ASSERT_EQ(set.Save(path.c_str()), 1) << set.message;
    EXPECT_EQ(ReadAll(path).size(), 54u);
    EXPECT_EQ(dir.List(), Names{"hero.spr"});

    for (DWORD attributes : {DWORD(FILE_ATTRIBUTE_HIDDEN), DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)}) {
        WriteAll(path, "old");
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), attributes));
        ASSERT_EQ(GetFileAttributesA(path.c_str()) & kKeptAttributes, attributes) << "the file system keeps them";
        ASSERT_EQ(set.Save(path.c_str()), 1) << set.message;
        EXPECT_EQ(ReadAll(path).size(), 54u);
        EXPECT_EQ(GetFileAttributesA(path.c_str()) & kKeptAttributes, attributes);
        EXPECT_EQ(dir.List(), Names{"hero.spr"});
    }

    Palette palette{};
    palette.entries[1].rgbRed = 200;
    const std::string pal = dir.File("colors.pal");
    WriteAll(pal, "old");
    ASSERT_TRUE(SetFileAttributesA(pal.c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(WritePaletteFile(pal.c_str(), palette), 1);
    EXPECT_EQ(ReadAll(pal).size(), 1024u);
    EXPECT_EQ(GetFileAttributesA(pal.c_str()) & kKeptAttributes, DWORD(FILE_ATTRIBUTE_HIDDEN));
}

TEST(SafeSave, StrayFilesAndFoldersWithTheTemporaryNamesDoNotBlockSaving)
{
    GuiTempDir dir;
    SpriteSet set;
    MakeSet(set);
    const std::string path = dir.File("hero.spr");
    WriteAll(path, "old");
    WriteAll(path + ".~0", "stray");
    ASSERT_TRUE(CreateDirectoryA((path + ".~1").c_str(), nullptr));
    WriteAll(path + ".~2", "read-only stray");
    ASSERT_TRUE(SetFileAttributesA((path + ".~2").c_str(), FILE_ATTRIBUTE_READONLY));

    ASSERT_EQ(set.Save(path.c_str()), 1) << set.message;
    EXPECT_EQ(ReadAll(path).size(), 54u);
    EXPECT_EQ(ReadAll(path + ".~0"), "stray");
    EXPECT_EQ(ReadAll(path + ".~2"), "read-only stray");
    EXPECT_EQ(dir.List(), (Names{"hero.spr", "hero.spr.~0", "hero.spr.~1", "hero.spr.~2"}));
}

TEST(SafeSave, AFileThatCannotBeReplacedStaysAsItWasWithNoTemporaryFileBeside)
{
    GuiTempDir dir;
    SpriteSet set;
    MakeSet(set);
    const std::string locked = dir.File("locked.spr");
    WriteAll(locked, "old");
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(set.Save(locked.c_str()), 0);
    EXPECT_EQ(std::string(set.message), "파일생성 실패 (" + locked + ")");
    EXPECT_EQ(ReadAll(locked), "old");

    const std::string folder = dir.File("folder.spr");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    EXPECT_EQ(set.Save(folder.c_str()), 0);

    // A file another program holds open without sharing.
    const std::string open = dir.File("open.spr");
    WriteAll(open, "old");
    HANDLE held = CreateFileA(open.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(set.Save(open.c_str()), 0);
    CloseHandle(held);
    EXPECT_EQ(ReadAll(open), "old");

    EXPECT_EQ(dir.List(), (Names{"folder.spr", "locked.spr", "open.spr"}));
}
