// The whole picture sheet onto a page of its own size and pitch (4096, so rows follow one another
// without a gap), as the bitmap view draws it: RawCopy beside memcpy of the same bytes, once as
// one block (the floor) and once row by row. All three write the same destination buffer.
#include <cstring>
#include <vector>

#include "bench/benchmarks.h"
#include "render/draw_target.h"
#include "render/sprite_draw.h"

namespace {

constexpr size_t kSheetBytes = size_t(kSheetSide) * kSheetSide;

uint8_t* SheetPage()
{
    static std::vector<uint8_t> page(kSheetBytes, 1);  // touched now, so no pass pays its page faults
    return page.data();
}

}  // namespace

void RegisterCopyBenchmarks()
{
    const uint8_t* sheet = GetWorkload().sheet.data();
    uint8_t* page = SheetPage();
    RegisterRow("RawCopy", "sheet",
                {{"ours",
                  [=] {
                      SetDrawTarget(kSheetSide, kSheetSide, kSheetSide);
                      RawCopy(0, 0, kSheetSide, kSheetSide, page, sheet);
                      benchmark::ClobberMemory();
                  }},
                 {"memcpy",
                  [=] {
                      std::memcpy(page, sheet, kSheetBytes);
                      benchmark::ClobberMemory();
                  }},
                 {"memcpy-rows", [=] {
                      for (size_t y = 0; y < size_t(kSheetSide); ++y)
                          std::memcpy(page + y * kSheetSide, sheet + y * kSheetSide, size_t(kSheetSide));
                      benchmark::ClobberMemory();
                  }}});
}
