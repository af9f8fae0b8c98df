// Painting the selection strip: each thumbnail is drawn on the scratch page g_selPage at its own
// size, then stretched into its place in the window; the labels are drawn as text above.
#include "views/selection.h"

#include <cstdio>

#include "app/document.h"
#include "app/options.h"
#include "app/pages.h"
#include "app/picture.h"
#include "kit/text.h"

namespace {

constexpr COLORREF kLabelColor = RGB(0, 0, 0);
constexpr COLORREF kCurrentLabelColor = RGB(250, 0, 0);
constexpr int kLabelCharWidth = 8;  // labels are centred assuming 8 pixels per character
constexpr int kMaxLabelLength = 12;  // "<%d>" of a sprite number, which is never negative

// Draws sprite i on the scratch page and gives the rectangles that flip its thumbnail to window
// (x, y). False, drawing nothing, when there is nothing to show: a number outside the set, a
// thumbnail outside the window or reduced to nothing, or a scratch page that does not hold the
// sprite (refused, or not yet made for this set).
bool ComposeThumbnail(const SelChildWindow& strip, const RECT& client, int i, int x, int y, PixelRect* source,
                      PixelRect* destination)
{
    if (workSet.sprites == nullptr || i < 0 || i >= workSet.Count()) return false;
    const Sprite& sprite = workSet.sprites[i];
    *destination = {x, y, x + strip.ThumbWidth(i) - 1, y + strip.ThumbHeight(i) - 1};
    if (x > client.right || destination->x2 < client.left) return false;
    if (destination->x2 < destination->x1 || destination->y2 < destination->y1) return false;
    if (g_selPage.pixels == nullptr || sprite.width > g_selPage.width || sprite.height > g_selPage.height)
        return false;
    *source = {0, 0, sprite.width - 1, sprite.height - 1};
    g_selPage.FillBox(0, 0, sprite.width - 1, sprite.height - 1, g_options.backColor);
    g_selPage.DrawSprite(0, 0, &sprite, 0, 0, 0);
    return true;
}

}  // namespace

// The thumbnails are flipped through the paint's own device context, taken and given the scratch
// page's colors once: a flip per thumbnail on a context of its own would take and prepare one per
// thumbnail. The paint's context reaches only the region being painted, and the rest of the
// window already shows what it would draw there.
void SelChildWindow::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kLabelColor);
    if (workSet.sprites == nullptr) {
        TextOutText(dc, 10, 0, "Sprite Select Window");
        EndPaint(window, &paint);
        return;
    }
    EnsureSelPage();
    RECT client;
    GetClientRect(window, &client);
    const bool colors = g_selPage.pixels != nullptr && g_selPage.SelectColors(dc);
    int x = stripLeft;
    const int count = workSet.Count();
    for (int i = 0; i < count; ++i) {
        const int thumbWidth = ThumbWidth(i);
        x += thumbWidth + 2 * gap;  // the slot's right edge
        const int thumbLeft = x - thumbWidth - gap;
        // Only the slots the window shows cost more than this sum: a label starts at most halfway
        // into its thumbnail, so a thumbnail wholly left of the window has its label there too;
        // and a label starts at most kMaxLabelLength characters left of its thumbnail, so once
        // that lies past the right edge, so does every later slot's label and thumbnail.
        if (thumbLeft + thumbWidth <= client.left) continue;
        if (thumbLeft - kMaxLabelLength * kLabelCharWidth >= client.right) break;
        char label[16];
        const int length = std::snprintf(label, sizeof label, "<%d>", i);
        const int labelX = x - thumbWidth / 2 - (length * kLabelCharWidth) / 2 - gap;
        if (client.left < labelX && labelX < client.right) {
            SetTextColor(dc, i == g_document.Current() ? kCurrentLabelColor : kLabelColor);
            TextOutText(dc, labelX, 0, label);
        }
        PixelRect source, destination;
        if (colors && ComposeThumbnail(*this, client, i, thumbLeft, top, &source, &destination))
            g_selPage.FlipRectOn(dc, &destination, &source);
    }
    EndPaint(window, &paint);
}

void SelChildWindow::DrawThumbnail(int i, int x, int y)
{
    RECT client;
    GetClientRect(window, &client);
    PixelRect source, destination;
    if (ComposeThumbnail(*this, client, i, x, y, &source, &destination))
        g_selPage.FlipRect(window, &destination, &source);
}

void SelChildWindow::EnsureSelPage()
{
    if (workSet.sprites == nullptr) {
        g_selPage.Release();
        return;
    }
    int maxWidth = 0, maxHeight = 0;
    for (int i = 0; i < workSet.Count(); ++i) {
        if (workSet.sprites[i].width > maxWidth) maxWidth = workSet.sprites[i].width;
        if (workSet.sprites[i].height > maxHeight) maxHeight = workSet.sprites[i].height;
    }
    // A page without pixels (a size refused before, or released) is never the right size.
    if (g_selPage.pixels == nullptr || maxWidth != g_selPage.width || maxHeight != g_selPage.height)
        g_selPage.Create(maxWidth, maxHeight, 8, g_palette);
}
