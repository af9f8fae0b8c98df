// The readers' memory entries and their file functions: for every file of the fuzz corpora and the
// samples both answer alike, byte for byte and text for text; and a lack of memory anywhere in a
// reader gives its memory text and leaves nothing behind.
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "image/image_buffer.h"
#include "image/palette_file.h"
#include "sprite/file_io.h"
#include "tests/core/image_test_files.h"
#include "tests/core/sprite_file_builder.h"
#include "tests/core/sprite_test_util.h"

namespace {

namespace fs = std::filesystem;

// The committed fuzz corpus of one reader, beside the samples folder.
std::string CorpusDir(const char* kind) { return SamplesDir() + "/../fuzz/corpus/" + kind; }

// Every regular file under the folders, sorted.
std::vector<std::string> FilesIn(const std::vector<std::string>& folders)
{
    std::vector<std::string> files;
    for (const std::string& folder : folders)
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            if (entry.is_regular_file()) files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

void ExpectSamePictures(const ImageBuffer& a, const ImageBuffer& b)
{
    EXPECT_STREQ(a.message, b.message);
    EXPECT_STREQ(a.fileName, b.fileName);
    ASSERT_EQ(a.block == nullptr, b.block == nullptr);
    if (a.block == nullptr) return;
    EXPECT_EQ(0, std::memcmp(&a.fileHeader, &b.fileHeader, sizeof a.fileHeader));
    EXPECT_EQ((std::vector<int>{a.colorCount, a.bitCount, a.width, a.height, a.stride}),
              (std::vector<int>{b.colorCount, b.bitCount, b.width, b.height, b.stride}));
    const size_t bytes = 40 + 4 * size_t(a.colorCount) + size_t(a.stride) * size_t(a.height);
    EXPECT_EQ(0, std::memcmp(a.block, b.block, bytes));
}

// The process may map no more than `extra` bytes beyond what it maps now, until it ends.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(size_t extra)
    {
        getrlimit(RLIMIT_AS, &old_);
        long pages = 0;
        if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
            if (std::fscanf(statm, "%ld", &pages) != 1) pages = 0;
            std::fclose(statm);
        }
        rlimit limited = old_;
        limited.rlim_cur = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + extra;
        active_ = pages > 0 && setrlimit(RLIMIT_AS, &limited) == 0;
    }
    ~AddressSpaceLimit() { setrlimit(RLIMIT_AS, &old_); }
    bool Active() const { return active_; }

private:
    rlimit old_{};
    bool active_ = false;
};

}  // namespace

TEST(ReaderMemoryEntries, AnswerAsTheFileFunctionsForEveryCorpusFile)
{
    int files = 0;
    for (const std::string& path : FilesIn({CorpusDir("bmp"), CorpusDir("pcx"), SamplesDir()})) {
        SCOPED_TRACE(path);
        const Bytes bytes = ReadBytes(path);
        ImageBuffer fromFile, fromMemory;
        EXPECT_EQ(fromFile.LoadBmp(path.c_str()), fromMemory.LoadBmpFromMemory(bytes.data(), bytes.size(), path.c_str()));
        ExpectSamePictures(fromFile, fromMemory);
        EXPECT_EQ(fromFile.LoadPcx(path.c_str()), fromMemory.LoadPcxFromMemory(bytes.data(), bytes.size(), path.c_str()));
        ExpectSamePictures(fromFile, fromMemory);
        ++files;
    }
    for (const std::string& path : FilesIn({CorpusDir("sprite_file"), CorpusDir("sprite_draw")})) {
        SCOPED_TRACE(path);
        const Bytes bytes = ReadBytes(path);
        SpriteSet fromFile, fromMemory;
        EXPECT_EQ(fromFile.Load(path.c_str()), fromMemory.LoadFromMemory(bytes.data(), bytes.size(), path.c_str()));
        EXPECT_STREQ(fromFile.message, fromMemory.message);
        EXPECT_EQ(SetDifference(fromFile, fromMemory), "");
        ++files;
    }
    for (const std::string& path : FilesIn({CorpusDir("palette")})) {
        const Bytes bytes = ReadBytes(path);
        Palette* fromFile = ReadPaletteFile(path.c_str());
        Palette* fromMemory = ReadPaletteFromMemory(bytes.data(), bytes.size());
        ASSERT_NE(fromFile, nullptr);
        ASSERT_NE(fromMemory, nullptr);
        EXPECT_EQ(0, std::memcmp(fromFile, fromMemory, sizeof(Palette))) << path;
        std::free(fromFile);
        std::free(fromMemory);
        ++files;
    }
    EXPECT_GT(files, 500);

    // Without bytes the readers answer as for an empty file, and a missing name is an empty one.
    ImageBuffer picture;
    EXPECT_EQ(picture.LoadBmpFromMemory(nullptr, 10, nullptr), 0);
    EXPECT_STREQ(picture.message, " BMP헤더를 읽을수 없읍니다.");
    SpriteSet set;
    EXPECT_EQ(set.LoadFromMemory(nullptr, 0, nullptr), 0);
    EXPECT_STREQ(set.message, "스프라이트 파일이 아닙니다()");
}

TEST(ReaderMemoryEntries, PcxRunsDecodeAlikeFromAStreamAndFromMemory)
{
    const Bytes encoded = {0x01, 0xC3, 0x07, 0xC0, 0x55, 0x3F, 0xFF, 0x02, 0x09, 0xC4};
    for (size_t length = 0; length < 80; ++length) {
        std::FILE* stream = std::tmpfile();
        ASSERT_NE(stream, nullptr);
        std::fwrite(encoded.data(), 1, encoded.size(), stream);
        std::rewind(stream);
        Bytes fromStream(length + 1, 0xEE), fromMemory(length + 1, 0xEE);
        const size_t a = ReadPcxRle(fromStream.data(), length, stream);
        std::fclose(stream);
        const size_t b = ReadPcxRleFromMemory(fromMemory.data(), length, encoded.data(), encoded.size());
        EXPECT_EQ(a, b) << length;
        EXPECT_EQ(fromStream, fromMemory) << length;
        EXPECT_EQ(fromMemory[length], 0xEE) << "nothing past the length";
    }
}

TEST(FileBytesTest, WholeFilesLimitsAndFilesThatCannotBeRead)
{
    TempDir dir;
    Bytes bytes(200000);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 7 + i / 251);
    ASSERT_TRUE(WriteBytes(dir.File("big"), bytes));
    FileBytes file;
    ASSERT_EQ(file.Read(dir.File("big").c_str()), FileBytes::kRead);
    EXPECT_EQ(Bytes(file.Data(), file.Data() + file.Size()), bytes);
    ASSERT_EQ(file.Read(dir.File("big").c_str(), 1000), FileBytes::kRead);
    EXPECT_EQ(Bytes(file.Data(), file.Data() + file.Size()), Bytes(bytes.begin(), bytes.begin() + 1000));
    ASSERT_TRUE(WriteBytes(dir.File("empty"), {}));
    EXPECT_EQ(file.Read(dir.File("empty").c_str()), FileBytes::kRead);
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_EQ(file.Read(dir.File("none").c_str()), FileBytes::kCannotOpen);
    EXPECT_EQ(file.Size(), 0u);
    EXPECT_EQ(file.Read(nullptr), FileBytes::kCannotOpen);
    EXPECT_EQ(file.Read(dir.path().c_str()), FileBytes::kReadError) << "a folder";
    EXPECT_EQ(file.Size(), 0u);

    // A stream that is no regular file is read a chunk at a time to its end.
    std::FILE* pipe = popen("head -c 150000 /dev/zero", "r");
    ASSERT_NE(pipe, nullptr);
    const std::string path = "/dev/fd/" + std::to_string(fileno(pipe));
    EXPECT_EQ(file.Read(path.c_str()), FileBytes::kRead);
    EXPECT_EQ(file.Size(), 150000u);
    pclose(pipe);
}

// Each reader meets a lack of memory where its largest block is allocated, with the address
// space held just above what the process uses. (The sanitizers reserve far more address space
// than such a limit allows, so this runs in the plain build only.)
TEST(ReaderMemoryEntries, ALackOfMemoryGivesTheMemoryTexts)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "an address-space limit and the sanitizers do not mix";
#else
    constexpr size_t kSide = 4096;  // a 16 MiB picture or sprite
    TempDir dir;

    // A sparse file of 4 GiB: larger than the memory left to the process.
    const std::string huge = dir.File("huge.spr");
    {
        std::FILE* file = std::fopen(huge.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite("Zarvo sprite", 1, 13, file);
        ASSERT_EQ(0, fseeko(file, (off_t(1) << 32) - 1, SEEK_SET));
        std::fputc(0, file);
        std::fclose(file);
    }
    SpriteFileBuilder sprite;
    sprite.Header(1).SpriteEntry({0, 0, 0, int16_t(kSide - 1), int16_t(kSide), 0, 0, 0, 0, int32_t((kSide - 1) * kSide)});
    sprite.bytes.resize(sprite.bytes.size() + (kSide - 1) * kSide, 3);
    BmpFields plainBmp;
    plainBmp.width = plainBmp.height = int32_t(kSide);
    plainBmp.table = TestColorTable(256);
    plainBmp.pixels = Bytes(kSide * kSide, 9);
    const Bytes bmp = MakeBmp(plainBmp);
    PcxFields plainPcx;
    plainPcx.xmax = plainPcx.ymax = int16_t(kSide - 1);
    const Bytes line = PcxEncode(Bytes(kSide, 9));
    for (size_t y = 0; y < kSide; ++y) plainPcx.data.insert(plainPcx.data.end(), line.begin(), line.end());
    const Bytes pcx = MakePcx(plainPcx);

    SpriteSet set, old;
    ASSERT_EQ(1, old.NewSpace(1, 1, Handed({4}), 0));
    ImageBuffer picture, kept;
    Bytes small = MakeBmp8(PatternPicture(3, 3));
    ASSERT_EQ(kept.LoadBmpFromMemory(small.data(), small.size(), "small.bmp"), 1);
    {
        AddressSpaceLimit limit(size_t(8) << 20);
        ASSERT_TRUE(limit.Active());
        EXPECT_EQ(old.Load(huge.c_str()), 0);
        EXPECT_STREQ(old.message, "메모리 할당 실패(헤더)");
        EXPECT_EQ(old.Count(), 1) << "nothing was read: the set stays";
        EXPECT_EQ(picture.LoadBmp(huge.c_str()), 0);
        EXPECT_EQ(std::string(picture.message), huge + " 메모리가 부족합니다.");
        EXPECT_EQ(kept.LoadPcx(huge.c_str()), 0);
        EXPECT_STREQ(kept.message, "메모리가 부족합니다");
        EXPECT_NE(kept.block, nullptr) << "nothing was read: the picture stays";

        EXPECT_EQ(set.LoadFromMemory(sprite.bytes.data(), sprite.bytes.size(), "big.spr"), 0);
        EXPECT_STREQ(set.message, "메모리 할당 실패(이미지)");
        EXPECT_EQ(set.sprites, nullptr);
        EXPECT_EQ(picture.LoadBmpFromMemory(bmp.data(), bmp.size(), "big.bmp"), 0);
        EXPECT_STREQ(picture.message, "big.bmp 메모리가 부족합니다.");
        EXPECT_EQ(picture.LoadPcxFromMemory(pcx.data(), pcx.size(), "big.pcx"), 0);
        EXPECT_STREQ(picture.message, "메모리가 부족합니다");
        EXPECT_EQ(picture.block, nullptr);
    }
    // With the memory back, the same bytes load.
    EXPECT_EQ(set.LoadFromMemory(sprite.bytes.data(), sprite.bytes.size(), "big.spr"), 1) << set.message;
    EXPECT_EQ(picture.LoadPcxFromMemory(pcx.data(), pcx.size(), "big.pcx"), 1) << picture.message;
#endif
}
