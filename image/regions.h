// Finding the sprites on a sheet: the cells of a grid, or the connected regions of non-zero
// pixels (the figures). The window's Cut All and `quillon-cli build` both cut what these find.
// Rectangles are PixelRects with inclusive corners, in sheet pixels counted from the top-left
// corner.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "sprite/box_rect.h"

class ImageBuffer;

// An 8-bit picture seen row by row from the top, whatever order its rows are stored in.
struct SheetView {
    const uint8_t* top = nullptr;  // first pixel of the top row
    ptrdiff_t rowStep = 0;         // bytes from a row to the one below it (negative when stored bottom-up)
    int width = 0;
    int height = 0;

    const uint8_t* Row(int y) const { return top + ptrdiff_t(y) * rowStep; }
};

// The picture as rows from the top. Its `top` is null unless the picture has 8 bits per pixel.
SheetView ViewOfSheet(const ImageBuffer& sheet);

struct GridSpec {
    int cellWidth = 0;
    int cellHeight = 0;
    int offsetX = 0;
    int offsetY = 0;
};

// Parses "WxH" or "WxH+X+Y" (cell size, then the top-left corner of the first cell). False for
// anything else, a cell smaller than 1 x 1 or a negative offset.
bool ParseGridSpec(const char* text, GridSpec* grid);

// The whole cells of the grid that lie inside the sheet, row by row, each row left to right.
// Cells holding only index 0 are left out unless keepEmpty is set.
std::vector<PixelRect> GridCells(const SheetView& sheet, const GridSpec& grid, bool keepEmpty);

// The bounding rectangles of the 8-connected regions of non-zero pixels. Regions whose rectangles
// overlap, or lie fewer than `gap` blank rows or columns apart, are merged (repeatedly, so the
// rectangles that come out never overlap one another). Ordered for reading: see OrderForReading.
std::vector<PixelRect> FindRegions(const SheetView& sheet, int gap);

// The figures of an 8-bit picture, as Cut All and `quillon-cli build --auto` take them:
// FindRegions over the whole picture, or over the part of it inside `area` (corners inclusive, in
// any order, clipped to the picture), the rectangles in picture pixels either way. A figure that
// crosses the area's edge is found as far as it lies inside. Empty for a picture of another
// depth, or an area wholly outside the picture.
std::vector<PixelRect> FindFigures(const ImageBuffer& picture, const PixelRect* area, int gap);

// Orders rectangles as text is read: the topmost remaining rectangle (the leftmost of equals)
// starts a row, every remaining rectangle whose top lies within that rectangle's rows joins it,
// the row goes left to right, and the next row starts below.
void OrderForReading(std::vector<PixelRect>& rects);

// Merges rectangles that overlap or lie fewer than `gap` blank rows or columns apart, until no
// two such remain. The order of the result is unspecified.
void MergeCloseRects(std::vector<PixelRect>& rects, int gap);

// Position of the first non-zero byte of row[from, width), or width when there is none.
int NextOpaque(const uint8_t* row, int from, int width);
