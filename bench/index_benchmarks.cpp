// The indexing of a true-colour sheet of 4096 x 4096 as it loads: the workload's sheet in 24-bit
// rows (blue, green, red, bottom row first, as a BMP holds them) and in RGBA with transparent
// pixels (as a PNG decodes), each beside one memcpy of its bytes, the floor of a pass that reads
// them all.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/benchmarks.h"
#include "image/true_color.h"

namespace {

// Colour of palette index i: 200 colours of the sheet, index 0 transparent in the RGBA form.
void ColorOf(uint8_t index, uint8_t* rgb)
{
    rgb[0] = uint8_t(index * 37 + 11);
    rgb[1] = uint8_t(index * 91 + 5);
    rgb[2] = uint8_t(index * 53 + 200);
}

struct TrueColorSheet {
    std::vector<uint8_t> bytes;
    TrueColorPixels pixels;
};

TrueColorSheet MakeSheet(bool rgba)
{
    const std::vector<uint8_t>& indices = GetWorkload().sheet;
    const int side = kSheetSide, bytesPerPixel = rgba ? 4 : 3;
    const size_t rowBytes = size_t(side) * bytesPerPixel;  // a multiple of 4 either way
    TrueColorSheet sheet;
    sheet.bytes.resize(rowBytes * side);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const uint8_t index = uint8_t(indices[size_t(y) * side + x] % 200);
            const size_t stored = rgba ? size_t(y) : size_t(side - 1 - y);
            uint8_t* pixel = &sheet.bytes[stored * rowBytes + size_t(x) * bytesPerPixel];
            uint8_t rgb[3];
            ColorOf(index, rgb);
            if (rgba) {
                pixel[0] = rgb[0], pixel[1] = rgb[1], pixel[2] = rgb[2], pixel[3] = index == 0 ? 0 : 255;
            } else {
                pixel[2] = rgb[0], pixel[1] = rgb[1], pixel[0] = rgb[2];
            }
        }
    TrueColorPixels& p = sheet.pixels;
    p.width = side;
    p.height = side;
    p.bytesPerPixel = bytesPerPixel;
    p.zeroAlphaMeansOpaque = false;
    if (rgba) {
        p.red = 0, p.green = 1, p.blue = 2, p.alpha = 3;
        p.topRow = sheet.bytes.data();
        p.rowStep = int64_t(rowBytes);
    } else {
        p.red = 2, p.green = 1, p.blue = 0, p.alpha = -1;
        p.topRow = sheet.bytes.data() + (side - 1) * rowBytes;
        p.rowStep = -int64_t(rowBytes);
    }
    return sheet;
}

void RegisterSheet(const char* workload, bool rgba)
{
    static TrueColorSheet sheets[2] = {MakeSheet(false), MakeSheet(true)};
    static std::vector<uint8_t> copy(sheets[1].bytes.size(), 1);  // touched now: no pass pays its faults
    static ImageBuffer pictures[2];
    const TrueColorSheet* sheet = &sheets[rgba ? 1 : 0];
    ImageBuffer* picture = &pictures[rgba ? 1 : 0];
    RegisterRow("IndexTrueColor", workload,
                {{"ours",
                  [=] {
                      if (IndexTrueColor(*picture, sheet->pixels) != 1) std::abort();
                      benchmark::ClobberMemory();
                  }},
                 {"memcpy", [=] {
                      std::memcpy(copy.data(), sheet->bytes.data(), sheet->bytes.size());
                      benchmark::ClobberMemory();
                  }}});
}

}  // namespace

void RegisterIndexBenchmarks()
{
    RegisterSheet("bgr-sheet", false);
    RegisterSheet("rgba-sheet", true);
}
