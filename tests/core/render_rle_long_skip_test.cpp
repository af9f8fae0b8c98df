// Run-length rows with transparent stretches longer than one pair can skip. The form then holds
// pairs that place no pixel in the middle of a row (skip 255, count 0); every run-length routine
// must step over them without losing its place, whole or clipped, in every orientation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "render/sprite_draw.h"
#include "sprite/compress.h"
#include "tests/core/render_test_support.h"

using namespace render_test;

namespace {

using Call = std::function<void(int x, int y, int w, int h, uint8_t* b, const uint8_t* image, int color, int table)>;

struct RleRoutine {
    const char* name;
    Rule rule;
    int flags;
    Call call;
};

template <class F>
Call Plain(F f)
{
    return [f](int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int, int) { f(x, y, w, h, b, i); };
}
template <class F>
Call WithColor(F f)
{
    return [f](int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int c, int) { f(x, y, w, h, b, i, c); };
}
template <class F>
Call WithTable(F f)
{
    return [f](int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int, int t) { f(x, y, w, h, b, i, t); };
}
template <class F>
Call WithBoth(F f)
{
    return [f](int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int c, int t) { f(x, y, w, h, b, i, c, t); };
}

// Rows of opaque stretches (o) and transparent ones (t), as lengths from the left; 700 wide.
const std::vector<std::vector<std::pair<char, int>>> kRows = {
    {{'o', 3}, {'t', 300}, {'o', 5}, {'t', 392}},   // a long gap mid-row, and a long transparent end
    {{'t', 600}, {'o', 100}},                       // two skip-only pairs before the first pixel
    {{'t', 700}},                                   // nothing at all
    {{'o', 700}},                                   // literal pairs of 255, 255 and 190
    {{'o', 1}, {'t', 510}, {'o', 1}, {'t', 188}},   // a gap of exactly two full skips
    {{'t', 256}, {'o', 2}, {'t', 257}, {'o', 185}},
};
constexpr int kWidth = 700;

Bytes MakeRaw(std::mt19937& rng)
{
    Bytes raw;
    for (const auto& row : kRows)
        for (const auto& [kind, length] : row)
            for (int k = 0; k < length; ++k) raw.push_back(kind == 'o' ? uint8_t(1 + rng() % 255) : 0);
    return raw;
}

}  // namespace

TEST(RunLengthRoutines, StepOverPairsThatPlaceNothingInTheMiddleOfARow)
{
    PatternedBlendTables tables;
    std::mt19937 rng(7);
    const int height = int(kRows.size());
    const Bytes raw = MakeRaw(rng);
    ASSERT_EQ(raw.size(), size_t(kWidth) * height);
    uint32_t length = 0;
    uint8_t* compressed = CompressImage(raw.data(), kWidth, height, &length);
    ASSERT_NE(compressed, nullptr);
    const Bytes form(compressed, compressed + length);
    std::free(compressed);
    ASSERT_TRUE(ValidateCompressedImage(form.data(), form.size(), kWidth, height));
    const SpriteModel model = ModelOfRle(form, kWidth, height);

    const int h = DRAW_HFLIP, v = DRAW_VFLIP;
    const std::vector<RleRoutine> routines = {
        {"RleCopy", Rule::Copy, 0, Plain(RleCopy)},           {"RleCopyH", Rule::Copy, h, Plain(RleCopyH)},
        {"RleCopyV", Rule::Copy, v, Plain(RleCopyV)},         {"RleCopyHV", Rule::Copy, h | v, Plain(RleCopyHV)},
        {"RleSolid", Rule::Solid, 0, WithColor(RleSolid)},   {"RleSolidH", Rule::Solid, h, WithColor(RleSolidH)},
        {"RleSolidV", Rule::Solid, v, WithColor(RleSolidV)}, {"RleSolidHV", Rule::Solid, h | v, WithColor(RleSolidHV)},
        {"RleBlend", Rule::Blend, 0, WithTable(RleBlend)},    {"RleBlendH", Rule::Blend, h, WithTable(RleBlendH)},
        {"RleBlendV", Rule::Blend, v, WithTable(RleBlendV)},  {"RleBlendHV", Rule::Blend, h | v, WithTable(RleBlendHV)},
        {"RleTint", Rule::Tint, 0, WithBoth(RleTint)},        {"RleTintH", Rule::Tint, h, WithBoth(RleTintH)},
        {"RleTintV", Rule::Tint, v, WithBoth(RleTintV)},      {"RleTintHV", Rule::Tint, h | v, WithBoth(RleTintHV)},
    };
    // Whole; cut at the top, at the bottom (rows still drawn whole); cut at the left, at the
    // right; cut on all four sides.
    const int places[][2] = {{5, 2}, {5, -2}, {5, 7}, {-7, 1}, {21, 3}, {-300, -2}};
    GuardedPage page(720, 10, 724, 11);
    for (const RleRoutine& r : routines)
        for (const auto& at : places) {
            page.Target();
            GuardedPage expected = page;
            DrawModel(expected, model, at[0], at[1], r.flags, r.rule, 9, 2);
            r.call(at[0], at[1], kWidth, height, page.Pixels(), form.data(), 9, 2);
            ASSERT_EQ(page.bytes, expected.bytes) << r.name << " at (" << at[0] << ", " << at[1] << ")";
        }
}
