// The benchmark workload keeps the character the comparison relies on: different sprites, all
// drawn unclipped, shaped ones with few runs per row and noisy ones with many, about 40 %
// transparent each, and compressed forms that are exactly the raw images.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "bench/workload.h"
#include "sprite/compress.h"

namespace {

double TransparentShare(const std::vector<uint8_t>& image)
{
    size_t zeros = 0;
    for (uint8_t p : image) zeros += p == 0;
    return double(zeros) / double(image.size());
}

// Runs of opaque pixels per row, over the whole set.
double OpaqueRunsPerRow(const SpriteSetImages& set)
{
    size_t runs = 0;
    for (const std::vector<uint8_t>& image : set.raw)
        for (int y = 0; y < kSpriteSide; ++y)
            for (int x = 0; x < kSpriteSide; ++x) {
                const uint8_t* row = &image[size_t(y) * kSpriteSide];
                runs += row[x] != 0 && (x == 0 || row[x - 1] == 0);
            }
    return double(runs) / (double(kSpriteCount) * kSpriteSide);
}

}  // namespace

TEST(BenchWorkload, EveryPlaceKeepsItsSpriteWhollyOnThePage)
{
    std::set<std::pair<int, int>> seen;
    for (const Place& p : kPlaces) {
        EXPECT_GE(p.x, 0);
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.x + kSpriteSide, kPageWidth);
        EXPECT_LE(p.y + kSpriteSide, kPageHeight);
        EXPECT_TRUE(seen.insert({p.x, p.y}).second) << "two sprites at (" << p.x << ", " << p.y << ")";
    }
}

TEST(BenchWorkload, SetsHoldDifferentSpritesOfTheirOwnKind)
{
    const Workload& w = GetWorkload();
    for (const SpriteSetImages* set : {&w.shaped, &w.noisy}) {
        ASSERT_EQ(set->raw.size(), size_t(kSpriteCount));
        EXPECT_EQ(std::set<std::vector<uint8_t>>(set->raw.begin(), set->raw.end()).size(), size_t(kSpriteCount))
            << set->name << ": a repeated sprite would flatter branchy blitters";
        for (const std::vector<uint8_t>& image : set->raw) {
            ASSERT_EQ(image.size(), size_t(kSpriteSide) * kSpriteSide);
            EXPECT_NEAR(TransparentShare(image), kTransparentShare, 0.02) << set->name;
        }
    }
    // A blob with a few gaps against pixels transparent by chance.
    EXPECT_LT(OpaqueRunsPerRow(w.shaped), 2.0);
    EXPECT_GT(OpaqueRunsPerRow(w.noisy), 20.0);
    // The blob leaves its surroundings transparent: the corners of every shaped sprite.
    for (const std::vector<uint8_t>& image : w.shaped.raw) {
        EXPECT_EQ(image.front(), 0);
        EXPECT_EQ(image.back(), 0);
    }
}

TEST(BenchWorkload, CompressedFormsAreTheRawImages)
{
    const Workload& w = GetWorkload();
    for (const SpriteSetImages* set : {&w.shaped, &w.noisy})
        for (int k = 0; k < kSpriteCount; ++k) {
            const std::vector<uint8_t>& form = set->compressed[size_t(k)];
            ASSERT_TRUE(ValidateCompressedImage(form.data(), form.size(), kSpriteSide, kSpriteSide));
            std::vector<uint8_t> back(size_t(kSpriteSide) * kSpriteSide, 0);
            DecompressImage(back.data(), kSpriteSide, kSpriteSide, form.data());
            EXPECT_EQ(back, set->raw[size_t(k)]) << set->name << " sprite " << k;
        }
}

TEST(BenchWorkload, TheSheetIsWhollyOpaque)
{
    const std::vector<uint8_t>& sheet = GetWorkload().sheet;
    ASSERT_EQ(sheet.size(), size_t(kSheetSide) * kSheetSide);
    size_t zeros = 0;
    for (uint8_t p : sheet) zeros += p == 0;
    EXPECT_EQ(zeros, 0u);
}
