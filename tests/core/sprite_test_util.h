// Helpers for the sprite tests: images in std::malloc blocks (the set takes them over), seeded
// random pictures, whole-set comparison and saved bytes.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "sprite/sprite_set.h"
#include "tests/core/set_difference.h"

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
inline void ExpectSameSets(const SpriteSet& a, const SpriteSet& b) { EXPECT_EQ(SetDifference(a, b), ""); }

// The bytes of the file the set saves to (empty when it refuses).
inline Pixels SavedBytes(SpriteSet& set)
{
    uint8_t* data = nullptr;
    size_t size = 0;
    if (!set.SaveToMemory(&data, &size)) return {};
    Pixels bytes(data, data + size);
    std::free(data);
    return bytes;
}
