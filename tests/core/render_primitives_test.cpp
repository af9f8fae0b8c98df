// The draw target and the seven clipped primitives.
#include <gtest/gtest.h>

#include <climits>

#include "render/draw_target.h"
#include "tests/core/render_test_support.h"

using namespace render_test;

namespace {

bool InClip(int64_t x, int64_t y)
{
    const DrawTarget& t = g_drawTarget;
    return x >= t.clipX1 && x <= t.clipX2 && y >= t.clipY1 && y <= t.clipY2;
}

// Applies `paint` to every page pixel inside the clip rectangle for which `covered` says so.
template <class Covered, class Paint>
void Model(GuardedPage& page, Covered covered, Paint paint)
{
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            if (InClip(x, y) && covered(int64_t(x), int64_t(y))) paint(page.At(x, y));
}

// The inverted outline as described: horizontal edges over L+1..R-1 of the cut rectangle, the
// vertical edges over T..B; a pixel reached twice ends as it was.
int FrameInversions(int64_t px, int64_t py, int64_t x1, int64_t y1, int64_t x2, int64_t y2)
{
    const DrawTarget& t = g_drawTarget;
    if (x1 > t.clipX2 || x2 < t.clipX1 || y1 > t.clipY2 || y2 < t.clipY1) return 0;
    const int64_t l = std::max<int64_t>(x1, t.clipX1), r = std::min<int64_t>(x2, t.clipX2);
    const int64_t top = std::max<int64_t>(y1, t.clipY1), bottom = std::min<int64_t>(y2, t.clipY2);
    int n = 0;
    const bool across = px > l && px < r;
    n += y1 >= t.clipY1 && py == y1 && across;
    n += y2 <= t.clipY2 && py == y2 && across;
    const bool down = py >= top && py <= bottom;
    n += x1 >= t.clipX1 && px == x1 && down;
    n += x2 <= t.clipX2 && px == x2 && down;
    return n;
}

}  // namespace

TEST(DrawTarget, SetDrawTargetClipsToTheWholeTarget)
{
    SetClipRect(5, 6, 7, 8);
    EXPECT_EQ(SetDrawTarget(641, 10, 644), 1);
    const DrawTarget& t = g_drawTarget;
    EXPECT_EQ((std::vector<int>{t.width, t.height, t.pitch, t.clipX1, t.clipY1, t.clipX2, t.clipY2}),
              (std::vector<int>{641, 10, 644, 0, 0, 640, 9}));
}

TEST(Primitives, MatchTheModelForLinesAndRectanglesAnywhere)
{
    GuardedPage page(37, 23, 44, 1);
    std::mt19937 rng(99);
    const std::vector<int> coords = {INT_MIN, -40, -3, -1, 0, 1, 5, 17, 22, 35, 36, 37, 60, INT_MAX};
    const std::vector<int> lengths = {INT_MIN, -1, 0, 1, 2, 3, 4, 5, 7, 40, INT_MAX};
    auto pick = [&](const std::vector<int>& from) { return from[rng() % from.size()]; };
    const int clips[][4] = {{0, 0, 36, 22}, {4, 3, 30, 19}};
    for (auto& c : clips) {
        for (int round = 0; round < 3000; ++round) {
            page.Target();
            SetClipRect(c[0], c[1], c[2], c[3]);
            const int64_t x = pick(coords), y = pick(coords), n = pick(lengths);
            int64_t x2 = pick(coords), y2 = pick(coords);
            const uint8_t color = uint8_t(rng());
            GuardedPage expected = page;
            auto fill = [&](uint8_t& d) { d = color; };
            auto invert = [](uint8_t& d) { d = uint8_t(~d); };
            auto hline = [&](int64_t px, int64_t py) { return py == y && px >= x && px < x + n; };
            auto vline = [&](int64_t px, int64_t py) { return px == x && py >= y && py < y + n; };
            const int kind = round % 7;
            if (kind >= 4) {  // rectangles expect ordered corners
                if (x2 < x) x2 = x;
                if (y2 < y) y2 = y;
            }
            auto inside = [&](int64_t px, int64_t py) { return px >= x && px <= x2 && py >= y && py <= y2; };
            auto edge = [&](int64_t px, int64_t py) {
                return inside(px, py) && (px == x || px == x2 || py == y || py == y2);
            };
            switch (kind) {
            case 0: HLineFill(int(x), int(y), int(n), page.Pixels(), color); Model(expected, hline, fill); break;
            case 1: VLineFill(int(x), int(y), int(n), page.Pixels(), color); Model(expected, vline, fill); break;
            case 2: HLineInvert(int(x), int(y), int(n), page.Pixels()); Model(expected, hline, invert); break;
            case 3: VLineInvert(int(x), int(y), int(n), page.Pixels()); Model(expected, vline, invert); break;
            case 4: RectFill(int(x), int(y), int(x2), int(y2), page.Pixels(), color); Model(expected, inside, fill); break;
            case 5: RectFrame(int(x), int(y), int(x2), int(y2), page.Pixels(), color); Model(expected, edge, fill); break;
            case 6:
                RectFrameInvert(int(x), int(y), int(x2), int(y2), page.Pixels());
                Model(expected, [&](int64_t px, int64_t py) { return FrameInversions(px, py, x, y, x2, y2) % 2; }, invert);
                break;
            }
            ASSERT_EQ(page.bytes, expected.bytes) << "kind " << kind << " x " << x << " y " << y << " n " << n
                                                  << " x2 " << x2 << " y2 " << y2 << " clip " << c[0] << "," << c[1];
        }
    }
}

TEST(Primitives, DocumentedEdgeCases)
{
    GuardedPage page(100, 100, 100, 2);
    page.Fill(0);
    page.Target();
    HLineFill(-3, 0, 10, page.Pixels(), 6);
    for (int x = 0; x < 100; ++x) EXPECT_EQ(page.At(x, 0), x <= 6 ? 6 : 0) << x;
    EXPECT_EQ(page.At(0, 1), 0);

    // The plus sign: arms of 7 pixels each way, the centre inverted twice.
    page.Fill(0x30);
    HLineInvert(50 - 7, 40, 15, page.Pixels());
    VLineInvert(50, 40 - 7, 15, page.Pixels());
    int inverted = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x) inverted += page.At(x, y) == 0xCF;
    EXPECT_EQ(inverted, 28);
    EXPECT_EQ(page.At(50, 40), 0x30);
    EXPECT_EQ(page.At(43, 40), 0xCF);
    EXPECT_EQ(page.At(50, 47), 0xCF);

    // Inverted frames drawn twice leave the page as it was; one row high changes its two end
    // pixels; one column wide changes nothing.
    GuardedPage noisy(30, 20, 32, 3);
    noisy.Target();
    const Bytes before = noisy.bytes;
    RectFrameInvert(-4, 2, 12, 30, noisy.Pixels());
    RectFrameInvert(-4, 2, 12, 30, noisy.Pixels());
    EXPECT_EQ(noisy.bytes, before);
    RectFrameInvert(3, 5, 3, 15, noisy.Pixels());
    EXPECT_EQ(noisy.bytes, before);
    const uint8_t left = noisy.At(3, 5), right = noisy.At(9, 5), middle = noisy.At(6, 5);
    RectFrameInvert(3, 5, 9, 5, noisy.Pixels());
    EXPECT_EQ(noisy.At(3, 5), uint8_t(~left));
    EXPECT_EQ(noisy.At(9, 5), uint8_t(~right));
    EXPECT_EQ(noisy.At(6, 5), middle);

    // A frame whose top edge is above the clip rectangle: the sides from clipY1, the bottom edge.
    page.Fill(0);
    page.Target();
    SetClipRect(0, 10, 99, 99);
    RectFrame(5, 2, 9, 20, page.Pixels(), 1);
    EXPECT_EQ(page.At(5, 10), 1);
    EXPECT_EQ(page.At(5, 9), 0);
    EXPECT_EQ(page.At(7, 10), 0);
    EXPECT_EQ(page.At(7, 20), 1);

    // A fill over everything stops at each row's width.
    GuardedPage padded(13, 4, 16, 4);
    padded.Target();
    RectFill(INT_MIN, INT_MIN, INT_MAX, INT_MAX, padded.Pixels(), 0x11);
    for (size_t i = 0; i < padded.bytes.size(); ++i) {
        const int64_t offset = int64_t(i) - kGuard;
        const bool pixel = offset >= 0 && offset < 16 * 4 && offset % 16 < 13;
        ASSERT_EQ(padded.bytes[i], pixel ? 0x11 : kSentinel) << offset;
    }
}
