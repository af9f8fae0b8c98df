// The seed corpus of the sprite file fuzzer (fuzz/corpus/sprite_file): good files of several
// shapes and one damaged file of each kind the reader refuses. This test makes every seed and
// checks that it loads or is refused as its name says. To write the seeds out again, run
//   QUILLON_WRITE_SPRITE_SEEDS=fuzz/corpus/sprite_file build/native/tests/core/core_tests
// with --gtest_filter='SpriteFuzzSeeds.*'.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "tests/core/sprite_file_builder.h"
#include "tests/core/sprite_test_util.h"
#include "tests/core/test_files.h"

namespace {

using Entry = SpriteFileBuilder::Entry;

struct Seed {
    std::string name;
    Bytes bytes;
    bool loads;
};

Bytes Saved(SpriteSet& set)
{
    Bytes bytes = SavedBytes(set);
    EXPECT_FALSE(bytes.empty()) << set.message;
    return bytes;
}

std::vector<Seed> MakeSeeds()
{
    std::vector<Seed> seeds;
    std::mt19937 rng(99);

    SpriteSet one;
    one.NewSpace(2, 1, Handed({5, 0}), 0);
    seeds.push_back({"good-one-raw", Saved(one), true});

    SpriteSet mixed;
    mixed.Insert(0, 3, 2, Handed({1, 0, 2, 0, 3, 0}), 0);
    mixed.InsertHitBox(0, 0, {0, 0, 2, 1});
    mixed.InsertAtckBox(0, 0, {1, 1, 2, 1});
    mixed.Insert(1, 4, 2, Handed({0, 7, 7, 0, 3, 3, 3, 3}), 1);
    mixed.InsertHitBox(1, 0, {3, 1, 0, 0});
    const Bytes small = Saved(mixed);
    seeds.push_back({"good-mixed", small, true});

    for (int shape = 0; shape < 3; ++shape) {
        SpriteSet set;
        const int sizes[][2] = {{1, 7}, {17, 3}, {33, 5}, {9, 9}};
        for (int i = 0; i < 4; ++i) {
            const int w = sizes[(i + shape) % 4][0], h = sizes[(i + shape) % 4][1];
            set.Insert(i, w, h, Handed(RandomPicture(rng, w, h, 25 * (i + shape) % 100)), (i + shape) % 2);
            for (int b = 0; b < i % 3; ++b) set.InsertHitBox(i, b, {b, 0, w - 1, h - 1});
            if (shape == 2) set.InsertAtckBox(i, 0, {0, 0, w / 2, h / 2});
            set.sprites[i].rx = -3 * i;
            set.sprites[i].ry = 7 * shape;
        }
        seeds.push_back({"good-random-" + std::to_string(shape), Saved(set), true});
    }

    Pixels alternating(700 * 2);
    for (size_t i = 0; i < alternating.size(); ++i) alternating[i] = i % 3 == 0 ? 0 : uint8_t(i);
    SpriteSet wide;
    wide.NewSpace(700, 2, Handed(alternating), 1);
    seeds.push_back({"good-wide-compressed", Saved(wide), true});

    SpriteFileBuilder empty;
    empty.Header(0, 30, 3);
    seeds.push_back({"good-no-sprites", empty.bytes, true});

    Bytes trailing = small;
    trailing.insert(trailing.end(), {9, 9, 9});
    seeds.push_back({"good-trailing-bytes", trailing, true});

    // Damaged files.
    seeds.push_back({"bad-truncated", Bytes(small.begin(), small.end() - 3), false});
    Bytes signature = small;
    signature[12] = '!';
    seeds.push_back({"bad-signature", signature, false});

    SpriteFileBuilder negative;
    negative.Header(-2).SpriteEntry(Entry{}).Byte(1);
    seeds.push_back({"bad-negative-count", negative.bytes, false});
    for (NamedFile& file : DamagedSpriteFiles()) seeds.push_back({"bad-" + file.name, file.bytes, false});
    return seeds;
}

}  // namespace

TEST(SpriteFuzzSeeds, EachSeedLoadsOrIsRefusedAsNamed)
{
    const std::vector<Seed> seeds = MakeSeeds();
    const char* out = std::getenv("QUILLON_WRITE_SPRITE_SEEDS");
    for (const Seed& seed : seeds) {
        SCOPED_TRACE(seed.name);
        SpriteSet set;
        EXPECT_EQ(seed.loads ? 1 : 0, set.LoadFromMemory(seed.bytes.data(), seed.bytes.size(), seed.name.c_str()))
            << set.message;
        if (!seed.loads) {
            EXPECT_EQ(nullptr, set.sprites);
            EXPECT_NE('\0', set.message[0]);
        }
        if (out != nullptr) {
            EXPECT_TRUE(WriteBytes(std::string(out) + "/" + seed.name + ".spr", seed.bytes));
        }
    }
}
