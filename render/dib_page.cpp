// The off-screen page: its buffers, palette and view, and the line and box operations that draw
// on it. Showing it in a window belongs to the shell.
#include "render/dib_page.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "image/image_layout.h"
#include "image/log_palette.h"
#include "render/draw_target.h"

namespace {

constexpr size_t kInfoBlockWithoutTable = 44;   // header block of a page without a color table

// The fixed 3-3-2 palette used when a page is given none: 3 bits of red, 3 of green, 2 of blue.
void DefaultColor(int i, BYTE* red, BYTE* green, BYTE* blue)
{
    *red = BYTE(((i >> 5) & 7) * 255 / 7);
    *green = BYTE(((i >> 2) & 7) * 255 / 7);
    *blue = BYTE((i & 3) * 85);
}

void Order(int* a, int* b)
{
    if (*a > *b) std::swap(*a, *b);
}

}  // namespace

DibPage::~DibPage() { Release(); }

int DibPage::Create(int newWidth, int newHeight, int newBitCount, const Palette* newPalette)
{
    std::free(pixels);
    pixels = nullptr;
    std::free(info);
    info = nullptr;
    // Until the new buffers stand the page has no pixels, and so no size: a refused Create leaves
    // nothing that passes for a page of the old size or of the new one.
    width = 0;
    height = 0;
    pitch = 0;

    int newBytesPerPixel;
    uint16_t newColorCount;
    switch (newBitCount) {
    case 4: newBytesPerPixel = 1; newColorCount = 16; break;
    case 8: newBytesPerPixel = 1; newColorCount = 256; break;
    case 24: newBytesPerPixel = 3; newColorCount = 0; break;
    default: return 0;
    }
    // Rows of `pitch` pixels (the width rounded up to a multiple of 4) of bytesPerPixel bytes each,
    // within the caps every picture keeps to.
    PictureSize rows, buffer;
    if (!CheckPictureSize(newWidth, newHeight, 8, &rows) ||
        !CheckPictureSize(rows.rowBytes, newHeight, 8 * newBytesPerPixel, &buffer))
        return 0;
    const int64_t newPitch = rows.rowBytes;
    const int64_t pixelBytes = buffer.bytes;

    bytesPerPixel = newBytesPerPixel;
    colourCount = newColorCount;
    bitCount = int16_t(newBitCount);
    width = newWidth;
    height = newHeight;
    pitch = int32_t(newPitch);

    const size_t infoBytes = colourCount ? kInfoHeaderSize + sizeof(RGBQUAD) * colourCount : kInfoBlockWithoutTable;
    info = static_cast<BITMAPINFO*>(std::calloc(1, infoBytes));
    if (info != nullptr) pixels = static_cast<uint8_t*>(std::malloc(size_t(pixelBytes)));
    if (pixels == nullptr) {
        width = 0;
        height = 0;
        pitch = 0;
        return 0;
    }

    BITMAPINFOHEADER& header = info->bmiHeader;
    header.biSize = kInfoHeaderSize;
    header.biWidth = width;
    header.biHeight = -height;  // negative: rows stored top to bottom
    header.biPlanes = 1;
    header.biBitCount = WORD(bitCount);
    header.biCompression = BI_RGB;
    header.biSizeImage = DWORD(int64_t(height) * pitch);
    header.biXPelsPerMeter = 0;
    header.biYPelsPerMeter = 0;
    header.biClrUsed = 0;
    header.biClrImportant = 0;

    if (colourCount != 0) SetPalette(newPalette);
    return 1;
}

int DibPage::SetPalette(const Palette* source)
{
    if (colourCount == 0) return 1;
    RGBQUAD colors[kPaletteEntries];
    for (int i = 0; i < colourCount; ++i) {
        if (source != nullptr) {
            colors[i] = RGBQUAD{source->entries[i].rgbBlue, source->entries[i].rgbGreen, source->entries[i].rgbRed, 0};
        } else {
            BYTE red, green, blue;
            DefaultColor(i, &red, &green, &blue);
            colors[i] = RGBQUAD{blue, green, red, 0};
        }
    }
    // The color table follows the header (the record's one-element array really holds them all).
    if (info != nullptr) std::memcpy(reinterpret_cast<uint8_t*>(info) + kInfoHeaderSize, colors, sizeof(RGBQUAD) * colourCount);

    std::free(logPalette);
    logPalette = NewLogPalette(colors, colourCount);
    if (logPalette == nullptr) return 0;
    if (palette != nullptr) DeleteObject(palette);
    palette = CreatePalette(logPalette);
    return palette != nullptr ? 1 : 0;
}

void DibPage::Release()
{
    colourCount = 0;
    std::free(info);
    info = nullptr;
    std::free(pixels);
    pixels = nullptr;
    std::free(logPalette);
    logPalette = nullptr;
    if (palette != nullptr) DeleteObject(palette);
    palette = nullptr;
}

bool DibPage::HasSize(int w, int h) const { return pixels != nullptr && width == w && height == h; }

void DibPage::SetView(int x, int y, int newZoom)
{
    originX = x;
    originY = y;
    zoom = newZoom;
}

// A zoom below 1 is taken as 1 rather than divided by; results beyond the 32-bit range are
// clamped to it.
void DibPage::WindowToPage(int windowX, int windowY, int* pageX, int* pageY) const
{
    const int64_t scale = zoom >= 1 ? zoom : 1;
    auto toPage = [scale](int64_t offset) {
        return int(std::clamp<int64_t>(offset / scale, INT_MIN, INT_MAX));
    };
    if (pageX != nullptr) *pageX = toPage(int64_t(windowX) - originX);
    if (pageY != nullptr) *pageY = toPage(int64_t(windowY) - originY);
}

void DibPage::ClipDrawing(const PixelRect& rect)
{
    drawClipped = true;
    drawClip = rect;
}

void DibPage::UnclipDrawing() { drawClipped = false; }

bool DibPage::BeginDraw()
{
    if (pixels == nullptr) return false;
    SetDrawTarget(width, height, pitch);
    if (!drawClipped) return true;
    const int x1 = std::max(drawClip.x1, 0), y1 = std::max(drawClip.y1, 0);
    const int x2 = std::min(drawClip.x2, width - 1), y2 = std::min(drawClip.y2, height - 1);
    if (x1 > x2 || y1 > y2) return false;
    SetClipRect(x1, y1, x2, y2);
    return true;
}

void DibPage::DrawHLine(int x, int y, int length, int color, int mode)
{
    if (!BeginDraw()) return;
    if (mode == 0)
        HLineFill(x, y, length, pixels, color);
    else if (mode == 1)
        HLineInvert(x, y, length, pixels);
}

void DibPage::DrawVLine(int x, int y, int length, int color, int mode)
{
    if (!BeginDraw()) return;
    if (mode == 0)
        VLineFill(x, y, length, pixels, color);
    else if (mode == 1)
        VLineInvert(x, y, length, pixels);
}

void DibPage::DrawFrame(int x1, int y1, int x2, int y2, int color, int mode)
{
    if (!BeginDraw()) return;
    Order(&x1, &x2);
    Order(&y1, &y2);
    if (mode == 0)
        RectFrame(x1, y1, x2, y2, pixels, color);
    else if (mode == 1)
        RectFrameInvert(x1, y1, x2, y2, pixels);
}

void DibPage::FillBox(int x1, int y1, int x2, int y2, int color)
{
    if (!BeginDraw()) return;
    Order(&x1, &x2);
    Order(&y1, &y2);
    RectFill(x1, y1, x2, y2, pixels, color);
}
