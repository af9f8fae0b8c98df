// Packing sprites into atlas pages: shelves of frames, tallest first, on pages about as wide as
// they are high, with a transparent gap between frames so that filtering in an engine never
// bleeds one frame into the next. With a maximum size, frames that do not fit on one page go on
// further pages; with powers of two, each page's sides are rounded up to one.
#pragma once

#include <string>
#include <vector>

#include "sprite/box_rect.h"

struct FrameSize {
    int width;
    int height;
};

struct PackOptions {
    int padding = 1;   // blank pixels between neighbours
    int maxSize = 0;   // the largest page side; 0 for one page of any size
    bool pot = false;  // page sides rounded up to powers of two
};

struct AtlasPage {
    int width = 0;
    int height = 0;
};

struct AtlasLayout {
    std::vector<AtlasPage> pages;
    // One place per size given, in the same order: its page and its rectangle there. Sizes with a
    // side of 0 get no place (page -1, an empty rectangle with x2 < x1).
    std::vector<int> page;
    std::vector<PixelRect> frames;
};

// Places every frame; on each page no two overlap and each lies inside the page. False with a
// UTF-8 text when a frame is larger than the maximum size (naming it by `names`, when given).
bool PackAtlas(const std::vector<FrameSize>& sizes, const PackOptions& options, AtlasLayout* layout,
               std::string* error, const std::vector<std::string>* names = nullptr);

// The largest side a page may have under `options` (0: no limit): the maximum size, or with
// powers of two the largest power of two within it.
int PageSideLimit(const PackOptions& options);
