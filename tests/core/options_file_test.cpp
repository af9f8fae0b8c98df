// OPTION.CFG: the 36-byte record read and written field by field.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <initializer_list>

#include "settings/options_file.h"
#include "tests/core/test_files.h"

namespace {

// A file image of nine fields, built here byte by byte as the file keeps them.
Bytes FieldBytes(std::initializer_list<int32_t> fields)
{
    Bytes bytes;
    for (int32_t field : fields)
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(uint8_t(uint32_t(field) >> shift));
    return bytes;
}

const Options kRecorded = {0, 1014, -1, 300, 0x01020304, -0x10000000, 1, 0, 1};

}  // namespace

TEST(OptionsFileTest, AWholeRecordIsTakenAndAnythingShorterGivesTheDefaults)
{
    const Bytes record = FieldBytes({0, 1014, -1, 300, 0x01020304, -0x10000000, 1, 0, 1});
    Bytes longer = record;
    longer.insert(longer.end(), {1, 2, 3, 4});
    struct Case {
        const char* what;
        Bytes bytes;
        int whole;
        Options expected;
    };
    const Case cases[] = {
        {"36 zero bytes", Bytes(36, 0), 1, Options{}},
        {"a record, stored as it is", record, 1, kRecorded},
        {"longer: the first 36 bytes", longer, 1, kRecorded},
        {"one byte short", Bytes(record.begin(), record.end() - 1), 0, kDefaultOptions},
        {"five fields only", Bytes(record.begin(), record.begin() + 20), 0, kDefaultOptions},
        {"empty", {}, 0, kDefaultOptions},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Options options = {7, 7, 7, 7, 7, 7, 7, 7, 7};
        EXPECT_EQ(DecodeOptions(c.bytes.data(), c.bytes.size(), &options), c.whole);
        EXPECT_EQ(options, c.expected);

        TempDir dir;
        ASSERT_TRUE(WriteBytes(dir.File(kOptionsFileName), c.bytes));
        options = {7, 7, 7, 7, 7, 7, 7, 7, 7};
        EXPECT_EQ(ReadOptionsFile(dir.File(kOptionsFileName).c_str(), &options), c.whole);
        EXPECT_EQ(options, c.expected);
    }
}

TEST(OptionsFileTest, MissingOrUnreadableFilesGiveTheDefaults)
{
    TempDir dir;
    Options options = {};
    EXPECT_EQ(ReadOptionsFile(dir.File("missing").c_str(), &options), 0);
    EXPECT_EQ(options, kDefaultOptions);
    ASSERT_EQ(mkdir(dir.File(kOptionsFileName).c_str(), 0700), 0);
    options = {};
    EXPECT_EQ(ReadOptionsFile(dir.File(kOptionsFileName).c_str(), &options), 0);
    EXPECT_EQ(options, kDefaultOptions);
}

TEST(OptionsFileTest, WritesTheNineFieldsLittleEndianAndReadsThemBack)
{
    TempDir dir;
    const std::string path = dir.File(kOptionsFileName);
    ASSERT_EQ(WriteOptionsFile(path.c_str(), kRecorded), 1);
    const Bytes expected = {0, 0, 0, 0, 0xF6, 0x03, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x2C, 1, 0, 0, 4, 3,
                            2, 1, 0, 0, 0,    0xF0, 1, 0, 0,    0,    0,    0,    0,    0, 1, 0, 0, 0};
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_EQ(dir.List(), std::vector<std::string>{kOptionsFileName}) << "nothing left beside";
    Options back = {};
    EXPECT_EQ(ReadOptionsFile(path.c_str(), &back), 1);
    EXPECT_EQ(back, kRecorded);
}

TEST(OptionsFileTest, AWriteThatCannotReplaceTheFileFailsAndKeepsWhatWasThere)
{
    TempDir dir;
    const std::string path = dir.File(kOptionsFileName);
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    EXPECT_EQ(WriteOptionsFile(path.c_str(), kRecorded), 0);
    struct stat info = {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(dir.List(), std::vector<std::string>{kOptionsFileName}) << "no temporary file left";
}
