// Boxes under the mouse, what a drag of each part makes of a box, and the mirror rule of the
// flipped preview.
#include <gtest/gtest.h>

#include <vector>

#include "render/half_tone.h"
#include "sprite/box_geometry.h"

namespace {

BoxRect Box(int x1, int y1, int x2, int y2) { return BoxRect{0, int16_t(x1), int16_t(y1), int16_t(x2), int16_t(y2), 0}; }

std::vector<int> Corners(const PixelRect& r) { return {r.x1, r.y1, r.x2, r.y2}; }

}  // namespace

TEST(BoxGeometry, APressTakesThePartUnderItAndTheNewestBox)
{
    const BoxRect box = Box(10, 20, 30, 40);
    struct Case {
        int x, y;
        BoxPart part;
    };
    const Case cases[] = {
        {20, 30, BoxPart::kInside},      {10, 30, BoxPart::kLeft},       {8, 30, BoxPart::kLeft},
        {31, 25, BoxPart::kRight},       {20, 19, BoxPart::kTop},        {20, 42, BoxPart::kBottom},
        {9, 21, BoxPart::kTopLeft},      {30, 20, BoxPart::kTopRight},   {11, 39, BoxPart::kBottomLeft},
        {32, 42, BoxPart::kBottomRight}, {7, 30, BoxPart::kNone},        {20, 43, BoxPart::kNone},
        {40, 10, BoxPart::kNone},
    };
    for (const Case& c : cases) EXPECT_EQ(BoxPartAt(box, c.x, c.y, 2), c.part) << c.x << "," << c.y;
    EXPECT_EQ(BoxPartAt(Box(5, 5, 6, 6), 5, 6, 2), BoxPart::kInside) << "too small for parts: moved whole";

    // Only the chosen box is taken by a press; a click chooses the newest box under it.
    const BoxRect boxes[] = {Box(0, 0, 50, 50), Box(10, 10, 20, 20), Box(100, 100, 101, 101)};
    BoxPart part = BoxPart::kNone;
    EXPECT_EQ(BoxAt(boxes, 3, 0, 15, 15, 1, &part), 0);
    EXPECT_EQ(part, BoxPart::kInside);
    EXPECT_EQ(BoxAt(boxes, 3, 0, 50, 30, 1, &part), 0);
    EXPECT_EQ(part, BoxPart::kRight);
    EXPECT_EQ(BoxAt(boxes, 3, 1, 40, 40, 1, &part), -1) << "inside another box: a new one is drawn";
    EXPECT_EQ(part, BoxPart::kNone);
    EXPECT_EQ(BoxAt(boxes, 3, -1, 15, 15, 1, &part), -1);
    EXPECT_EQ(BoxUnder(boxes, 3, 15, 15), 1) << "the newer box lies on top";
    EXPECT_EQ(BoxUnder(boxes, 3, 40, 40), 0);
    EXPECT_EQ(BoxUnder(boxes, 3, 70, 70), -1);
}

TEST(BoxGeometry, ADragMovesThePartAndKeepsTheCornersOrdered)
{
    const BoxRect box = Box(10, 20, 30, 40);
    struct Case {
        BoxPart part;
        int dx, dy;
        std::vector<int> made;
    };
    const Case cases[] = {
        {BoxPart::kInside, -5, 7, {5, 27, 25, 47}},
        {BoxPart::kLeft, 4, 9, {14, 20, 30, 40}},
        {BoxPart::kBottom, 9, -3, {10, 20, 30, 37}},
        {BoxPart::kTopRight, -2, -2, {10, 18, 28, 40}},
        {BoxPart::kLeft, 30, 0, {30, 20, 40, 40}},          // past the right edge: turned over
        {BoxPart::kBottomLeft, 25, -25, {30, 15, 35, 20}},
        {BoxPart::kNone, 5, 5, {10, 20, 30, 40}},
    };
    for (const Case& c : cases) EXPECT_EQ(Corners(DraggedBox(box, c.part, c.dx, c.dy)), c.made) << int(c.part);
}

// A game draws a sprite facing the other way by mirroring about the anchor: column x goes to
// -x - 1. The sprite's top-left, its boxes and its center follow from that one rule.
TEST(BoxGeometry, TheMirrorRuleMapsEveryPixelColumnAboutTheAnchor)
{
    const int rx = -6, width = 10, ry = 3, height = 4;
    for (int flips : {0, kFlipHorizontal, kFlipVertical, kFlipHorizontal | kFlipVertical}) {
        SCOPED_TRACE(flips);
        const int left = FlippedLeft(rx, width, flips), top = FlippedTop(ry, height, flips);
        for (int x = 0; x < width; ++x) {
            // Sprite-local column x lies at anchor column rx + x; mirrored, at the image column
            // width - 1 - x of the sprite whose left is `left`.
            const int mirrored = FlippedAnchorColumn(rx + x, flips);
            const int local = (flips & kFlipHorizontal) ? width - 1 - x : x;
            EXPECT_EQ(mirrored, left + local);
            EXPECT_EQ(FlippedAnchorColumn(mirrored, flips), rx + x) << "its own inverse";
        }
        for (int y = 0; y < height; ++y)
            EXPECT_EQ(FlippedAnchorRow(ry + y, flips), top + ((flips & kFlipVertical) ? height - 1 - y : y));
        const PixelRect box = FlippedLocalRect({1, 0, 3, 2}, width, height, flips);
        const std::vector<int> columns = {box.x1, box.x2};
        EXPECT_EQ(columns, (flips & kFlipHorizontal) ? std::vector<int>({6, 8}) : std::vector<int>({1, 3}));
        EXPECT_EQ(box.y1, (flips & kFlipVertical) ? 1 : 0);
    }
}

TEST(BoxGeometry, ATypedNumberIsASigned16BitIntegerOrNothing)
{
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"12", true, 12},        {" -7 ", true, -7},      {"+3", true, 3},        {"32767", true, 32767},
        {"-32768", true, -32768}, {"32768", false, 0},    {"-32769", false, 0},   {"99999999999", false, 0},
        {"", false, 0},          {"-", false, 0},         {"1.5", false, 0},      {"12a", false, 0},
        {"0x10", false, 0},      {"1 2", false, 0},
    };
    for (const Case& c : cases) {
        int value = 4242;
        EXPECT_EQ(ParseBoxNumber(c.text, &value), c.ok) << '"' << c.text << '"';
        EXPECT_EQ(value, c.ok ? c.value : 4242) << '"' << c.text << '"';
    }
}

TEST(HalfTone, EachPairLandsOnTheColourNearestToItsMiddleAndNeverOnIndex0)
{
    RGBQUAD palette[256] = {};
    for (int i = 0; i < 256; ++i) palette[i] = RGBQUAD{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    palette[0] = RGBQUAD{128, 128, 128, 0};  // the transparent index, a colour nothing lands on
    std::vector<uint8_t> table(65536);
    BuildHalfToneTable(palette, table.data());
    EXPECT_EQ(table[10 * 256 + 200], 105);
    EXPECT_EQ(table[200 * 256 + 10], 105);
    EXPECT_EQ(table[77 * 256 + 77], 77);
    EXPECT_EQ(table[127 * 256 + 129], 128) << "not index 0, though it holds the very colour";
    EXPECT_EQ(table[0 * 256 + 0], 128);
}
