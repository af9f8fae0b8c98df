// The clipped line and rectangle primitives. Every bound is compared in 64-bit, so coordinates
// and lengths anywhere in the 32-bit range clip correctly instead of wrapping round.
#include "render/draw_target.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace {

constexpr uint32_t kByteCopies = 0x01010101u;  // four copies of a byte in a 32-bit word

// Sets n bytes to the color, 32 bits at a time, then up to three single bytes.
void FillRow(uint8_t* d, int64_t n, uint8_t color)
{
    const uint32_t word = color * kByteCopies;
    for (; n >= 4; n -= 4, d += 4) std::memcpy(d, &word, 4);
    for (; n > 0; --n) *d++ = color;
}

// Replaces n bytes by their complements, 32 bits at a time, then up to three single bytes.
void InvertRow(uint8_t* d, int64_t n)
{
    for (; n >= 4; n -= 4, d += 4) {
        uint32_t word;
        std::memcpy(&word, d, 4);
        word = ~word;
        std::memcpy(d, &word, 4);
    }
    for (; n > 0; --n, ++d) *d = uint8_t(~*d);
}

void FillColumn(uint8_t* d, int64_t n, ptrdiff_t pitch, uint8_t color)
{
    for (; n > 0; --n, d += pitch) *d = color;
}

void InvertColumn(uint8_t* d, int64_t n, ptrdiff_t pitch)
{
    for (; n > 0; --n, d += pitch) *d = uint8_t(~*d);
}

uint8_t* PixelAt(uint8_t* buffer, int64_t x, int64_t y)
{
    return buffer + static_cast<ptrdiff_t>(y * g_drawTarget.pitch + x);
}

// The part [first, last] of a line from `start` with `length` pixels that lies within
// [low, high]; false when nothing does.
bool ClipSpan(int64_t start, int64_t length, int64_t low, int64_t high, int64_t* first, int64_t* last)
{
    if (length <= 0) return false;
    const int64_t end = start + length - 1;
    if (end < low || start > high) return false;
    *first = std::max(start, low);
    *last = std::min(end, high);
    return *first <= *last;
}

bool RowInside(int64_t y) { return y >= g_drawTarget.clipY1 && y <= g_drawTarget.clipY2; }
bool ColumnInside(int64_t x) { return x >= g_drawTarget.clipX1 && x <= g_drawTarget.clipX2; }

bool ClipHLine(int x, int y, int length, int64_t* first, int64_t* last)
{
    return RowInside(y) && ClipSpan(x, length, g_drawTarget.clipX1, g_drawTarget.clipX2, first, last);
}

bool ClipVLine(int x, int y, int length, int64_t* first, int64_t* last)
{
    return ColumnInside(x) && ClipSpan(y, length, g_drawTarget.clipY1, g_drawTarget.clipY2, first, last);
}

// The outline of a rectangle against the clip rectangle: which edges show and where they are cut.
struct FrameClip {
    int64_t left, right, top, bottom;  // L, R, T, B: the rectangle cut to the clip rectangle
    bool topEdge, bottomEdge, leftEdge, rightEdge;
};

bool ClipFrame(int x1, int y1, int x2, int y2, FrameClip* f)
{
    const DrawTarget& t = g_drawTarget;
    if (x1 > t.clipX2 || x2 < t.clipX1 || y1 > t.clipY2 || y2 < t.clipY1) return false;
    f->left = std::max(x1, t.clipX1);
    f->right = std::min(x2, t.clipX2);
    f->top = std::max(y1, t.clipY1);
    f->bottom = std::min(y2, t.clipY2);
    f->topEdge = y1 >= t.clipY1;
    f->bottomEdge = y2 <= t.clipY2;
    f->leftEdge = x1 >= t.clipX1;
    f->rightEdge = x2 <= t.clipX2;
    return true;
}

}  // namespace

void HLineFill(int x, int y, int length, uint8_t* buffer, int color)
{
    int64_t first, last;
    if (ClipHLine(x, y, length, &first, &last))
        FillRow(PixelAt(buffer, first, y), last - first + 1, uint8_t(color));
}

void VLineFill(int x, int y, int length, uint8_t* buffer, int color)
{
    int64_t first, last;
    if (ClipVLine(x, y, length, &first, &last))
        FillColumn(PixelAt(buffer, x, first), last - first + 1, g_drawTarget.pitch, uint8_t(color));
}

void HLineInvert(int x, int y, int length, uint8_t* buffer)
{
    int64_t first, last;
    if (ClipHLine(x, y, length, &first, &last)) InvertRow(PixelAt(buffer, first, y), last - first + 1);
}

void VLineInvert(int x, int y, int length, uint8_t* buffer)
{
    int64_t first, last;
    if (ClipVLine(x, y, length, &first, &last))
        InvertColumn(PixelAt(buffer, x, first), last - first + 1, g_drawTarget.pitch);
}

void RectFill(int x1, int y1, int x2, int y2, uint8_t* buffer, int color)
{
    const DrawTarget& t = g_drawTarget;
    const int64_t left = std::max(x1, t.clipX1), right = std::min(x2, t.clipX2);
    const int64_t top = std::max(y1, t.clipY1), bottom = std::min(y2, t.clipY2);
    const int64_t n = right - left + 1;
    if (n <= 0 || top > bottom) return;
    uint8_t* row = PixelAt(buffer, left, top);
    for (int64_t y = top; y <= bottom; ++y, row += t.pitch) FillRow(row, n, uint8_t(color));
}

void RectFrame(int x1, int y1, int x2, int y2, uint8_t* buffer, int color)
{
    FrameClip f;
    if (!ClipFrame(x1, y1, x2, y2, &f)) return;
    const uint8_t c = uint8_t(color);
    const int64_t across = f.right - f.left + 1, down = f.bottom - f.top + 1;
    if (f.topEdge) FillRow(PixelAt(buffer, f.left, y1), across, c);
    if (f.bottomEdge) FillRow(PixelAt(buffer, f.left, y2), across, c);
    if (f.leftEdge) FillColumn(PixelAt(buffer, x1, f.top), down, g_drawTarget.pitch, c);
    if (f.rightEdge) FillColumn(PixelAt(buffer, x2, f.top), down, g_drawTarget.pitch, c);
}

// The corners belong to the vertical edges, so no pixel is inverted twice; the horizontal edges
// stop one column short of L and R even where the vertical edge there is clipped away. Where two
// opposite edges fall on the same row or column they would invert it back: such a pair is left
// out, so a frame one column wide changes nothing and one a row high changes its two end pixels.
void RectFrameInvert(int x1, int y1, int x2, int y2, uint8_t* buffer)
{
    FrameClip f;
    if (!ClipFrame(x1, y1, x2, y2, &f)) return;
    const int64_t inner = f.right - f.left - 1, down = f.bottom - f.top + 1;
    if (inner > 0 && y1 != y2) {
        if (f.topEdge) InvertRow(PixelAt(buffer, f.left + 1, y1), inner);
        if (f.bottomEdge) InvertRow(PixelAt(buffer, f.left + 1, y2), inner);
    }
    if (x1 != x2) {
        if (f.leftEdge) InvertColumn(PixelAt(buffer, x1, f.top), down, g_drawTarget.pitch);
        if (f.rightEdge) InvertColumn(PixelAt(buffer, x2, f.top), down, g_drawTarget.pitch);
    }
}
