#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <random>
#include <string>

#include "tests/core/sprite_file_builder.h"
#include "tests/core/sprite_test_util.h"
#include "tests/core/test_files.h"

namespace {

using Entry = SpriteFileBuilder::Entry;

// A raw 3 x 2 sprite with one box of each kind, and a compressed 4 x 2 one with a hit box.
void MakeSmallSet(SpriteSet& set)
{
    ASSERT_EQ(1, set.Insert(0, 3, 2, Handed({1, 0, 2, 0, 3, 0}), 0));
    ASSERT_EQ(1, set.InsertHitBox(0, 0, {0, 0, 2, 1}));
    ASSERT_EQ(1, set.InsertAtckBox(0, 0, {1, 1, 2, 1}));
    ASSERT_EQ(1, set.Insert(1, 4, 2, Handed({0, 7, 7, 0, 3, 3, 3, 3}), 1));
    ASSERT_EQ(1, set.InsertHitBox(1, 0, {3, 1, 0, 0}));
    set.sprites[1].rx = -5;
    set.sprites[1].my = 300;
}

// A set of seeded random sprites of the given sizes: raw and compressed, with boxes and moved
// coordinates. Returns the pictures.
std::vector<Pixels> MakeRandomSet(SpriteSet& set, std::mt19937& rng, const std::vector<int>& sizes)
{
    std::vector<Pixels> pictures;
    std::uniform_int_distribution<int> word(-32768, 32767), boxes(0, 3), percent(0, 99);
    for (size_t i = 0; i < sizes.size(); ++i) {
        const int w = sizes[i], h = sizes[(i + 2) % sizes.size()];
        pictures.push_back(RandomPicture(rng, w, h, percent(rng)));
        EXPECT_EQ(1, set.Insert(set.header.count, w, h, Handed(pictures.back()), int(i % 2)));
        Sprite& s = set.sprites[set.header.count - 1];
        s.rx = word(rng), s.ry = word(rng), s.mx = word(rng), s.my = word(rng);
        for (int b = boxes(rng); b > 0; --b) EXPECT_EQ(1, set.InsertHitBox(int(i), 0, {word(rng), word(rng), word(rng), word(rng)}));
        for (int b = boxes(rng); b > 0; --b) EXPECT_EQ(1, set.InsertAtckBox(int(i), 0, {word(rng), word(rng), word(rng), word(rng)}));
    }
    return pictures;
}

void ExpectEmpty(const SpriteSet& set)
{
    EXPECT_EQ(nullptr, set.sprites);
    SpriteFileHeader zero{};
    EXPECT_EQ(0, std::memcmp(&zero, &set.header, sizeof zero));
}

std::string Damaged(const std::string& path) { return "스프라이트 파일이 손상되었습니다(" + path + ")"; }

}  // namespace

TEST(SpriteFile, SavesTheSmallestSetByteForByte)
{
    TempDir dir;
    const std::string path = dir.File("two.spr");
    SpriteSet set;
    ASSERT_EQ(1, set.NewSpace(2, 1, Handed({5, 0}), 0));
    ASSERT_EQ(1, set.Save(path.c_str()));
    Bytes expected{'Z', 'a', 'r', 'v', 'o', ' ', 's', 'p', 'r', 'i', 't', 'e', 0, 0, 0, 0, 0x1E, 0, 1, 0, 0, 0, 0, 0,
                   0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 5, 0};
    EXPECT_EQ(expected, ReadBytes(path));
    EXPECT_EQ(std::vector<std::string>{"two.spr"}, dir.List());

    SpriteSet loaded;
    ASSERT_EQ(1, loaded.Load(path.c_str()));
    ExpectSameSets(set, loaded);
}

TEST(SpriteFile, RandomSetsRoundTripByteForByte)
{
    TempDir dir;
    std::mt19937 rng(20240607);
    const std::vector<int> sizes{1, 3, 7, 17, 33, 641};
    for (int round = 0; round < 2; ++round) {
        SpriteSet set;
        const std::vector<Pixels> pictures = MakeRandomSet(set, rng, sizes);
        const std::string first = dir.File("first.spr"), second = dir.File("second.spr");
        ASSERT_EQ(1, set.Save(first.c_str()));
        SpriteSet loaded;
        ASSERT_EQ(1, loaded.Load(first.c_str())) << loaded.message;
        ExpectSameSets(set, loaded);
        ASSERT_EQ(1, loaded.Save(second.c_str()));
        EXPECT_EQ(ReadBytes(first), ReadBytes(second));
        // Every second sprite was stored compressed; it still gives back its picture.
        for (int i = 0; i < loaded.header.count; ++i) {
            EXPECT_EQ(i % 2, loaded.sprites[i].compressed);
            if (loaded.sprites[i].compressed) {
                EXPECT_EQ(1, loaded.Decompress(i));
            }
            EXPECT_EQ(pictures[size_t(i)], ImageOf(loaded.sprites[i])) << "sprite " << i;
        }
    }
}

TEST(SpriteFile, KeepsTheHeaderOfALoadedFileButWritesVersion30)
{
    TempDir dir;
    const std::string path = dir.File("v99.spr"), again = dir.File("again.spr");
    SpriteFileBuilder file;
    file.Header(1, 99, 1234).SpriteEntry(Entry{}).Byte(9);
    file.bytes[14] = 0xAB;  // a reserved header byte
    ASSERT_TRUE(WriteBytes(path, file.bytes));
    SpriteSet set;
    ASSERT_EQ(1, set.Load(path.c_str()));
    EXPECT_EQ(99, set.header.version);
    EXPECT_EQ(1234, set.header.actionCount);
    ASSERT_EQ(1, set.Save(again.c_str()));
    Bytes expected = file.bytes;
    expected[16] = 30;
    EXPECT_EQ(expected, ReadBytes(again));
}

TEST(SpriteFile, RefusesWhatIsNoSpriteFileAndKeepsTheSet)
{
    TempDir dir;
    SpriteSet set;
    ASSERT_EQ(1, set.NewSpace(1, 1, Handed({4}), 0));
    const std::string missing = dir.File("missing.spr");
    EXPECT_EQ(0, set.Load(missing.c_str()));
    EXPECT_EQ("파일이 없습니다(" + missing + ")", std::string(set.message));

    SpriteFileBuilder file;
    file.Header(1).SpriteEntry(Entry{}).Byte(9);
    for (uint8_t thirteenth : {uint8_t('!'), uint8_t(' ')}) {
        Bytes bytes = file.bytes;
        bytes[12] = thirteenth;
        const std::string path = dir.File("other.spr");
        ASSERT_TRUE(WriteBytes(path, bytes));
        EXPECT_EQ(0, set.Load(path.c_str()));
        EXPECT_EQ("스프라이트 파일이 아닙니다(" + path + ")", std::string(set.message));
    }
    Bytes lower = file.bytes;
    lower[0] = 'z';
    ASSERT_TRUE(WriteBytes(dir.File("lower.spr"), lower));
    EXPECT_EQ(0, set.Load(dir.File("lower.spr").c_str()));
    ASSERT_EQ(1, set.header.count);
    EXPECT_EQ(4, set.sprites[0].image[0]);
}

TEST(SpriteFile, AnEmptyFileSetLoadsButCannotBeSaved)
{
    TempDir dir;
    const std::string path = dir.File("empty.spr");
    SpriteFileBuilder file;
    file.Header(0, 30, 5);
    ASSERT_TRUE(WriteBytes(path, file.bytes));
    SpriteSet set;
    ASSERT_EQ(1, set.NewSpace(1, 1, Handed({4}), 0));
    ASSERT_EQ(1, set.Load(path.c_str()));
    EXPECT_EQ(nullptr, set.sprites);
    EXPECT_EQ(0, set.header.count);
    EXPECT_EQ(5, set.header.actionCount);
    const std::string out = dir.File("out.spr");
    EXPECT_EQ(0, set.Save(out.c_str()));
    EXPECT_STREQ("저장할 스프라이트가 없습니다.", set.message);
    EXPECT_EQ(std::vector<std::string>{"empty.spr"}, dir.List()) << "no file, no temporary file";
}

TEST(SpriteFile, BytesAfterTheLastSpriteAreIgnored)
{
    TempDir dir;
    SpriteSet set;
    MakeSmallSet(set);
    const std::string path = dir.File("small.spr");
    ASSERT_EQ(1, set.Save(path.c_str()));
    Bytes bytes = ReadBytes(path);
    bytes.insert(bytes.end(), {1, 2, 3});
    ASSERT_TRUE(WriteBytes(path, bytes));
    SpriteSet loaded;
    ASSERT_EQ(1, loaded.Load(path.c_str()));
    ExpectSameSets(set, loaded);
}

TEST(SpriteFile, SaveFailuresKeepTheOldFile)
{
    TempDir dir;
    SpriteSet set;
    MakeSmallSet(set);
    const std::string noFolder = dir.File("no/such.spr");
    EXPECT_EQ(0, set.Save(noFolder.c_str()));
    EXPECT_EQ("파일생성 실패 (" + noFolder + ")", std::string(set.message));

    // A folder in the way: the finished file cannot replace it.
    const std::string folder = dir.File("folder.spr");
    ASSERT_TRUE(std::filesystem::create_directory(folder));
    EXPECT_EQ(0, set.Save(folder.c_str()));
    EXPECT_EQ("파일생성 실패 (" + folder + ")", std::string(set.message));

    // Writes that fail half way (the file size limit stands in for a full disk).
    const std::string target = dir.File("keep.spr");
    ASSERT_TRUE(WriteBytes(target, Bytes{1, 2, 3}));
    SpriteSet big;
    std::mt19937 rng(7);
    MakeRandomSet(big, rng, {641, 33});
    rlimit old{};
    ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &old));
    rlimit small = old;
    small.rlim_cur = 10000;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
    const int saved = big.Save(target.c_str());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(0, saved);
    EXPECT_EQ("파일생성 실패 (" + target + ")", std::string(big.message));
    EXPECT_EQ((Bytes{1, 2, 3}), ReadBytes(target));
    EXPECT_EQ((std::vector<std::string>{"folder.spr", "keep.spr"}), dir.List());
}

TEST(SpriteFile, EveryTruncationIsRefusedAndLeavesTheSetEmpty)
{
    TempDir dir;
    SpriteSet set;
    MakeSmallSet(set);
    const std::string path = dir.File("small.spr");
    ASSERT_EQ(1, set.Save(path.c_str()));
    const Bytes whole = ReadBytes(path);
    for (size_t size = 0; size < whole.size(); ++size) {
        SCOPED_TRACE(testing::Message() << "cut to " << size << " of " << whole.size());
        ASSERT_TRUE(WriteBytes(path, Bytes(whole.begin(), whole.begin() + long(size))));
        SpriteSet loaded;
        ASSERT_EQ(1, loaded.NewSpace(1, 1, Handed({4}), 0));
        EXPECT_EQ(0, loaded.Load(path.c_str()));
        if (size < 13) {
            EXPECT_EQ("스프라이트 파일이 아닙니다(" + path + ")", std::string(loaded.message));
        } else {
            EXPECT_EQ(Damaged(path), loaded.message);
            ExpectEmpty(loaded);
        }
    }
}

TEST(SpriteFile, RefusesDamagedEntries)
{
    TempDir dir;
    for (const NamedFile& file : DamagedSpriteFiles()) {
        SCOPED_TRACE(file.name);
        const std::string path = dir.File(file.name + ".spr");
        ASSERT_TRUE(WriteBytes(path, file.bytes));
        SpriteSet set;
        ASSERT_EQ(1, set.NewSpace(1, 1, Handed({4}), 0));
        EXPECT_EQ(0, set.Load(path.c_str()));
        EXPECT_EQ(Damaged(path), set.message);
        ExpectEmpty(set);

        // The same file with its second sprite dropped loads: the first one is good.
        Bytes first(file.bytes.begin(), file.bytes.begin() + 24 + 28 + 2);
        first[18] = 1;
        ASSERT_TRUE(WriteBytes(path, first));
        EXPECT_EQ(1, set.Load(path.c_str()));
    }
}

TEST(SpriteFile, ANegativeCountIsTheHeaderAllocationFailure)
{
    TempDir dir;
    SpriteFileBuilder file;
    file.Header(-1).SpriteEntry(Entry{}).Byte(9);
    const std::string path = dir.File("negative.spr");
    ASSERT_TRUE(WriteBytes(path, file.bytes));
    SpriteSet set;
    ASSERT_EQ(1, set.NewSpace(1, 1, Handed({4}), 0));
    EXPECT_EQ(0, set.Load(path.c_str()));
    EXPECT_STREQ("메모리 할당 실패(헤더)", set.message);
    ExpectEmpty(set);
}
