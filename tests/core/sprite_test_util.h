// Helpers for the sprite tests: images in std::malloc blocks (the set takes them over), seeded
// random pictures and whole-set comparison.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "sprite/sprite_set.h"

using Pixels = std::vector<uint8_t>;

// A malloc'd copy of `pixels`, ready to hand to a set.
inline uint8_t* Handed(const Pixels& pixels)
{
    uint8_t* block = static_cast<uint8_t*>(std::malloc(pixels.empty() ? 1 : pixels.size()));
    if (!pixels.empty()) std::memcpy(block, pixels.data(), pixels.size());
    return block;
}

// A w x h image filled with `value` + column, so sprites can be told apart.
inline uint8_t* Filled(int width, int height, uint8_t value)
{
    Pixels pixels(size_t(width) * size_t(height));
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(value + i % size_t(width));
    return Handed(pixels);
}

// Random pixels, about `transparentPercent` of them 0, in runs of random length (some longer
// than 255, so every kind of pair occurs).
inline Pixels RandomPicture(std::mt19937& rng, int width, int height, int transparentPercent)
{
    Pixels pixels(size_t(width) * size_t(height));
    std::uniform_int_distribution<int> percent(0, 99), runLength(1, 300), value(1, 255);
    size_t i = 0;
    while (i < pixels.size()) {
        bool clear = percent(rng) < transparentPercent;
        int run = percent(rng) < 70 ? 1 + percent(rng) % 4 : runLength(rng);
        for (; run > 0 && i < pixels.size(); --run) pixels[i++] = clear ? 0 : uint8_t(value(rng));
    }
    return pixels;
}

inline Pixels ImageOf(const Sprite& sprite) { return Pixels(sprite.image, sprite.image + sprite.imageSize); }

// Every field, box and image byte of two sets is the same.
inline void ExpectSameSets(const SpriteSet& a, const SpriteSet& b)
{
    ASSERT_EQ(a.header.count, b.header.count);
    EXPECT_EQ(0, std::memcmp(&a.header, &b.header, sizeof a.header));
    for (int i = 0; i < a.header.count; ++i) {
        const Sprite& x = a.sprites[i];
        const Sprite& y = b.sprites[i];
        SCOPED_TRACE(testing::Message() << "sprite " << i);
        EXPECT_EQ(x.compressed, y.compressed);
        EXPECT_EQ(x.width, y.width);
        EXPECT_EQ(x.height, y.height);
        EXPECT_EQ(x.rx, y.rx);
        EXPECT_EQ(x.ry, y.ry);
        EXPECT_EQ(x.mx, y.mx);
        EXPECT_EQ(x.my, y.my);
        ASSERT_EQ(x.hitCount, y.hitCount);
        ASSERT_EQ(x.atckCount, y.atckCount);
        ASSERT_EQ(x.imageSize, y.imageSize);
        if (x.hitCount > 0) {
            EXPECT_EQ(0, std::memcmp(x.hitBoxes, y.hitBoxes, sizeof(BoxRect) * size_t(x.hitCount)));
        }
        if (x.atckCount > 0) {
            EXPECT_EQ(0, std::memcmp(x.atckBoxes, y.atckBoxes, sizeof(BoxRect) * size_t(x.atckCount)));
        }
        EXPECT_EQ(ImageOf(x), ImageOf(y));
    }
}
