#include "views/cut_step.h"

#include <algorithm>

#include "app/document.h"
#include "app/options.h"
#include "app/picture.h"
#include "kit/show_info.h"
#include "views/selection.h"

int CutSprite(HWND owner, int x1, int y1, int x2, int y2)
{
    int left = std::min(x1, x2), right = std::max(x1, x2);
    int top = std::min(y1, y2), bottom = std::max(y1, y2);
    int64_t width = int64_t(right) - left + 1, height = int64_t(bottom) - top + 1;
    // A sprite the file cannot hold would be saved as one that cannot be loaded again.
    if (width > kMaxSpriteSide || height > kMaxSpriteSide) {
        ShowInfo(owner, "스프라이트가 너무 큽니다(%lld x %lld): 가로와 세로는 %d 이하여야 합니다",
                 static_cast<long long>(width), static_cast<long long>(height), kMaxSpriteSide);
        return 0;
    }
    int w = int(width), h = int(height);

    uint8_t* block = g_picture.CopyRegion(left, top, w, h);
    if (!workSet.Insert(workSet.Count(), w, h, block, 0)) {
        workSet.ShowMessage(owner);
        return 0;
    }
    g_modified = 1;

    int n = workSet.Count() - 1;
    const Sprite& sprite = workSet.sprites[n];
    const PixelRect whole = {0, 0, sprite.width - 1, sprite.height - 1};
    // Each option on its own; their failures are not shown.
    if (g_options.compressSprites) workSet.Compress(n);
    if (g_options.autoHitBox) workSet.InsertHitBox(n, 0, whole);
    if (g_options.autoAtckBox) workSet.InsertAtckBox(n, 0, whole);

    g_selChild.UpdateScroll();
    SelectSprite(n);
    return 1;
}
