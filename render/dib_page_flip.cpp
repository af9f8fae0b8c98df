// Showing a page in a window (shell side): one StretchDIBits, magnified by GDI.
#include "render/dib_page.h"

namespace {

// Gets the window's device context with the page's colors selected. Null when that fails (the
// context is then already released).
HDC BeginFlip(HWND window, const DibPage& page)
{
    HDC context = GetDC(window);
    if (context == nullptr) return nullptr;
    if (!page.SelectColors(context)) {
        ReleaseDC(window, context);
        return nullptr;
    }
    return context;
}

}  // namespace

int DibPage::SelectColors(HDC context) const
{
    if (colourCount == 0 || palette == nullptr) return 1;
    return SelectPalette(context, palette, TRUE) != nullptr && RealizePalette(context) != GDI_ERROR ? 1 : 0;
}

int DibPage::Flip(HWND window)
{
    if (pixels == nullptr) return 0;
    HDC context = BeginFlip(window, *this);
    if (context == nullptr) return 0;
    int result = StretchDIBits(context, originX, originY, width * zoom, height * zoom, 0, 0, width,
                               height, pixels, info, DIB_RGB_COLORS, SRCCOPY);
    ReleaseDC(window, context);
    return result == static_cast<int>(GDI_ERROR) ? 0 : 1;
}

int DibPage::FlipAt(HWND window, int x, int y, int newZoom)
{
    SetView(x, y, newZoom);
    return Flip(window);
}

int DibPage::FlipRect(HWND window, const PixelRect* destination, const PixelRect* source)
{
    if (pixels == nullptr) return 0;
    HDC context = BeginFlip(window, *this);
    if (context == nullptr) return 0;
    PixelRect client;
    if (destination == nullptr) {
        RECT area;
        GetClientRect(window, &area);
        client = {0, 0, area.right - area.left, area.bottom - area.top};  // one pixel beyond the area
        destination = &client;
    }
    const int result = FlipRectOn(context, destination, source);
    ReleaseDC(window, context);
    return result;
}

int DibPage::FlipRectOn(HDC context, const PixelRect* destination, const PixelRect* source) const
{
    if (pixels == nullptr) return 0;
    const int destWidth = destination->x2 - destination->x1 + 1;
    const int destHeight = destination->y2 - destination->y1 + 1;
    int sourceLeft = 0, sourceTop = 0, sourceWidth = width, sourceHeight = height;
    if (source != nullptr) {
        sourceLeft = source->x1;
        sourceTop = source->y1;
        sourceWidth = source->x2 - source->x1 + 1;
        sourceHeight = source->y2 - source->y1 + 1;
    }
    // StretchDIBits measures the source rectangle of a top-down bitmap from its bottom.
    int result = StretchDIBits(context, destination->x1, destination->y1, destWidth, destHeight, sourceLeft,
                               height - sourceTop - sourceHeight, sourceWidth, sourceHeight, pixels, info,
                               DIB_RGB_COLORS, SRCCOPY);
    return result == static_cast<int>(GDI_ERROR) ? 0 : 1;
}
