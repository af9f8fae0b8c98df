#include "sprite/file_io.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "tests/core/test_files.h"

TEST(LittleEndianFields, RoundTripAndByteOrder)
{
    uint8_t bytes[4];
    WriteLe32(bytes, 0x12345678u);
    EXPECT_EQ(bytes[0], 0x78);
    EXPECT_EQ(bytes[3], 0x12);
    EXPECT_EQ(ReadLe32(bytes), 0x12345678u);
    WriteLe16(bytes, 0xFFFE);
    EXPECT_EQ(bytes[0], 0xFE);
    EXPECT_EQ(int16_t(ReadLe16(bytes)), -2);
}

TEST(SafeFileWriter, CommitReplacesTheTargetAndLeavesNoTemporaryFile)
{
    TempDir dir;
    std::string target = dir.File("out.bin");
    ASSERT_TRUE(WriteBytes(target, Bytes{1, 2, 3}));
    {
        SafeFileWriter writer;
        ASSERT_TRUE(writer.Open(target.c_str()));
        ASSERT_TRUE(writer.Write("\x09\x08", 2));
        EXPECT_EQ(ReadBytes(target), (Bytes{1, 2, 3})) << "target untouched before Commit";
        ASSERT_TRUE(writer.Commit());
    }
    EXPECT_EQ(ReadBytes(target), (Bytes{9, 8}));
    EXPECT_EQ(dir.List(), std::vector<std::string>{"out.bin"});
}

TEST(SafeFileWriter, AbandonedWriteKeepsTheOldFile)
{
    TempDir dir;
    std::string target = dir.File("keep.bin");
    ASSERT_TRUE(WriteBytes(target, Bytes{7}));
    {
        SafeFileWriter writer;
        ASSERT_TRUE(writer.Open(target.c_str()));
        writer.Write("xyz", 3);
    }
    EXPECT_EQ(ReadBytes(target), Bytes{7});
    EXPECT_EQ(dir.List(), std::vector<std::string>{"keep.bin"});
}

TEST(SafeFileWriter, MissingFolderFailsWithoutCreatingAnything)
{
    TempDir dir;
    std::string target = dir.File("no/such/folder/file.bin");
    SafeFileWriter writer;
    EXPECT_FALSE(writer.Open(target.c_str()));
    EXPECT_FALSE(writer.Write("a", 1));
    EXPECT_FALSE(writer.Commit());
    EXPECT_TRUE(dir.List().empty());
}

TEST(SafeFileWriter, FailedReplaceRemovesTheTemporaryFile)
{
    // A folder cannot be replaced by a file: the move fails at Commit.
    TempDir dir;
    std::string target = dir.File("folder");
    ASSERT_TRUE(std::filesystem::create_directory(target));
    SafeFileWriter writer;
    ASSERT_TRUE(writer.Open(target.c_str()));
    ASSERT_TRUE(writer.Write("abc", 3));
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(dir.List(), std::vector<std::string>{"folder"});
}

TEST(SafeFileWriter, StrayNamesAreSkippedAndTheReplacedFilesPermissionsKept)
{
    TempDir dir;
    const std::string target = dir.File("out.bin");
    ASSERT_TRUE(WriteBytes(target, Bytes{1}));
    ASSERT_EQ(0, chmod(target.c_str(), 0640));
    ASSERT_TRUE(WriteBytes(target + ".~0", Bytes{7}));
    ASSERT_TRUE(std::filesystem::create_directory(target + ".~1"));
    SafeFileWriter writer;
    ASSERT_TRUE(writer.Open(target.c_str()));
    ASSERT_TRUE(writer.Write("\x05", 1));
    ASSERT_TRUE(writer.Commit());
    EXPECT_EQ(ReadBytes(target), Bytes{5});
    EXPECT_EQ(ReadBytes(target + ".~0"), Bytes{7});
    struct stat info;
    ASSERT_EQ(0, stat(target.c_str(), &info));
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"out.bin", "out.bin.~0", "out.bin.~1"}));
}
