// The animated GIF's frames: each sprite at its relative coordinate from one anchor, on one canvas
// that holds them all, checked against a per-pixel model for every flip.
#include "render/gif_frames.h"

#include <gtest/gtest.h>

#include <random>

#include "sprite/box_geometry.h"
#include "tests/core/sprite_test_util.h"

namespace {

struct Placed {
    int width, height, rx, ry;
    bool compressed;
};

// A set of the sprites given, each with random pixels (about a third of them index 0).
void MakeSet(SpriteSet& set, const std::vector<Placed>& sprites, std::vector<Pixels>* images)
{
    std::mt19937 rng(17);
    for (const Placed& p : sprites) {
        Pixels pixels = RandomPicture(rng, p.width, p.height, 30);
        images->push_back(pixels);
        ASSERT_EQ(set.Insert(set.Count(), p.width, p.height, Handed(pixels), p.compressed ? 1 : 0), 1) << set.message;
        Sprite& s = set.sprites[set.Count() - 1];
        s.rx = p.rx;
        s.ry = p.ry;
    }
}

// The index the canvas shows at (x, y) in frame `i`: the sprite's own pixel where it covers the
// canvas and is not 0, mirrored within its rectangle as the flips say; 0 elsewhere.
int ModelPixel(const GifFrames& g, const Placed& p, const Pixels& image, int flips, int x, int y)
{
    const int left = g.anchorX + ((flips & kFlipHorizontal) ? -p.rx - p.width : p.rx);
    const int top = g.anchorY + ((flips & kFlipVertical) ? -p.ry - p.height : p.ry);
    int c = x - left, r = y - top;
    if (c < 0 || r < 0 || c >= p.width || r >= p.height) return 0;
    if (flips & kFlipHorizontal) c = p.width - 1 - c;
    if (flips & kFlipVertical) r = p.height - 1 - r;
    return image[size_t(r) * size_t(p.width) + size_t(c)];
}

}  // namespace

TEST(GifFrames, DelayIsHundredthsRoundedNeverBelowTwo)
{
    const struct {
        int fps, delay;
    } table[] = {{0, 2}, {-5, 2}, {1, 100}, {3, 33}, {6, 17}, {7, 14}, {8, 13}, {15, 7},
                 {30, 3}, {40, 3}, {50, 2}, {60, 2}, {70, 2}, {1000, 2}};
    for (const auto& row : table) EXPECT_EQ(GifDelay(row.fps), row.delay) << row.fps << " fps";
}

TEST(GifFrames, EverySpriteAtItsPlaceFromOneAnchorForEveryFlip)
{
    // Odd sizes, sprites left of and above the anchor, right of and below it, raw and compressed.
    const std::vector<Placed> placed = {
        {7, 5, -3, -5, false}, {1, 1, 4, 2, true}, {17, 3, -20, 1, true}, {5, 9, 0, -12, false}};
    SpriteSet set;
    std::vector<Pixels> images;
    MakeSet(set, placed, &images);
    Palette palette{};
    palette.entries[9].rgbRed = 90;
    for (int flips = 0; flips < 4; ++flips) {
        SCOPED_TRACE(flips);
        GifFrames g;
        ASSERT_EQ(LayOutGifFrames(set, palette, 12, flips, &g), Reason::kNone);
        // The sprites' pixels run from x = -20 to 4 and y = -12 to 3 about the anchor; mirrored,
        // from -5 to 19 and from -4 to 11.
        EXPECT_EQ(g.width, 25);
        EXPECT_EQ(g.height, 16);
        EXPECT_EQ(g.anchorX, (flips & kFlipHorizontal) ? 5 : 20);
        EXPECT_EQ(g.anchorY, (flips & kFlipVertical) ? 4 : 12);
        EXPECT_EQ(g.transparent, 0);
        EXPECT_EQ(g.palette.entries[9].rgbRed, 90);
        EXPECT_EQ(g.delays, std::vector<int>(placed.size(), 8));
        ASSERT_EQ(g.frames.size(), placed.size());
        for (size_t i = 0; i < placed.size(); ++i) {
            ASSERT_EQ(g.frames[i].size(), size_t(g.width) * size_t(g.height));
            int wrong = 0;
            for (int y = 0; y < g.height; ++y)
                for (int x = 0; x < g.width; ++x)
                    if (g.frames[i][size_t(y) * size_t(g.width) + size_t(x)] !=
                        ModelPixel(g, placed[i], images[i], flips, x, y))
                        ++wrong;
            EXPECT_EQ(wrong, 0) << "frame " << i;
        }
    }
}

TEST(GifFrames, SpritesWithoutPixelsGiveBlankFramesAndEmptySetsAndHugeCanvasesAreRefused)
{
    Palette palette{};
    GifFrames g;
    SpriteSet empty;
    EXPECT_EQ(LayOutGifFrames(empty, palette, 10, 0, &g), Reason::kNoSprites);

    // The second sprite has lost its image: it takes no room, and its frame is blank.
    SpriteSet set;
    std::vector<Pixels> images;
    MakeSet(set, {{3, 2, 0, 0, false}, {40, 40, -100, -100, false}, {2, 3, 1, 1, true}}, &images);
    std::free(set.sprites[1].image);
    set.sprites[1].image = nullptr;
    set.sprites[1].imageSize = 0;
    ASSERT_EQ(LayOutGifFrames(set, palette, 10, 0, &g), Reason::kNone);
    EXPECT_EQ(g.width, 3);
    EXPECT_EQ(g.height, 4);
    ASSERT_EQ(g.frames.size(), 3u);
    EXPECT_EQ(g.frames[1], Pixels(12, 0));
    EXPECT_EQ(g.delays, std::vector<int>(3, 10));

    SpriteSet blank;
    MakeSet(blank, {{2, 2, 0, 0, false}}, &images);
    std::free(blank.sprites[0].image);
    blank.sprites[0].image = nullptr;
    EXPECT_EQ(LayOutGifFrames(blank, palette, 10, 0, &g), Reason::kNoImage);
    EXPECT_TRUE(g.frames.empty());

    // Two sprites 40,000 pixels apart: no canvas holds them.
    SpriteSet far;
    MakeSet(far, {{2, 2, -20000, 0, false}, {2, 2, 20000, 0, false}}, &images);
    EXPECT_EQ(LayOutGifFrames(far, palette, 10, 0, &g), Reason::kPictureTooLarge);
    EXPECT_EQ(g.width, 0);
}
