// The selection strip's geometry: thumbnail sizes, the scroll state, hit testing, and what the
// strip does when the document changes.
#include "views/selection.h"

#include "app/document.h"

namespace {

constexpr int kStripStep = 10;  // pixels per scroll position

// v / 10 rounded up: the truncated quotient, plus 1 when there is a remainder.
int CeilStep(int v) { return v / kStripStep + (v % kStripStep != 0 ? 1 : 0); }

int ClientExtent(HWND window)
{
    RECT client = {0, 0, 0, 0};
    if (window != nullptr) GetClientRect(window, &client);
    return client.right - client.left + 1;
}

const Sprite* SpriteAt(int i)
{
    if (workSet.sprites == nullptr || i < 0 || i >= workSet.Count()) return nullptr;
    return &workSet.sprites[i];
}

}  // namespace

int SelChildWindow::ThumbWidth(int i) const
{
    const Sprite* sprite = SpriteAt(i);
    return sprite != nullptr ? int(float(sprite->width) * scale) : 0;
}

int SelChildWindow::ThumbHeight(int i) const
{
    const Sprite* sprite = SpriteAt(i);
    return sprite != nullptr ? int(float(sprite->height) * scale) : 0;
}

void SelChildWindow::UpdateScroll()
{
    const int extent = ClientExtent(window);
    const int count = workSet.sprites != nullptr ? workSet.Count() : 0;
    long long widthSum = 0;
    for (int i = 0; i < count; ++i) widthSum += workSet.sprites[i].width;
    // The product is taken once over the sum, so with a fractional scale the strip may be a
    // pixel per sprite wider than its slots.
    stripWidth = int(float(widthSum) * scale) + count * gap * 2;

    scrollMax = stripWidth > 0 ? CeilStep(stripWidth) : 0;
    int last = CeilStep(stripWidth - extent);
    if (extent >= stripWidth) {
        last = 0;
        scrollMax = 0;
    }
    if (scrollPos > last) scrollPos = last;
    if (scrollPos < 0) scrollPos = 0;

    if (window != nullptr) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = 0;
        info.nMax = scrollMax;
        info.nPage = UINT(CeilStep(extent));
        info.nPos = scrollPos;
        SetScrollInfo(window, SB_HORZ, &info, TRUE);
    }

    if (last == 0)
        stripLeft = 0;  // a strip narrower than the window starts at its left edge
    else if (scrollPos == last)
        stripLeft = extent - stripWidth;  // scrolled to the end: the strip's end at the edge
    else
        stripLeft = -kStripStep * scrollPos;
}

void SelChildWindow::ScrollToSprite(int n)
{
    if (SpriteAt(n) == nullptr) return;
    int left = gap;
    for (int i = 0; i < n; ++i) left += ThumbWidth(i) + 2 * gap;
    const int right = left + ThumbWidth(n);
    const int viewLeft = kStripStep * scrollPos;
    const int viewRight = ClientExtent(window) + viewLeft;
    if (left < viewLeft) scrollPos -= (viewLeft - left) / kStripStep + 1;
    if (right > viewRight) scrollPos += (right - viewRight) / kStripStep + 1;
    UpdateScroll();
}

int SelChildWindow::HitTest(int x, int y) const
{
    const int count = workSet.sprites != nullptr ? workSet.Count() : 0;
    int hit = -1;
    int slotLeft = stripLeft;
    for (int i = 0; i < count; ++i) {
        const int thumbWidth = ThumbWidth(i);
        // One pixel wider and one higher than the thumbnail, a row up; the last hit wins.
        if (slotLeft + gap <= x && x <= slotLeft + thumbWidth + gap && top - 1 <= y &&
            y <= top - 1 + ThumbHeight(i))
            hit = i;
        slotLeft += thumbWidth + 2 * gap;
    }
    return hit;
}

void SelChildWindow::OnDocumentChanged(const DocumentChange& change)
{
    if (change.what & kChangeStructure) UpdateScroll();
    if (change.what & (kChangeStructure | kChangeCurrent)) ScrollToSprite(g_document.Current());
    // Thumbnails show the sprites' images; labels mark the current one.
    if (window != nullptr && (change.what & (kChangeStructure | kChangeCurrent | kChangeImage)) != 0)
        InvalidateRect(window, nullptr, TRUE);
}

void SelectSprite(int n) { g_document.Select(n); }
