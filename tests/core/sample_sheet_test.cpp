// The sample sheet (samples/sheets, drawn by tools/make-sheets.py): both readers load the same
// pixels and colors, the palette file holds those colors, and the figures lie where the list
// beside them says, so tests that cut them can rely on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "image/image_buffer.h"
#include "image/palette_file.h"
#include "tests/core/test_files.h"

namespace {

constexpr int kWidth = 320, kHeight = 240;

struct Rect {
    int x, y, w, h;
    bool operator==(const Rect& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
    bool operator<(const Rect& o) const
    {
        return std::vector<int>{x, y, w, h} < std::vector<int>{o.x, o.y, o.w, o.h};
    }
};

struct Figure {
    std::string name;
    Rect rect;
    int region;
    std::string kind;
};

std::string SheetDir() { return SamplesDir() + "/sheets/"; }

std::vector<Figure> ReadFigures()
{
    std::ifstream file(SheetDir() + "sheet-figures.txt");
    std::vector<Figure> figures;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        Figure f;
        fields >> f.name >> f.rect.x >> f.rect.y >> f.rect.w >> f.rect.h >> f.region >> f.kind;
        EXPECT_FALSE(fields.fail()) << line;
        figures.push_back(f);
    }
    return figures;
}

// The whole picture, top row first, one byte a pixel.
Bytes AllPixels(ImageBuffer& picture)
{
    uint8_t* region = picture.CopyRegion(0, 0, picture.Width(), picture.Height());
    Bytes pixels;
    if (region) pixels.assign(region, region + size_t(picture.Width()) * picture.Height());
    std::free(region);
    return pixels;
}

// Bounding boxes of the connected regions of pixels whose test is true, sorted.
template <typename Test>
std::vector<Rect> Regions(const Bytes& pixels, bool eight, Test inRegion)
{
    std::vector<char> seen(pixels.size(), 0);
    std::vector<Rect> boxes;
    for (int start = 0; start < int(pixels.size()); ++start) {
        if (seen[start] || !inRegion(pixels[start])) continue;
        seen[start] = 1;
        std::vector<int> stack{start};
        int x0 = kWidth, y0 = kHeight, x1 = -1, y1 = -1;
        while (!stack.empty()) {
            int at = stack.back(), x = at % kWidth, y = at / kWidth;
            stack.pop_back();
            x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x), y1 = std::max(y1, y);
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    int nx = x + dx, ny = y + dy, next = ny * kWidth + nx;
                    if ((dx == 0 && dy == 0) || (!eight && dx != 0 && dy != 0)) continue;
                    if (nx < 0 || ny < 0 || nx >= kWidth || ny >= kHeight) continue;
                    if (seen[next] || !inRegion(pixels[next])) continue;
                    seen[next] = 1;
                    stack.push_back(next);
                }
        }
        boxes.push_back({x0, y0, x1 - x0 + 1, y1 - y0 + 1});
    }
    std::sort(boxes.begin(), boxes.end());
    return boxes;
}

TEST(SampleSheet, BmpAndPcxHoldTheSamePixelsAndThePaletteFileTheirColors)
{
    ImageBuffer bmp, pcx;
    ASSERT_EQ(bmp.LoadBmp((SheetDir() + "sheet.bmp").c_str()), 1) << bmp.message;
    ASSERT_EQ(pcx.LoadPcx((SheetDir() + "sheet.pcx").c_str()), 1) << pcx.message;
    for (ImageBuffer* picture : {&bmp, &pcx}) {
        EXPECT_EQ(picture->Width(), kWidth);
        EXPECT_EQ(picture->Height(), kHeight);
        EXPECT_EQ(picture->bitCount, 8);
        EXPECT_EQ(picture->colorCount, 256);
    }
    Bytes pixels = AllPixels(bmp);
    ASSERT_EQ(pixels.size(), size_t(kWidth) * kHeight);
    EXPECT_TRUE(pixels == AllPixels(pcx)) << "the two files hold different pixels";

    Palette* file = ReadPaletteFile((SheetDir() + "sheet.pal").c_str());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadBytes(SheetDir() + "sheet.pal").size(), size_t(kPaletteFileSize));
    EXPECT_EQ(std::memcmp(file->entries, bmp.ColorTable(), sizeof file->entries), 0);
    for (int i = 0; i < kPaletteEntries; ++i) {
        const RGBQUAD &a = file->entries[i], &b = pcx.ColorTable()[i];
        EXPECT_TRUE(a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue) << i;
    }
    std::free(file);
}

TEST(SampleSheet, FiguresLieWhereTheListSays)
{
    ImageBuffer sheet;
    ASSERT_EQ(sheet.LoadBmp((SheetDir() + "sheet.bmp").c_str()), 1) << sheet.message;
    Bytes pixels = AllPixels(sheet);
    ASSERT_EQ(pixels.size(), size_t(kWidth) * kHeight);
    std::vector<Figure> figures = ReadFigures();
    ASSERT_GE(figures.size(), 12u);
    auto at = [&](int x, int y) { return pixels[size_t(y) * kWidth + x]; };

    // What a cutter finds (regions of pixels other than index 0, by side or also by corner
    // neighbours alike) are the listed regions: each the union of its figures' rectangles.
    std::map<int, Rect> unions;
    for (const Figure& f : figures) {
        auto found = unions.find(f.region);
        if (found == unions.end()) {
            unions[f.region] = f.rect;
            continue;
        }
        Rect& u = found->second;
        int x1 = std::max(u.x + u.w, f.rect.x + f.rect.w), y1 = std::max(u.y + u.h, f.rect.y + f.rect.h);
        u.x = std::min(u.x, f.rect.x), u.y = std::min(u.y, f.rect.y);
        u.w = x1 - u.x, u.h = y1 - u.y;
    }
    std::vector<Rect> listed;
    for (const auto& entry : unions) listed.push_back(entry.second);
    std::sort(listed.begin(), listed.end());
    auto figure = [](uint8_t index) { return index != 0; };
    EXPECT_TRUE(Regions(pixels, false, figure) == listed);
    EXPECT_TRUE(Regions(pixels, true, figure) == listed);

    // Background that cannot be reached from the sheet's border, even past corners: holes.
    std::vector<Rect> holes = Regions(pixels, true, [](uint8_t index) { return index == 0; });
    holes.erase(std::remove_if(holes.begin(), holes.end(), [](const Rect& r) {
                    return r.x == 0 || r.y == 0 || r.x + r.w == kWidth || r.y + r.h == kHeight;
                }), holes.end());

    std::map<std::string, int> kinds;
    for (const Figure& f : figures) {
        SCOPED_TRACE(f.name);
        const Rect& r = f.rect;
        ++kinds[f.kind];
        ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.w > 0 && r.h > 0 && r.x + r.w <= kWidth && r.y + r.h <= kHeight);
        // The rectangle is tight: each of its four sides holds a pixel of the figure.
        bool sides[4] = {};
        for (int y = r.y; y < r.y + r.h; ++y) sides[0] |= at(r.x, y) != 0, sides[1] |= at(r.x + r.w - 1, y) != 0;
        for (int x = r.x; x < r.x + r.w; ++x) sides[2] |= at(x, r.y) != 0, sides[3] |= at(x, r.y + r.h - 1) != 0;
        EXPECT_TRUE(sides[0] && sides[1] && sides[2] && sides[3]);

        if (f.kind == "pixel") {
            EXPECT_TRUE(r.w == 1 && r.h == 1);
        } else if (f.kind == "thin") {
            EXPECT_TRUE(r.w == 1 || r.h == 1);
        } else if (f.kind == "touching") {
            EXPECT_EQ(std::count_if(figures.begin(), figures.end(), [&](const Figure& o) { return o.region == f.region; }), 2);
        }
        // Only the edge figures reach the sheet's edges.
        EXPECT_EQ(r.x == 0, f.kind == "edge-left");
        EXPECT_EQ(r.y == 0, f.kind == "edge-top");
        EXPECT_EQ(r.x + r.w == kWidth, f.kind == "edge-right" || f.kind == "corner");
        EXPECT_EQ(r.y + r.h == kHeight, f.kind == "edge-bottom" || f.kind == "corner");
        bool holed = std::any_of(holes.begin(), holes.end(), [&](const Rect& h) {
            return h.x > r.x && h.y > r.y && h.x + h.w < r.x + r.w && h.y + h.h < r.y + r.h;
        });
        EXPECT_EQ(holed, f.kind == "hole");
    }
    // Every case the cutting tests rely on is on the sheet.
    for (const char* kind : {"hole", "thin", "edge-left", "edge-top", "edge-right", "edge-bottom", "corner"})
        EXPECT_GE(kinds[kind], 1) << kind;
    EXPECT_EQ(kinds["touching"], 2);
    EXPECT_GE(kinds["pixel"], 2);
}

}  // namespace
