// Turning the 16 raw sprites of a set into run-length form, by us and by each peer.
//
// SDL encodes inside its first blit after SDL_SetSurfaceRLE, so its encoding is measured as the
// difference of two benchmarks of one run: "SDL-encode+blit" (ask for RLE anew, then blit) less
// "SDL-blit" (blit the same, already encoded surfaces). tools/bench-table.py takes that difference.
#include <cstdlib>
#include <string>

#include "bench/benchmarks.h"
#include "bench/contenders.h"
#include "sprite/compress.h"

namespace {

void OursCompress(benchmark::State& state, SetKind kind)
{
    Contenders& c = GetContenders(kind);
    ForEverySprite(state, [&](int k, int, int) {
        uint32_t length = 0;
        uint8_t* form = CompressImage(c.set.raw[size_t(k)].data(), kSpriteSide, kSpriteSide, &length);
        benchmark::DoNotOptimize(form);
        std::free(form);
    });
}

void SdlEncodeAndBlit(benchmark::State& state, SetKind kind)
{
    Contenders& c = GetContenders(kind);
    ForEverySprite(state, [&](int k, int x, int y) { c.sdl.EncodeAndDraw(k, x, y); });
}

void SdlBlitEncoded(benchmark::State& state, SetKind kind)
{
    Contenders& c = GetContenders(kind);
    ForEverySprite(state, [&](int k, int x, int y) { c.sdl.DrawEncoded(k, x, y); });
}

void AllegroEncode(benchmark::State& state, SetKind kind)
{
    Contenders& c = GetContenders(kind);
    ForEverySprite(state, [&](int k, int, int) { c.allegro.EncodeAndRelease(k); });
}

}  // namespace

void RegisterCompressBenchmarks()
{
    for (SetKind kind : {SetKind::kShaped, SetKind::kNoisy}) {
        const std::string set = kind == SetKind::kShaped ? "shaped" : "noisy";
        Register("CompressImage/" + set + "/ours", OursCompress, kind);
        Register("CompressImage/" + set + "/SDL-encode+blit", SdlEncodeAndBlit, kind);
        Register("CompressImage/" + set + "/SDL-blit", SdlBlitEncoded, kind);
        Register("CompressImage/" + set + "/Allegro", AllegroEncode, kind);
    }
}
