// The destination every raster routine writes into: row pitch, size and an inclusive clip
// rectangle, held in one process-wide record. The buffer itself is passed to each routine as the
// address of its top-left pixel; pixel (x, y) is the byte at buffer + y * pitch + x.
#pragma once

#include <cstdint>

struct DrawTarget {
    int32_t width;
    int32_t height;
    int32_t pitch;
    int32_t clipX1;  // all four bounds inclusive
    int32_t clipY1;
    int32_t clipX2;
    int32_t clipY2;
};

extern DrawTarget g_drawTarget;

// Stores the size and pitch and clips to the whole target; returns 1.
int SetDrawTarget(int width, int height, int pitch);
// Stores the four bounds as given: no ordering, no check against the target.
void SetClipRect(int x1, int y1, int x2, int y2);

// The clipped primitives. Colors are palette indices (low 8 bits used); to invert a pixel is to
// replace it by its complement. Rectangles are inclusive and expect x1 <= x2, y1 <= y2.
void HLineFill(int x, int y, int length, uint8_t* buffer, int color);
void VLineFill(int x, int y, int length, uint8_t* buffer, int color);
void HLineInvert(int x, int y, int length, uint8_t* buffer);
void VLineInvert(int x, int y, int length, uint8_t* buffer);
void RectFill(int x1, int y1, int x2, int y2, uint8_t* buffer, int color);
void RectFrame(int x1, int y1, int x2, int y2, uint8_t* buffer, int color);
void RectFrameInvert(int x1, int y1, int x2, int y2, uint8_t* buffer);
