#include "cli/atlas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

AtlasLayout PackAtlas(const std::vector<FrameSize>& sizes, int padding)
{
    AtlasLayout layout;
    layout.frames.assign(sizes.size(), PixelRect{0, 0, -1, -1});
    std::vector<size_t> order;
    int64_t area = 0;
    int widest = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        if (sizes[i].width <= 0 || sizes[i].height <= 0) continue;
        order.push_back(i);
        area += int64_t(sizes[i].width + padding) * (sizes[i].height + padding);
        widest = std::max(widest, sizes[i].width);
    }
    // Tallest first, then widest, then in set order, so the layout does not depend on the sort.
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (sizes[a].height != sizes[b].height) return sizes[a].height > sizes[b].height;
        return sizes[a].width > sizes[b].width;
    });
    const int64_t shelfWidth = std::max<int64_t>(widest, int64_t(std::ceil(std::sqrt(double(area)))));
    int64_t x = 0;
    int64_t y = 0;
    int64_t shelfHeight = 0;
    int64_t usedWidth = 0;
    for (size_t i : order) {
        const FrameSize& s = sizes[i];
        if (x > 0 && x + s.width > shelfWidth) {
            y += shelfHeight + padding;
            x = 0;
            shelfHeight = 0;
        }
        layout.frames[i] = PixelRect{int(x), int(y), int(x + s.width - 1), int(y + s.height - 1)};
        usedWidth = std::max(usedWidth, x + s.width);
        shelfHeight = std::max<int64_t>(shelfHeight, s.height);
        x += s.width + padding;
    }
    layout.width = int(usedWidth);
    layout.height = order.empty() ? 0 : int(y + shelfHeight);
    return layout;
}
