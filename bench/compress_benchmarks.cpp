// Turning the 16 raw sprites of a set into run-length form, by us and by each peer.
//
// SDL encodes inside its first blit after SDL_SetSurfaceRLE, so its encoding is measured as the
// difference of two contenders of one trial: "SDL-encode+blit" (ask for RLE anew, then blit) less
// "SDL-blit" (blit the same, already encoded surfaces). tools/bench-table.py takes that difference.
#include <cstdlib>

#include "bench/benchmarks.h"
#include "bench/contenders.h"
#include "sprite/compress.h"

void RegisterCompressBenchmarks()
{
    for (SetKind kind : {SetKind::kShaped, SetKind::kNoisy}) {
        Contenders& c = GetContenders(kind);
        RegisterRow("CompressImage", kind == SetKind::kShaped ? "shaped" : "noisy",
                    {{"ours", EverySprite([&c](int k, int, int) {
                          uint32_t length = 0;
                          uint8_t* form = CompressImage(c.set.raw[size_t(k)].data(), kSpriteSide, kSpriteSide, &length);
                          benchmark::DoNotOptimize(form);
                          std::free(form);
                      })},
                     {"SDL-encode+blit", EverySprite([&c](int k, int x, int y) { c.sdl.EncodeAndDraw(k, x, y); })},
                     {"SDL-blit", EverySprite([&c](int k, int x, int y) { c.sdl.DrawEncoded(k, x, y); })},
                     {"Allegro", EverySprite([&c](int k, int, int) { c.allegro.EncodeAndRelease(k); })}});
    }
}
