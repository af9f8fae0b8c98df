#include "export/atlas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

int64_t PowerOfTwoAtLeast(int64_t n)
{
    int64_t p = 1;
    while (p < n) p *= 2;
    return p;
}

}  // namespace

int PageSideLimit(const PackOptions& options)
{
    if (options.maxSize <= 0) return 0;
    if (!options.pot) return options.maxSize;
    int p = 1;
    while (int64_t(p) * 2 <= options.maxSize) p *= 2;
    return p;
}

bool PackAtlas(const std::vector<FrameSize>& sizes, const PackOptions& options, AtlasLayout* layout,
               std::string* error, const std::vector<std::string>* names)
{
    *layout = AtlasLayout{};
    layout->page.assign(sizes.size(), -1);
    layout->frames.assign(sizes.size(), PixelRect{0, 0, -1, -1});
    const int64_t limit = PageSideLimit(options);
    const int64_t padding = std::max(0, options.padding);
    std::vector<size_t> order;
    int64_t area = 0;
    int64_t widest = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        const FrameSize& s = sizes[i];
        if (s.width <= 0 || s.height <= 0) continue;
        if (limit > 0 && (s.width > limit || s.height > limit)) {
            const std::string name = names != nullptr && i < names->size() ? (*names)[i] : "frame " + std::to_string(i);
            *error = name + " is " + std::to_string(s.width) + " x " + std::to_string(s.height) +
                     " pixels; it does not fit on a page of at most " + std::to_string(limit) + " x " +
                     std::to_string(limit);
            return false;
        }
        order.push_back(i);
        area += (s.width + padding) * (s.height + padding);
        widest = std::max<int64_t>(widest, s.width);
    }
    // Tallest first, then widest, then in the given order, so the layout does not depend on the sort.
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        if (sizes[a].height != sizes[b].height) return sizes[a].height > sizes[b].height;
        return sizes[a].width > sizes[b].width;
    });
    int64_t shelfWidth = std::max<int64_t>(widest, int64_t(std::ceil(std::sqrt(double(area)))));
    if (limit > 0) shelfWidth = std::min(shelfWidth, limit);

    int64_t x = 0, y = 0, shelfHeight = 0, usedWidth = 0;
    auto closePage = [&] {
        AtlasPage page{int(usedWidth), int(y + shelfHeight)};
        if (options.pot) {
            page.width = int(PowerOfTwoAtLeast(page.width));
            page.height = int(PowerOfTwoAtLeast(page.height));
        }
        layout->pages.push_back(page);
    };
    for (size_t i : order) {
        const FrameSize& s = sizes[i];
        if (x > 0 && x + s.width > shelfWidth) {  // the next shelf
            y += shelfHeight + padding;
            x = 0;
            shelfHeight = 0;
        }
        if (limit > 0 && y > 0 && y + s.height > limit) {  // the next page
            y -= padding;  // the last shelf's gap below it is not part of the page
            shelfHeight = 0;
            closePage();
            x = y = usedWidth = 0;
        }
        layout->page[i] = int(layout->pages.size());
        layout->frames[i] = PixelRect{int(x), int(y), int(x + s.width - 1), int(y + s.height - 1)};
        usedWidth = std::max(usedWidth, x + s.width);
        shelfHeight = std::max<int64_t>(shelfHeight, s.height);
        x += s.width + padding;
    }
    if (!order.empty()) closePage();
    return true;
}
