// An off-screen 8-bit page in the layout StretchDIBits shows directly: a bitmap header with its
// color table, top-down pixel rows padded to a multiple of 4 bytes, and a logical palette of the
// same colors. Views compose a page with the raster routines, then flip it into a window.
#pragma once

#include <cstdint>

#include "image/palette.h"
#include "platform/win32.h"
#include "sprite/box_rect.h"
#include "sprite/sprite_set.h"

// The drawing modes of the line, outline and frame operations.
constexpr int kSolidMode = 0;   // draw in the color
constexpr int kInvertMode = 1;  // invert the pixels; the color is not used

class DibPage {
public:
    BITMAPINFO* info = nullptr;         // header + colourCount color-table entries
    LOGPALETTE* logPalette = nullptr;
    HPALETTE palette = nullptr;
    uint8_t* pixels = nullptr;          // row 0 (top) first
    int32_t pitch = 0;                  // width rounded up to a multiple of 4
    int32_t width = 0;
    int32_t height = 0;
    int16_t bitCount = 8;
    int32_t bytesPerPixel = 1;
    uint16_t colourCount = 0;
    int32_t originX = 0;                // window position of the page's top-left corner
    int32_t originY = 0;
    int32_t zoom = 1;
    // While set, drawing reaches only this rectangle of the page (inclusive; cut to the page).
    bool drawClipped = false;
    PixelRect drawClip = {0, 0, 0, 0};

    DibPage() = default;
    ~DibPage();
    DibPage(const DibPage&) = delete;
    DibPage& operator=(const DibPage&) = delete;

    // A refused Create (a bit count other than 4, 8 or 24, a size past the caps, no memory) leaves
    // a page without pixels whose width, height and pitch are 0.
    int Create(int width, int height, int bitCount, const Palette* palette);
    // True when the page has pixels and exactly this size, so it need not be created again. (Release
    // keeps the numbers of a page whose pixels it freed; this never takes such a page.)
    bool HasSize(int width, int height) const;
    int SetPalette(const Palette* palette);
    void Release();
    void SetView(int x, int y, int zoom);
    void WindowToPage(int windowX, int windowY, int* pageX, int* pageY) const;

#ifdef _WIN32
    // Showing the page in a window (shell side, GDI).
    int Flip(HWND window);
    int FlipAt(HWND window, int x, int y, int zoom);
    int FlipRect(HWND window, const PixelRect* destination, const PixelRect* source);
    // The same onto a device context the caller holds, with SelectColors done on it: a view that
    // flips many small rectangles in one paint takes and prepares its context once.
    int FlipRectOn(HDC context, const PixelRect* destination, const PixelRect* source) const;
    // Selects and realises the page's palette in the context as a background palette (nothing to
    // do for a page without colors). 0 when that fails.
    int SelectColors(HDC context) const;
#endif

    // Confines the drawing operations to a rectangle of the page (a view that shows only part of
    // the page composes only that part), or lets them reach the whole page again.
    void ClipDrawing(const PixelRect& rect);
    void UnclipDrawing();
    // Points the raster routines at this page, clipped as above. False when nothing may be drawn:
    // no pixels, or a clip that leaves no pixel of the page.
    bool BeginDraw();

    // Drawing. Mode 0 draws in the color, mode 1 inverts, any other mode draws nothing. A page
    // without pixels is never drawn on (DrawSprite and DrawSpriteOpaque then return 0), nor
    // flipped (Flip and FlipRect return 0).
    void DrawHLine(int x, int y, int length, int color, int mode);
    void DrawVLine(int x, int y, int length, int color, int mode);
    void DrawFrame(int x1, int y1, int x2, int y2, int color, int mode);
    void FillBox(int x1, int y1, int x2, int y2, int color);
    int DrawSprite(int x, int y, const Sprite* sprite, int flags, int color, int table);
    int DrawSpriteOpaque(int x, int y, const Sprite* sprite, int flags, int color, int table);
};
