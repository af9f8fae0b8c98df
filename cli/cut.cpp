#include "cli/cut.h"

SheetView ViewOfSheet(const ImageBuffer& sheet)
{
    SheetView view;
    if (sheet.Pixels() == nullptr || sheet.info == nullptr || sheet.info->biBitCount != 8) return view;
    // Rows are stored bottom row first, each padded to a multiple of 4 bytes.
    const ptrdiff_t stride = (ptrdiff_t(sheet.Width()) + 3) / 4 * 4;
    view.width = sheet.Width();
    view.height = sheet.Height();
    view.rowStep = -stride;
    view.top = sheet.Pixels() + ptrdiff_t(view.height - 1) * stride;
    return view;
}

int CutSprites(ImageBuffer& sheet, const std::vector<PixelRect>& rects, const CutOptions& options, SpriteSet& set)
{
    for (const PixelRect& r : rects) {
        const int w = r.x2 - r.x1 + 1;
        const int h = r.y2 - r.y1 + 1;
        // A refused rectangle gives a null block, which Insert turns into its own text.
        uint8_t* block = sheet.CopyRegion(r.x1, r.y1, w, h);
        if (!set.Insert(set.Count(), w, h, block, 0)) return 0;
        const int n = set.Count() - 1;
        const Sprite& sprite = set.sprites[n];
        const PixelRect whole{0, 0, sprite.width - 1, sprite.height - 1};
        if (options.compress && !set.Compress(n)) return 0;
        if (options.hitBox && !set.InsertHitBox(n, 0, whole)) return 0;
        if (options.attackBox && !set.InsertAtckBox(n, 0, whole)) return 0;
    }
    return 1;
}
