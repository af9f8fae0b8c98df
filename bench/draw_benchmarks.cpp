// Drawing 16 sprites at their places, unclipped, by us and by each peer.
#include <string>

#include "bench/benchmarks.h"
#include "bench/contenders.h"
#include "render/sprite_draw.h"

namespace {

using Routine = void (*)(int, int, int, int, uint8_t*, const uint8_t*);
using Images = std::vector<std::vector<uint8_t>>;

const char* SetName(SetKind kind) { return kind == SetKind::kShaped ? "shaped" : "noisy"; }

// Our page is made the draw target on every pass: other rows target other pages in between.
std::function<void()> OursDrawing(Contenders& c, Routine routine, const Images& images)
{
    const std::function<void()> sprites = EverySprite([&c, routine, &images](int k, int x, int y) {
        routine(x, y, kSpriteSide, kSpriteSide, c.page.data(), images[size_t(k)].data());
    });
    return [&c, sprites] {
        c.TargetOurPage();
        sprites();
    };
}

}  // namespace

void RegisterDrawBenchmarks()
{
    for (SetKind kind : {SetKind::kShaped, SetKind::kNoisy}) {
        Contenders& c = GetContenders(kind);
        RegisterRow("RawKey", SetName(kind),
                    {{"ours", OursDrawing(c, RawKey, c.set.raw)},
                     {"SDL", EverySprite([&c](int k, int x, int y) { c.sdl.DrawKeyed(k, x, y); })},
                     {"Allegro", EverySprite([&c](int k, int x, int y) { c.allegro.DrawSprite(k, x, y); })}});
    }
    for (SetKind kind : {SetKind::kShaped, SetKind::kNoisy}) {
        Contenders& c = GetContenders(kind);
        RegisterRow("RleCopy", SetName(kind),
                    {{"ours", OursDrawing(c, RleCopy, c.set.compressed)},
                     {"SDL", EverySprite([&c](int k, int x, int y) { c.sdl.DrawRle(k, x, y); })},
                     {"Allegro", EverySprite([&c](int k, int x, int y) { c.allegro.DrawRleSprite(k, x, y); })}});
    }
}
