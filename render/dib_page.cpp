// The off-screen page: its buffers, palette and view, and the line and box operations that draw
// on it. Showing it in a window belongs to the shell.
#include "render/dib_page.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "render/draw_target.h"

namespace {

constexpr DWORD kInfoHeaderSize = 40;           // BITMAPINFOHEADER
constexpr size_t kInfoBlockWithoutTable = 44;   // header block of a page without a colour table
constexpr size_t kLogPaletteHeaderSize = 4;     // version and entry count
constexpr size_t kLogPaletteBlockExtra = 8;     // LOGPALETTE block: 8 + 4 per entry
constexpr WORD kLogPaletteVersion = 0x300;
constexpr int kRowAlignment = 4;                // rows padded to a multiple of 4 bytes

// Largest page Create accepts: each side at most 32768 pixels and at most 256 MiB of pixels.
// Larger requests are far beyond any picture sheet or game screen and would only come from a
// damaged file or a wrapped size.
constexpr int kMaxPageSide = 32768;
constexpr int64_t kMaxPageBytes = int64_t(256) << 20;

// The fixed 3-3-2 palette used when a page is given none: 3 bits of red, 3 of green, 2 of blue.
void DefaultColour(int i, BYTE* red, BYTE* green, BYTE* blue)
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

    int newBytesPerPixel;
    uint16_t newColourCount;
    switch (newBitCount) {
    case 4: newBytesPerPixel = 1; newColourCount = 16; break;
    case 8: newBytesPerPixel = 1; newColourCount = 256; break;
    case 24: newBytesPerPixel = 3; newColourCount = 0; break;
    default: return 0;
    }
    if (newWidth <= 0 || newHeight <= 0 || newWidth > kMaxPageSide || newHeight > kMaxPageSide) return 0;
    const int64_t newPitch = (int64_t(newWidth) + kRowAlignment - 1) / kRowAlignment * kRowAlignment;
    const int64_t pixelBytes = newPitch * newHeight * newBytesPerPixel;
    if (pixelBytes > kMaxPageBytes) return 0;

    bytesPerPixel = newBytesPerPixel;
    colourCount = newColourCount;
    bitCount = int16_t(newBitCount);
    width = newWidth;
    height = newHeight;
    pitch = int32_t(newPitch);

    const size_t infoBytes = colourCount ? kInfoHeaderSize + sizeof(RGBQUAD) * colourCount : kInfoBlockWithoutTable;
    info = static_cast<BITMAPINFO*>(std::calloc(1, infoBytes));
    if (info == nullptr) return 0;
    pixels = static_cast<uint8_t*>(std::malloc(size_t(pixelBytes)));
    if (pixels == nullptr) return 0;

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
    std::free(logPalette);
    logPalette = static_cast<LOGPALETTE*>(std::malloc(kLogPaletteBlockExtra + sizeof(PALETTEENTRY) * colourCount));
    if (logPalette == nullptr) return 0;
    logPalette->palVersion = kLogPaletteVersion;
    logPalette->palNumEntries = colourCount;

    // Entries are written through plain pointers: both records end in a one-element array that
    // really holds colourCount entries.
    PALETTEENTRY* entries = reinterpret_cast<PALETTEENTRY*>(reinterpret_cast<uint8_t*>(logPalette) + kLogPaletteHeaderSize);
    RGBQUAD* table = info ? reinterpret_cast<RGBQUAD*>(reinterpret_cast<uint8_t*>(info) + kInfoHeaderSize) : nullptr;
    for (int i = 0; i < colourCount; ++i) {
        BYTE red, green, blue;
        if (source != nullptr) {
            red = source->entries[i].rgbRed;
            green = source->entries[i].rgbGreen;
            blue = source->entries[i].rgbBlue;
        } else {
            DefaultColour(i, &red, &green, &blue);
        }
        entries[i] = PALETTEENTRY{red, green, blue, 0};
        if (table != nullptr) table[i] = RGBQUAD{blue, green, red, 0};
    }

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

void DibPage::DrawHLine(int x, int y, int length, int colour, int mode)
{
    if (!BeginDraw()) return;
    if (mode == 0)
        HLineFill(x, y, length, pixels, colour);
    else if (mode == 1)
        HLineInvert(x, y, length, pixels);
}

void DibPage::DrawVLine(int x, int y, int length, int colour, int mode)
{
    if (!BeginDraw()) return;
    if (mode == 0)
        VLineFill(x, y, length, pixels, colour);
    else if (mode == 1)
        VLineInvert(x, y, length, pixels);
}

void DibPage::DrawFrame(int x1, int y1, int x2, int y2, int colour, int mode)
{
    if (!BeginDraw()) return;
    Order(&x1, &x2);
    Order(&y1, &y2);
    if (mode == 0)
        RectFrame(x1, y1, x2, y2, pixels, colour);
    else if (mode == 1)
        RectFrameInvert(x1, y1, x2, y2, pixels);
}

void DibPage::FillBox(int x1, int y1, int x2, int y2, int colour)
{
    if (!BeginDraw()) return;
    Order(&x1, &x2);
    Order(&y1, &y2);
    RectFill(x1, y1, x2, y2, pixels, colour);
}
