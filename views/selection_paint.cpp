// Painting the selection strip: each thumbnail is drawn on the scratch page g_selPage at its own
// size, then stretched into its place in the window; the labels are drawn as text above.
#include "views/selection.h"

#include <cstdio>

#include "app/globals.h"
#include "app/text.h"

namespace {

constexpr COLORREF kLabelColor = RGB(0, 0, 0);
constexpr COLORREF kCurrentLabelColor = RGB(250, 0, 0);
constexpr int kLabelCharWidth = 8;  // labels are centred assuming 8 pixels per character

}  // namespace

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
    int x = stripLeft;
    const int count = workSet.Count();
    for (int i = 0; i < count; ++i) {
        const int thumbWidth = ThumbWidth(i);
        x += thumbWidth + 2 * gap;  // the slot's right edge
        char label[16];
        const int length = std::snprintf(label, sizeof label, "<%d>", i);
        const int labelX = x - thumbWidth / 2 - (length * kLabelCharWidth) / 2 - gap;
        if (client.left < labelX && labelX < client.right) {
            SetTextColor(dc, i == g_currentSprite ? kCurrentLabelColor : kLabelColor);
            TextOutText(dc, labelX, 0, label);
        }
        DrawThumbnail(i, x - thumbWidth - gap, top);
    }
    EndPaint(window, &paint);
}

void SelChildWindow::DrawThumbnail(int i, int x, int y)
{
    if (workSet.sprites == nullptr || i < 0 || i >= workSet.Count()) return;
    const Sprite& sprite = workSet.sprites[i];
    const PixelRect destination = {x, y, x + ThumbWidth(i) - 1, y + ThumbHeight(i) - 1};
    RECT client;
    GetClientRect(window, &client);
    if (x > client.right || destination.x2 < client.left) return;
    // A thumbnail reduced to nothing has nothing to show; a page that does not hold the sprite
    // (refused, or not yet made for this set) is never drawn on or shown.
    if (destination.x2 < destination.x1 || destination.y2 < destination.y1) return;
    if (g_selPage.pixels == nullptr || sprite.width > g_selPage.width ||
        sprite.height > g_selPage.height)
        return;
    const PixelRect source = {0, 0, sprite.width - 1, sprite.height - 1};
    g_selPage.FillBox(0, 0, sprite.width - 1, sprite.height - 1, g_options.backColor);
    g_selPage.DrawSprite(0, 0, &sprite, 0, 0, 0);
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
