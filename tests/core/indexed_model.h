// The rule by which true-colour sheets are indexed, written plainly for the tests to hold the
// program to (a map of the colours met, no tricks), and the reading of a loaded 8-bit picture
// back into indices and colours.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <vector>

#include "image/image_buffer.h"
#include "tests/core/test_files.h"

struct Rgba {
    uint8_t r, g, b, a;
};

struct IndexedModel {
    Bytes indices;             // top row first
    std::vector<Rgba> colors;  // entry i's red, green, blue (alpha unused)
};

// Index 0 the background (the transparent colour when any pixel has alpha 0 and `alphaCounts`,
// else the top-left colour), the rest in order of first appearance; transparent pixels are one
// colour whose entry takes the first one's red, green and blue.
inline IndexedModel ModelIndexing(const std::vector<Rgba>& pixels, bool alphaCounts)
{
    bool transparency = false;
    for (const Rgba& p : pixels) transparency = transparency || (alphaCounts && p.a == 0);
    auto key = [&](const Rgba& p) {
        return transparency && p.a == 0 ? int64_t(-1) : int64_t(p.r) << 16 | p.g << 8 | p.b;
    };
    IndexedModel model;
    std::map<int64_t, int> seen;
    auto add = [&](const Rgba& p) {
        if (seen.count(key(p)) == 0) {
            seen[key(p)] = int(model.colors.size());
            model.colors.push_back(p);
        }
    };
    if (transparency) {
        for (const Rgba& p : pixels)
            if (p.a == 0) {
                add(p);
                break;
            }
    }
    for (const Rgba& p : pixels) {
        add(p);
        model.indices.push_back(uint8_t(seen[key(p)]));
    }
    return model;
}

// The loaded picture's indices, top row first.
inline Bytes PictureIndices(ImageBuffer& picture)
{
    uint8_t* region = picture.CopyRegion(0, 0, picture.Width(), picture.Height());
    if (region == nullptr) return {};
    Bytes indices(region, region + size_t(picture.Width()) * size_t(picture.Height()));
    std::free(region);
    return indices;
}

// Checks a loaded picture against the model: 8 bits in the one layout, the indices, the table's
// colours, and the entries past them zero.
inline void ExpectIndexedAs(ImageBuffer& picture, const IndexedModel& model)
{
    ASSERT_NE(picture.block, nullptr) << picture.message;
    EXPECT_EQ(picture.bitCount, 8);
    EXPECT_EQ(picture.colorCount, 256);
    EXPECT_EQ(picture.info->biSize, 40u);
    EXPECT_GT(picture.info->biHeight, 0);
    EXPECT_EQ(picture.stride, int32_t((picture.Width() + 3) / 4 * 4));
    EXPECT_EQ(picture.sheetColors, int32_t(model.colors.size()));
    EXPECT_EQ(PictureIndices(picture), model.indices);
    const RGBQUAD* table = picture.ColorTable();
    for (size_t i = 0; i < 256; ++i) {
        const Rgba want = i < model.colors.size() ? model.colors[i] : Rgba{0, 0, 0, 0};
        ASSERT_EQ((std::vector<int>{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, table[i].rgbReserved}),
                  (std::vector<int>{want.r, want.g, want.b, 0}))
            << "color table entry " << i;
    }
}
