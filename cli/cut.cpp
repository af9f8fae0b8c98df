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
    for (const PixelRect& r : rects)
        if (!CutRegion(set, set.Count(), sheet, r, options)) return 0;
    return 1;
}
