// Drawing 16 sprites at their places, unclipped, by us and by each peer.
#include <string>

#include "bench/benchmarks.h"
#include "bench/contenders.h"
#include "render/sprite_draw.h"

namespace {

void OursRawKey(benchmark::State& state, SetKind kind)
{
    Contenders& c = GetContenders(kind);
    c.TargetOurPage();
    uint8_t* page = c.page.data();
    ForEverySprite(state, [&](int k, int x, int y) {
        RawKey(x, y, kSpriteSide, kSpriteSide, page, c.set.raw[size_t(k)].data());
    });
}

void SdlKeyed(benchmark::State& state, SetKind kind)
{
    Contenders& c = GetContenders(kind);
    ForEverySprite(state, [&](int k, int x, int y) { c.sdl.DrawKeyed(k, x, y); });
}

void AllegroSprite(benchmark::State& state, SetKind kind)
{
    Contenders& c = GetContenders(kind);
    ForEverySprite(state, [&](int k, int x, int y) { c.allegro.DrawSprite(k, x, y); });
}

void OursRleCopy(benchmark::State& state, SetKind kind)
{
    Contenders& c = GetContenders(kind);
    c.TargetOurPage();
    uint8_t* page = c.page.data();
    ForEverySprite(state, [&](int k, int x, int y) {
        RleCopy(x, y, kSpriteSide, kSpriteSide, page, c.set.compressed[size_t(k)].data());
    });
}

void SdlRle(benchmark::State& state, SetKind kind)
{
    Contenders& c = GetContenders(kind);
    ForEverySprite(state, [&](int k, int x, int y) { c.sdl.DrawRle(k, x, y); });
}

void AllegroRle(benchmark::State& state, SetKind kind)
{
    Contenders& c = GetContenders(kind);
    ForEverySprite(state, [&](int k, int x, int y) { c.allegro.DrawRleSprite(k, x, y); });
}

}  // namespace

void RegisterDrawBenchmarks()
{
    for (SetKind kind : {SetKind::kShaped, SetKind::kNoisy}) {
        const std::string set = kind == SetKind::kShaped ? "shaped" : "noisy";
        Register("RawKey/" + set + "/ours", OursRawKey, kind);
        Register("RawKey/" + set + "/SDL", SdlKeyed, kind);
        Register("RawKey/" + set + "/Allegro", AllegroSprite, kind);
    }
    for (SetKind kind : {SetKind::kShaped, SetKind::kNoisy}) {
        const std::string set = kind == SetKind::kShaped ? "shaped" : "noisy";
        Register("RleCopy/" + set + "/ours", OursRleCopy, kind);
        Register("RleCopy/" + set + "/SDL", SdlRle, kind);
        Register("RleCopy/" + set + "/Allegro", AllegroRle, kind);
    }
}
