// Sprite drawing: the draw flags, the blend tables and the routines that draw a raw or a
// run-length image into the current DrawTarget, clipped to its clip rectangle.
//
// Every routine draws the sprite over the destination rectangle (x, y)..(x+width-1, y+height-1);
// the H members mirror left to right, the V members top to bottom, the HV members both. Palette
// index 0 of a raw image is transparent for all families but RawCopy; the skipped pixels of a
// run-length image are transparent by construction.
#pragma once

#include <cstdint>

enum DrawFlags {
    DRAW_HFLIP = 1,
    DRAW_VFLIP = 2,
    DRAW_BLEND = 4,
    DRAW_SOLID = 8,
};

constexpr int kBlendTableCount = 7;
constexpr int kBlendTableSize = 256 * 256;
// Entry [t][d][s] at t * 65536 + d * 256 + s: the new value of destination d drawn with s.
extern uint8_t BlendTables[kBlendTableCount * kBlendTableSize];

// Raw images: width x height bytes, top row first, no padding.
void RawCopy(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image);
void RawCopyH(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image);
void RawCopyV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image);
void RawCopyHV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image);
void RawKey(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image);
void RawKeyH(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image);
void RawKeyV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image);
void RawKeyHV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image);
void RawSolid(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color);
void RawSolidH(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color);
void RawSolidV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color);
void RawSolidHV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color);
void RawBlend(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int table);
void RawBlendH(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int table);
void RawBlendV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int table);
void RawBlendHV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int table);
void RawTint(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color, int table);
void RawTintH(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color, int table);
void RawTintV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color, int table);
void RawTintHV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color, int table);

// Run-length images in the form of sprite/compress.h.
void RleCopy(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image);
void RleCopyH(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image);
void RleCopyV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image);
void RleCopyHV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image);
void RleSolid(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color);
void RleSolidH(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color);
void RleSolidV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color);
void RleSolidHV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color);
void RleBlend(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int table);
void RleBlendH(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int table);
void RleBlendV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int table);
void RleBlendHV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int table);
void RleTint(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color, int table);
void RleTintH(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color, int table);
void RleTintV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color, int table);
void RleTintHV(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, int color, int table);

// The span routines of the clipped run-length paths; `table` is one 65536-byte blend table.
void SpanFill(uint8_t* dest, int n, uint8_t value);
void SpanCopyReversed(uint8_t* dest, const uint8_t* source, int n);
void SpanBlend(uint8_t* dest, const uint8_t* source, int n, const uint8_t* table);
void SpanBlendReversed(uint8_t* dest, const uint8_t* source, int n, const uint8_t* table);
void SpanTint(uint8_t* dest, int n, uint8_t color, const uint8_t* table);
void SpanTintReversed(uint8_t* dest, int n, uint8_t color, const uint8_t* table);
