#include "views/cut_status.h"

#include <cstdio>
#include <cstdlib>

#include "app/picture.h"
#include "kit/status_bar.h"

namespace {

constexpr size_t kStatusSize = 256;

// The sheet's palette index at page point `at`, or -1 outside it (or without a sheet).
int SheetIndexAt(POINT at)
{
    const Sprite* sheet = pictureSet.sprites;
    if (sheet == nullptr || sheet->compressed || sheet->image == nullptr) return -1;
    if (at.x < 0 || at.y < 0 || at.x >= sheet->width || at.y >= sheet->height) return -1;
    return sheet->image[size_t(at.y) * size_t(sheet->width) + size_t(at.x)];
}

}  // namespace

void ShowCutStatus(POINT at, const PixelRect* dragged)
{
    const int index = SheetIndexAt(at);
    if (index < 0 && dragged == nullptr) {
        SetStatusText("Ready");
        return;
    }
    char line[kStatusSize];
    int length = std::snprintf(line, sizeof line, "좌표(x,y) = %d, %d", int(at.x), int(at.y));
    if (index >= 0) length += std::snprintf(line + length, sizeof line - size_t(length), "   색상 = %d", index);
    if (dragged != nullptr)
        std::snprintf(line + length, sizeof line - size_t(length), "   크기 = %d x %d",
                      std::abs(dragged->x2 - dragged->x1) + 1, std::abs(dragged->y2 - dragged->y1) + 1);
    SetStatusText(line);
}
