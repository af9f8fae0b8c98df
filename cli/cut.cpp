#include "cli/cut.h"

int CutSprites(ImageBuffer& sheet, const std::vector<PixelRect>& rects, const CutOptions& options, SpriteSet& set)
{
    for (const PixelRect& r : rects)
        if (!CutRegion(set, set.Count(), sheet, r, options)) return 0;
    return 1;
}
