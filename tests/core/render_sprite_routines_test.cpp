// The thirty-six sprite routines and the six span routines against a per-pixel model.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>

#include "render/sprite_draw.h"
#include "tests/core/render_test_support.h"

using namespace render_test;

namespace {

using Call = std::function<void(int x, int y, int w, int h, uint8_t* b, const uint8_t* image, int color, int table)>;

struct Routine {
    const char* name;
    bool runLength;
    Rule rule;
    bool zeroTransparent;  // raw images only
    int orientation;       // DRAW_HFLIP | DRAW_VFLIP as the member mirrors
    Call call;
};

#define PLAIN(f) [](int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int, int) { f(x, y, w, h, b, i); }
#define COLOR(f) [](int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int c, int) { f(x, y, w, h, b, i, c); }
#define TABLE(f) [](int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int, int t) { f(x, y, w, h, b, i, t); }
#define FAMILY(prefix, rle, rule, key, wrap)                                   \
    Routine{#prefix, rle, rule, key, 0, wrap(prefix)},                        \
    Routine{#prefix "H", rle, rule, key, DRAW_HFLIP, wrap(prefix##H)},        \
    Routine{#prefix "V", rle, rule, key, DRAW_VFLIP, wrap(prefix##V)},        \
    Routine{#prefix "HV", rle, rule, key, DRAW_HFLIP | DRAW_VFLIP, wrap(prefix##HV)}
#define BOTH(f) f

const std::vector<Routine>& AllRoutines()
{
    static const std::vector<Routine> routines = {
        FAMILY(RawCopy, false, Rule::Copy, false, PLAIN),   FAMILY(RawKey, false, Rule::Copy, true, PLAIN),
        FAMILY(RawSolid, false, Rule::Solid, true, COLOR), FAMILY(RawBlend, false, Rule::Blend, true, TABLE),
        FAMILY(RawTint, false, Rule::Tint, true, BOTH),     FAMILY(RleCopy, true, Rule::Copy, false, PLAIN),
        FAMILY(RleSolid, true, Rule::Solid, false, COLOR), FAMILY(RleBlend, true, Rule::Blend, false, TABLE),
        FAMILY(RleTint, true, Rule::Tint, false, BOTH),
    };
    return routines;
}

struct TestSprite {
    int width, height;
    Bytes raw, form;
};

// Positions that put the sprite's first or last column (row) on each side of a clip bound,
// across it, inside, and far outside at both ends of the 32-bit range.
std::vector<int> Positions(int low, int high, int size)
{
    return {INT_MIN, low - size - 1, low - size + 1, low - size / 2, low + 1, high - size + 1, high - size / 2, high,
            high + 1, INT_MAX - size / 2};
}

}  // namespace

TEST(SpriteRoutines, MatchThePerPixelModelWhereverTheyAreClipped)
{
    PatternedBlendTables tables;
    std::mt19937 rng(20240611);
    const int sizes[][2] = {{1, 1}, {3, 2}, {5, 7}, {17, 3}, {16, 17}, {33, 9}, {32, 5}, {70, 4}, {7, 70}};
    std::vector<TestSprite> sprites;
    for (auto& s : sizes) {
        TestSprite t{s[0], s[1], RandomSprite(rng, s[0], s[1]), {}};
        std::mt19937 splitter(rng());
        t.form = EncodeRle(t.raw, t.width, t.height, sprites.size() % 2 ? &splitter : nullptr);
        sprites.push_back(t);
    }
    // Rows padded past the width, the same page clipped inside, and rows without padding (where
    // whole unclipped sprites are drawn as one stretch).
    GuardedPage padded(40, 30, 44, 7), tight(32, 20, 32, 8);
    const struct {
        GuardedPage* page;
        int clip[4];
    } setups[] = {{&padded, {0, 0, 39, 29}}, {&padded, {3, 2, 36, 25}}, {&tight, {0, 0, 31, 19}}};
    for (const Routine& r : AllRoutines()) {
        for (const TestSprite& s : sprites) {
            const SpriteModel model = r.runLength ? ModelOfRle(s.form, s.width, s.height)
                                                  : ModelOfRaw(s.raw, s.width, s.height, r.zeroTransparent);
            const uint8_t* image = r.runLength ? s.form.data() : s.raw.data();
            for (auto& setup : setups) {
                GuardedPage& page = *setup.page;
                const int* c = setup.clip;
                page.Target();
                SetClipRect(c[0], c[1], c[2], c[3]);
                for (int x : Positions(c[0], c[2], s.width))
                    for (int y : Positions(c[1], c[3], s.height)) {
                        const int color = int(rng() % 256), table = int(rng() % kBlendTableCount);
                        GuardedPage expected = page;
                        DrawModel(expected, model, x, y, r.orientation, r.rule, color, table);
                        r.call(x, y, s.width, s.height, page.Pixels(), image, color, table);
                        if (page.bytes != expected.bytes) {
                            FAIL() << r.name << " " << s.width << "x" << s.height << " at (" << x << ", " << y
                                   << ") on " << page.width << "x" << page.height << " clip (" << c[0] << ", "
                                   << c[1] << ", " << c[2] << ", " << c[3] << ")";
                        }
                    }
            }
        }
    }
}

TEST(SpriteRoutines, EmptySpritesCrossedClipsAndTablesOutOfRangeDrawNothing)
{
    PatternedBlendTables tables;
    std::mt19937 rng(5);
    const Bytes raw = RandomSprite(rng, 9, 9), form = EncodeRle(raw, 9, 9);
    GuardedPage page(20, 20, 20, 3);
    page.Target();
    const Bytes before = page.bytes;
    for (const Routine& r : AllRoutines()) {
        const uint8_t* image = r.runLength ? form.data() : raw.data();
        for (auto& wh : {std::pair{0, 9}, {9, 0}, {-1, 9}, {9, -5}, {INT_MIN, INT_MIN}})
            r.call(2, 2, wh.first, wh.second, page.Pixels(), image, 5, 0);
        if (r.rule == Rule::Blend || r.rule == Rule::Tint)
            for (int table : {7, -1, INT_MAX, INT_MIN}) r.call(2, 2, 9, 9, page.Pixels(), image, 5, table);
        SetClipRect(8, 2, 5, 15);  // crossed bounds: no column may be written
        r.call(2, 2, 9, 9, page.Pixels(), image, 5, 0);
        page.Target();
        ASSERT_EQ(page.bytes, before) << r.name;
    }
}

// A sprite 4 wide and 1 high: skip 1, copy (7, 8); skip 1, copy nothing.
TEST(SpriteRoutines, RunLengthFourByOneExamples)
{
    const Bytes form = {4, 0, 0, 0, 2, 0, 1, 2, 7, 8, 1, 0};
    EXPECT_EQ(EncodeRle({0, 7, 8, 0}, 4, 1), form);
    GuardedPage page(4, 1, 4, 0);
    auto draw = [&](auto routine, int x, int clipX2) {
        page.Fill(9);
        page.Target();
        SetClipRect(0, 0, clipX2, 0);
        routine(x, 0, 4, 1, page.Pixels(), form.data());
        return page.Row(0);
    };
    EXPECT_EQ(draw(RleCopy, 0, 3), (Bytes{9, 7, 8, 9}));
    EXPECT_EQ(draw(RleCopyH, 0, 3), (Bytes{9, 8, 7, 9}));
    EXPECT_EQ(draw([](int x, int y, int w, int h, uint8_t* b, const uint8_t* i) { RleSolid(x, y, w, h, b, i, 5); }, 0, 3),
              (Bytes{9, 5, 5, 9}));
    EXPECT_EQ(draw(RleCopy, -2, 3), (Bytes{8, 9, 9, 9}));
    EXPECT_EQ(draw(RleCopyH, -2, 3), (Bytes{7, 9, 9, 9}));
    EXPECT_EQ(draw(RleCopy, -1, 1), (Bytes{7, 8, 9, 9}));
}

TEST(SpanRoutines, MatchPlainLoopsForEveryLength)
{
    PatternedBlendTables tables;
    const uint8_t* table = BlendTables + 3 * kBlendTableSize;
    std::mt19937 rng(11);
    for (int n = 0; n <= 70; ++n) {
        Bytes source(n), start(n + 2 * kGuard, kSentinel);
        for (auto& b : source) b = uint8_t(rng());
        for (int k = 0; k < n; ++k) start[kGuard + k] = uint8_t(rng());
        const uint8_t color = uint8_t(rng());
        auto check = [&](const char* name, auto routine, auto rule) {
            Bytes got = start, want = start;
            routine(got.data() + kGuard);
            for (int k = 0; k < n; ++k) rule(want.data() + kGuard, k);
            EXPECT_EQ(got, want) << name << " n=" << n;
        };
        const uint8_t* s = source.data();
        check("SpanFill", [&](uint8_t* d) { SpanFill(d, n, color); }, [&](uint8_t* d, int k) { d[k] = color; });
        check("SpanCopyReversed", [&](uint8_t* d) { SpanCopyReversed(d, s, n); },
              [&](uint8_t* d, int k) { d[n - 1 - k] = s[k]; });
        check("SpanBlend", [&](uint8_t* d) { SpanBlend(d, s, n, table); },
              [&](uint8_t* d, int k) { d[k] = table[d[k] * 256 + s[k]]; });
        check("SpanBlendReversed", [&](uint8_t* d) { SpanBlendReversed(d, s, n, table); },
              [&](uint8_t* d, int k) { d[n - 1 - k] = table[d[n - 1 - k] * 256 + s[k]]; });
        check("SpanTint", [&](uint8_t* d) { SpanTint(d, n, color, table); },
              [&](uint8_t* d, int k) { d[k] = table[d[k] * 256 + color]; });
        check("SpanTintReversed", [&](uint8_t* d) { SpanTintReversed(d, n, color, table); },
              [&](uint8_t* d, int k) { d[k] = table[d[k] * 256 + color]; });
    }
}
