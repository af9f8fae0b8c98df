// Helpers for the rendering tests: a page buffer wrapped in guard bytes, a small run-length
// encoder of the documented form, and a per-pixel model of how a sprite lands on a page.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "render/draw_target.h"
#include "render/sprite_draw.h"

namespace render_test {

using Bytes = std::vector<uint8_t>;

constexpr uint8_t kSentinel = 0xA5;
constexpr int kGuard = 64;

// width x height pixels in rows of `pitch` bytes, inside kGuard sentinel bytes on both sides. The
// bytes between width and pitch of each row hold the sentinel too; the pixels hold random bytes.
struct GuardedPage {
    int width, height, pitch;
    Bytes bytes;

    GuardedPage(int w, int h, int p, uint32_t seed) : width(w), height(h), pitch(p), bytes(size_t(p) * h + 2 * kGuard, kSentinel)
    {
        std::mt19937 rng(seed);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) At(x, y) = uint8_t(rng());
    }
    uint8_t* Pixels() { return bytes.data() + kGuard; }
    uint8_t& At(int x, int y) { return Pixels()[size_t(y) * pitch + x]; }
    void Fill(uint8_t value)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) At(x, y) = value;
    }
    void Target() const { SetDrawTarget(width, height, pitch); }
    Bytes Row(int y) { return Bytes(&At(0, y), &At(0, y) + width); }
};

// Encodes raw pixels in the run-length form. With `split`, runs are cut at random places into
// extra pairs (skip 0 or count 0), which the form allows and the routines must handle.
inline Bytes EncodeRle(const Bytes& raw, int width, int height, std::mt19937* split = nullptr)
{
    Bytes out(size_t(4) * height);
    auto cut = [&](int n) { return split ? std::min<int>(n, 1 + int((*split)() % 255)) : std::min(n, 255); };
    for (int y = 0; y < height; ++y) {
        const size_t at = out.size();
        for (int b = 0; b < 4; ++b) out[size_t(y) * 4 + b] = uint8_t(at >> (8 * b));
        out.resize(at + 2);
        int pairs = 0;
        const uint8_t* row = &raw[size_t(y) * width];
        for (int x = 0; x < width;) {
            int skip = 0, count = 0;
            while (x + skip < width && row[x + skip] == 0) ++skip;
            skip = cut(skip);
            while (x + skip + count < width && row[x + skip + count] != 0) ++count;
            count = cut(count);
            out.push_back(uint8_t(skip));
            out.push_back(uint8_t(count));
            out.insert(out.end(), row + x + skip, row + x + skip + count);
            x += skip + count;
            ++pairs;
        }
        out[at] = uint8_t(pairs);
        out[at + 1] = uint8_t(pairs >> 8);
    }
    return out;
}

// What the sprite places at each of its pixels: the value and whether it is drawn at all.
struct SpriteModel {
    int width, height;
    Bytes value;
    std::vector<bool> drawn;
};

inline SpriteModel ModelOfRaw(const Bytes& raw, int width, int height, bool zeroTransparent)
{
    SpriteModel m{width, height, raw, std::vector<bool>(raw.size())};
    for (size_t i = 0; i < raw.size(); ++i) m.drawn[i] = !zeroTransparent || raw[i] != 0;
    return m;
}

// Reads the form through its row table, as a reader independent of the routines.
inline SpriteModel ModelOfRle(const Bytes& form, int width, int height)
{
    SpriteModel m{width, height, Bytes(size_t(width) * height), std::vector<bool>(size_t(width) * height)};
    for (int y = 0; y < height; ++y) {
        size_t p = form[y * 4] | form[y * 4 + 1] << 8 | form[y * 4 + 2] << 16 | size_t(form[y * 4 + 3]) << 24;
        int pairs = form[p] | form[p + 1] << 8, x = 0;
        for (p += 2; pairs-- > 0;) {
            x += form[p];
            int count = form[p + 1];
            for (p += 2; count-- > 0; ++x, ++p) {
                m.value[size_t(y) * width + x] = form[p];
                m.drawn[size_t(y) * width + x] = true;
            }
        }
    }
    return m;
}

enum class Rule { Copy, Solid, Blend, Tint };

// The page as the routine should leave it: each page pixel inside both the sprite rectangle and
// the clip rectangle takes its source pixel through the orientation and the family's rule.
inline void DrawModel(GuardedPage& page, const SpriteModel& m, int x, int y, int flags, Rule rule, int color,
                      int table)
{
    const DrawTarget& t = g_drawTarget;
    if ((rule == Rule::Blend || rule == Rule::Tint) && (table < 0 || table >= kBlendTableCount)) return;
    for (int64_t py = std::max<int64_t>(y, t.clipY1); py <= std::min<int64_t>(int64_t(y) + m.height - 1, t.clipY2); ++py)
        for (int64_t px = std::max<int64_t>(x, t.clipX1); px <= std::min<int64_t>(int64_t(x) + m.width - 1, t.clipX2); ++px) {
            int64_t i = px - x, j = py - y;
            if (flags & DRAW_HFLIP) i = m.width - 1 - i;
            if (flags & DRAW_VFLIP) j = m.height - 1 - j;
            const size_t at = size_t(j * m.width + i);
            if (!m.drawn[at]) continue;
            uint8_t& d = page.At(int(px), int(py));
            const uint8_t s = m.value[at];
            switch (rule) {
            case Rule::Copy: d = s; break;
            case Rule::Solid: d = uint8_t(color); break;
            case Rule::Blend: d = BlendTables[table * kBlendTableSize + d * 256 + s]; break;
            case Rule::Tint: d = BlendTables[table * kBlendTableSize + d * 256 + uint8_t(color)]; break;
            }
        }
}

inline Bytes RandomSprite(std::mt19937& rng, int width, int height)
{
    Bytes raw(size_t(width) * height);
    const unsigned zeroShare = rng() % 4;  // from no transparency to mostly transparent
    for (auto& b : raw) b = (rng() % 4 < zeroShare) ? 0 : uint8_t(1 + rng() % 255);
    return raw;
}

// Fills the blend tables with a pattern that differs by table, destination and source, and
// clears them again when it goes out of scope.
struct PatternedBlendTables {
    PatternedBlendTables()
    {
        for (int i = 0; i < kBlendTableCount * kBlendTableSize; ++i) BlendTables[i] = uint8_t(i * 7 + (i >> 8) * 13 + (i >> 16) * 101 + 1);
    }
    ~PatternedBlendTables()
    {
        for (auto& b : BlendTables) b = 0;
    }
};

}  // namespace render_test
