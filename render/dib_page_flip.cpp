// Showing a page in a window (shell side): one StretchDIBits, magnified by GDI.
#include "render/dib_page.h"

namespace {

// Gets the window's device context and selects and realises the page's palette as a background
// palette. Null when that fails (the context is then already released).
HDC BeginFlip(HWND window, const DibPage& page)
{
    HDC context = GetDC(window);
    if (context == nullptr) return nullptr;
    if (page.colourCount != 0 && page.palette != nullptr) {
        if (SelectPalette(context, page.palette, TRUE) == nullptr ||
            RealizePalette(context) == GDI_ERROR) {
            ReleaseDC(window, context);
            return nullptr;
        }
    }
    return context;
}

}  // namespace

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

    int destLeft = 0, destTop = 0, destWidth, destHeight;
    if (destination != nullptr) {
        destLeft = destination->x1;
        destTop = destination->y1;
        destWidth = destination->x2 - destination->x1 + 1;
        destHeight = destination->y2 - destination->y1 + 1;
    } else {
        RECT client;
        GetClientRect(window, &client);
        destWidth = client.right - client.left + 1;
        destHeight = client.bottom - client.top + 1;
    }

    int sourceLeft = 0, sourceTop = 0, sourceWidth = width, sourceHeight = height;
    if (source != nullptr) {
        sourceLeft = source->x1;
        sourceTop = source->y1;
        sourceWidth = source->x2 - source->x1 + 1;
        sourceHeight = source->y2 - source->y1 + 1;
    }
    // StretchDIBits measures the source rectangle of a top-down bitmap from its bottom.
    int result = StretchDIBits(context, destLeft, destTop, destWidth, destHeight, sourceLeft,
                               height - sourceTop - sourceHeight, sourceWidth, sourceHeight,
                               pixels, info, DIB_RGB_COLORS, SRCCOPY);
    ReleaseDC(window, context);
    return result == static_cast<int>(GDI_ERROR) ? 0 : 1;
}
