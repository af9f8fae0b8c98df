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
        benchmark::RegisterBenchmark(("RawKey/" + set + "/ours").c_str(), OursRawKey, kind);
        benchmark::RegisterBenchmark(("RawKey/" + set + "/SDL").c_str(), SdlKeyed, kind);
        benchmark::RegisterBenchmark(("RawKey/" + set + "/Allegro").c_str(), AllegroSprite, kind);
    }
    for (SetKind kind : {SetKind::kShaped, SetKind::kNoisy}) {
        const std::string set = kind == SetKind::kShaped ? "shaped" : "noisy";
        benchmark::RegisterBenchmark(("RleCopy/" + set + "/ours").c_str(), OursRleCopy, kind);
        benchmark::RegisterBenchmark(("RleCopy/" + set + "/SDL").c_str(), SdlRle, kind);
        benchmark::RegisterBenchmark(("RleCopy/" + set + "/Allegro").c_str(), AllegroRle, kind);
    }
}
