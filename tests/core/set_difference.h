// Whole-set comparison shared by the core tests and the fuzz targets: every header byte, every
// field, box and image byte of two sprite sets. No GoogleTest here, so the fuzz targets can use it.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

#include "sprite/sprite_set.h"

// The first difference between two sets as a short text ("sprite 2: width 5 != 6"), or an empty
// text when they are the same.
inline std::string SetDifference(const SpriteSet& a, const SpriteSet& b)
{
    if (std::memcmp(&a.header, &b.header, sizeof a.header) != 0) return "the headers differ";
    if ((a.sprites == nullptr) != (b.sprites == nullptr)) return "only one set has sprites";
    for (int i = 0; i < a.header.count; ++i) {
        const Sprite& x = a.sprites[i];
        const Sprite& y = b.sprites[i];
        const std::string at = "sprite " + std::to_string(i) + ": ";
        const struct {
            const char* name;
            int64_t x, y;
        } fields[] = {
            {"compressed", x.compressed, y.compressed}, {"width", x.width, y.width},
            {"height", x.height, y.height},             {"rx", x.rx, y.rx},
            {"ry", x.ry, y.ry},                         {"mx", x.mx, y.mx},
            {"my", x.my, y.my},                         {"hitCount", x.hitCount, y.hitCount},
            {"atckCount", x.atckCount, y.atckCount},    {"imageSize", x.imageSize, y.imageSize},
        };
        for (const auto& f : fields)
            if (f.x != f.y) return at + f.name + " " + std::to_string(f.x) + " != " + std::to_string(f.y);
        if (x.hitCount > 0 && std::memcmp(x.hitBoxes, y.hitBoxes, sizeof(BoxRect) * size_t(x.hitCount)) != 0)
            return at + "the hit boxes differ";
        if (x.atckCount > 0 && std::memcmp(x.atckBoxes, y.atckBoxes, sizeof(BoxRect) * size_t(x.atckCount)) != 0)
            return at + "the attack boxes differ";
        if (x.imageSize > 0 && std::memcmp(x.image, y.image, x.imageSize) != 0) return at + "the images differ";
    }
    return {};
}
