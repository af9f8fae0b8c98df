#include "cli/cut.h"

int CutSprites(ImageBuffer& sheet, const std::vector<PixelRect>& rects, const CutOptions& options, SpriteSet& set)
{
    return CutRegions(set, sheet, rects, options);
}
