// Grid cells and connected regions of a sheet.
//
// Regions are found from runs: each row is split into runs of non-zero pixels, and a run joins
// every run of the row above that it touches, side or corner (8-connectivity: the runs' columns,
// widened by one on each side, overlap). Labels are joined with a union-find whose roots carry
// the bounding rectangle, so one pass over the rows gives every region's rectangle.
//
// A row is first turned into a bit mask (row_mask.h), and its runs are read from the mask with
// bit scans: blank stretches cost one bit test per 4,096 pixels, and a run a few instructions,
// not a branch per pixel.
#include "image/regions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "image/image_buffer.h"
#include "image/row_mask.h"

namespace {

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr bool kWordScan = true;
#else
constexpr bool kWordScan = false;
#endif

uint64_t Load64(const uint8_t* p)
{
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

struct Run {
    int x1;
    int x2;     // inclusive
    int label;
};

// Union-find over region labels; each root holds the rectangle of everything joined to it.
class Labels {
public:
    int Make(int x1, int x2, int y)
    {
        parent_.push_back(int(parent_.size()));
        rects_.push_back(PixelRect{x1, y, x2, y});
        return parent_.back();
    }

    int Find(int label)
    {
        while (parent_[size_t(label)] != label) {
            int& up = parent_[size_t(label)];
            up = parent_[size_t(up)];  // path halving
            label = up;
        }
        return label;
    }

    // Joins two roots; returns the root that stands for both.
    int Join(int a, int b)
    {
        if (a == b) return a;
        if (b < a) std::swap(a, b);
        parent_[size_t(b)] = a;
        PixelRect& r = rects_[size_t(a)];
        const PixelRect& s = rects_[size_t(b)];
        r.x1 = std::min(r.x1, s.x1);
        r.y1 = std::min(r.y1, s.y1);
        r.x2 = std::max(r.x2, s.x2);
        r.y2 = std::max(r.y2, s.y2);
        return a;
    }

    void Extend(int root, int x1, int x2, int y)
    {
        PixelRect& r = rects_[size_t(root)];
        r.x1 = std::min(r.x1, x1);
        r.x2 = std::max(r.x2, x2);
        r.y1 = std::min(r.y1, y);
        r.y2 = std::max(r.y2, y);
    }

    std::vector<PixelRect> Roots() const
    {
        std::vector<PixelRect> out;
        for (size_t i = 0; i < parent_.size(); ++i)
            if (parent_[i] == int(i)) out.push_back(rects_[i]);
        return out;
    }

private:
    std::vector<int> parent_;
    std::vector<PixelRect> rects_;
};

// Joins each run of a row to the runs of the row before it that it touches.
class RunLinker {
public:
    // A row of `width` pixels holds at most (width + 1) / 2 runs.
    explicit RunLinker(int width) : above_(size_t(width) / 2 + 1), here_(size_t(width) / 2 + 1) {}

    void StartRow(int y)
    {
        y_ = y;
        next_ = 0;
        hereCount_ = 0;
    }

    // Joins the run x1..x2 to every run of the previous row that touches it, or starts a region.
    __attribute__((always_inline)) inline void Add(int x1, int x2)
    {
        const Run* above = above_.data();
        const size_t count = aboveCount_;
        size_t k = next_;
        while (k < count && above[k].x2 + 1 < x1) ++k;
        // Runs above from k on that start no further right than one past this run's end touch it.
        // The last of them may also touch the next run of this row, so the next search starts there.
        next_ = k;
        int label = -1;
        for (; k < count && above[k].x1 <= x2 + 1; ++k) {
            const int root = labels_.Find(above[k].label);
            label = label < 0 ? root : labels_.Join(label, root);
        }
        if (label < 0)
            label = labels_.Make(x1, x2, y_);
        else
            labels_.Extend(label, x1, x2, y_);
        // Field by field: a whole record built aside and copied would be read back before its
        // parts are stored.
        Run* run = &here_[hereCount_++];
        run->x1 = x1;
        run->x2 = x2;
        run->label = label;
    }

    void EndRow()
    {
        above_.swap(here_);
        aboveCount_ = hereCount_;
    }
    std::vector<PixelRect> Roots() const { return labels_.Roots(); }

private:
    Labels labels_;
    std::vector<Run> above_;
    std::vector<Run> here_;
    size_t aboveCount_ = 0;
    size_t hereCount_ = 0;
    size_t next_ = 0;
    int y_ = 0;
};

// Blank rows or columns between two rectangles along the axis on which they lie apart;
// negative when they overlap.
int64_t Separation(const PixelRect& a, const PixelRect& b)
{
    int64_t dx = std::max(int64_t(b.x1) - a.x2, int64_t(a.x1) - b.x2) - 1;
    int64_t dy = std::max(int64_t(b.y1) - a.y2, int64_t(a.y1) - b.y2) - 1;
    return std::max(dx, dy);
}

// Reads a decimal number of at most 9 digits from *p; false when there is none.
bool ReadNumber(const char*& p, int* value)
{
    int digits = 0;
    long long v = 0;
    while (*p >= '0' && *p <= '9') {
        if (++digits > 9) return false;
        v = v * 10 + (*p - '0');
        ++p;
    }
    if (digits == 0) return false;
    *value = int(v);
    return true;
}

}  // namespace

int NextOpaque(const uint8_t* row, int from, int width)
{
    int x = from;
    if (kWordScan) {
        while (x + 32 <= width) {
            if ((Load64(row + x) | Load64(row + x + 8) | Load64(row + x + 16) | Load64(row + x + 24)) != 0) break;
            x += 32;
        }
        while (x + 8 <= width) {
            uint64_t v = Load64(row + x);
            if (v != 0) return x + (__builtin_ctzll(v) >> 3);
            x += 8;
        }
    }
    while (x < width && row[x] == 0) ++x;
    return x;
}

SheetView ViewOfSheet(const ImageBuffer& sheet)
{
    SheetView view;
    if (sheet.Pixels() == nullptr || sheet.info == nullptr || sheet.info->biBitCount != 8 || sheet.stride < sheet.Width())
        return view;
    // Rows are stored bottom row first, each `stride` bytes.
    const ptrdiff_t stride = sheet.stride;
    view.width = sheet.Width();
    view.height = sheet.Height();
    view.rowStep = -stride;
    view.top = sheet.Pixels() + ptrdiff_t(view.height - 1) * stride;
    return view;
}

std::vector<PixelRect> FindFigures(const ImageBuffer& picture, const PixelRect* area, int gap)
{
    SheetView view = ViewOfSheet(picture);
    if (view.top == nullptr) return {};
    if (area == nullptr) return FindRegions(view, gap);
    const int left = std::max(std::min(area->x1, area->x2), 0);
    const int top = std::max(std::min(area->y1, area->y2), 0);
    const int right = std::min(std::max(area->x1, area->x2), view.width - 1);
    const int bottom = std::min(std::max(area->y1, area->y2), view.height - 1);
    if (left > right || top > bottom) return {};
    SheetView part = view;
    part.top = view.Row(top) + left;
    part.width = right - left + 1;
    part.height = bottom - top + 1;
    std::vector<PixelRect> rects = FindRegions(part, gap);
    for (PixelRect& r : rects) r = PixelRect{r.x1 + left, r.y1 + top, r.x2 + left, r.y2 + top};
    return rects;
}

bool ParseGridSpec(const char* text, GridSpec* grid)
{
    if (text == nullptr) return false;
    GridSpec g;
    const char* p = text;
    if (!ReadNumber(p, &g.cellWidth) || (*p != 'x' && *p != 'X')) return false;
    ++p;
    if (!ReadNumber(p, &g.cellHeight)) return false;
    if (*p == '+') {
        ++p;
        if (!ReadNumber(p, &g.offsetX) || *p != '+') return false;
        ++p;
        if (!ReadNumber(p, &g.offsetY)) return false;
    }
    if (*p != '\0' || g.cellWidth < 1 || g.cellHeight < 1) return false;
    *grid = g;
    return true;
}

std::vector<PixelRect> GridCells(const SheetView& sheet, const GridSpec& grid, bool keepEmpty)
{
    std::vector<PixelRect> cells;
    for (int64_t y = grid.offsetY; y + grid.cellHeight <= sheet.height; y += grid.cellHeight) {
        for (int64_t x = grid.offsetX; x + grid.cellWidth <= sheet.width; x += grid.cellWidth) {
            PixelRect cell{int(x), int(y), int(x + grid.cellWidth - 1), int(y + grid.cellHeight - 1)};
            bool opaque = keepEmpty;
            for (int row = cell.y1; !opaque && row <= cell.y2; ++row)
                opaque = NextOpaque(sheet.Row(row) + cell.x1, 0, grid.cellWidth) < grid.cellWidth;
            if (opaque) cells.push_back(cell);
        }
    }
    return cells;
}

std::vector<PixelRect> FindRegions(const SheetView& sheet, int gap)
{
    RunLinker linker(sheet.width);
    const int words = (sheet.width + 63) / 64;
    std::vector<uint64_t> mask(static_cast<size_t>(words));
    std::vector<uint64_t> summary(size_t(words + 63) / 64);
    // Rows are read in the order they are stored, so memory is read front to back (a loaded sheet
    // is stored bottom row first); the regions are the same either way.
    const bool upwards = sheet.rowStep < 0;
    const RowMaskFunction rowMask = ChooseRowMask();
    for (int i = 0; i < sheet.height; ++i) {
        const int y = upwards ? sheet.height - 1 - i : i;
        rowMask(sheet.Row(y), sheet.width, mask.data());
        Summarise(mask.data(), words, summary.data());
        linker.StartRow(y);
        int open = -1;       // start of a run that reached the end of word `last`
        int last = -2;       // the last word read
        for (size_t s = 0; s < summary.size(); ++s) {
            for (uint64_t nonblank = summary[s]; nonblank != 0; nonblank &= nonblank - 1) {
                const int w = int(s) * 64 + __builtin_ctzll(nonblank);
                uint64_t bits = mask[size_t(w)];
                const int base = w * 64;
                if (open >= 0) {
                    if (w != last + 1) {
                        linker.Add(open, (last + 1) * 64 - 1);  // it ended with its word
                        open = -1;
                    } else if (bits == ~uint64_t(0)) {
                        last = w;
                        continue;
                    } else {
                        const int end = __builtin_ctzll(~bits);
                        linker.Add(open, base + end - 1);
                        open = -1;
                        bits &= ~uint64_t(0) << end;
                    }
                }
                last = w;
                while (bits != 0) {
                    const int start = __builtin_ctzll(bits);
                    const uint64_t after = ~(bits | ((uint64_t(1) << start) - 1));  // the clear bits from start on
                    if (after == 0) {
                        open = base + start;
                        break;
                    }
                    const int end = __builtin_ctzll(after);
                    linker.Add(base + start, base + end - 1);
                    bits &= ~uint64_t(0) << end;
                }
            }
        }
        if (open >= 0) linker.Add(open, std::min(sheet.width, (last + 1) * 64) - 1);
        linker.EndRow();
    }
    std::vector<PixelRect> rects = linker.Roots();
    MergeCloseRects(rects, gap);
    OrderForReading(rects);
    return rects;
}

void MergeCloseRects(std::vector<PixelRect>& rects, int gap)
{
    std::vector<int> parent;
    for (bool merged = true; merged;) {
        merged = false;
        std::sort(rects.begin(), rects.end(), [](const PixelRect& a, const PixelRect& b) { return a.x1 < b.x1; });
        const size_t n = rects.size();
        parent.resize(n);
        for (size_t i = 0; i < n; ++i) parent[i] = int(i);
        auto find = [&](int i) {
            while (parent[size_t(i)] != i) i = parent[size_t(i)] = parent[size_t(parent[size_t(i)])];
            return i;
        };
        for (size_t i = 0; i < n; ++i) {
            // Sorted by left edge: once a rectangle starts `gap` or more blank columns to the right
            // of this one's right edge, so do all after it.
            for (size_t k = i + 1; k < n && int64_t(rects[k].x1) - rects[i].x2 - 1 < gap; ++k) {
                if (Separation(rects[i], rects[k]) >= gap) continue;
                int a = find(int(i));
                int b = find(int(k));
                if (a != b) {
                    parent[size_t(std::max(a, b))] = std::min(a, b);
                    merged = true;
                }
            }
        }
        if (!merged) break;
        std::vector<PixelRect> joined;
        std::vector<int> slot(n, -1);
        for (size_t i = 0; i < n; ++i) {
            int root = find(int(i));
            if (slot[size_t(root)] < 0) {
                slot[size_t(root)] = int(joined.size());
                joined.push_back(rects[i]);
            } else {
                PixelRect& r = joined[size_t(slot[size_t(root)])];
                r.x1 = std::min(r.x1, rects[i].x1);
                r.y1 = std::min(r.y1, rects[i].y1);
                r.x2 = std::max(r.x2, rects[i].x2);
                r.y2 = std::max(r.y2, rects[i].y2);
            }
        }
        rects.swap(joined);
    }
}

void OrderForReading(std::vector<PixelRect>& rects)
{
    auto byTop = [](const PixelRect& a, const PixelRect& b) { return a.y1 != b.y1 ? a.y1 < b.y1 : a.x1 < b.x1; };
    auto byLeft = [](const PixelRect& a, const PixelRect& b) { return a.x1 != b.x1 ? a.x1 < b.x1 : a.y1 < b.y1; };
    std::sort(rects.begin(), rects.end(), byTop);
    for (size_t first = 0; first < rects.size();) {
        // Sorted by top, the rectangles whose tops lie within the first one's rows follow it.
        size_t end = first + 1;
        while (end < rects.size() && rects[end].y1 <= rects[first].y2) ++end;
        std::sort(rects.begin() + ptrdiff_t(first), rects.begin() + ptrdiff_t(end), byLeft);
        first = end;
    }
}
