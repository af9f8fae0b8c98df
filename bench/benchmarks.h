// The benchmark groups. Names read "<our routine>/<workload>/<contender>"; tools/bench-table.py
// sets each routine beside its peers by those names.
#pragma once

#include <benchmark/benchmark.h>

#include "bench/workload.h"

void RegisterDrawBenchmarks();      // RawKey and RleCopy beside SDL and Allegro
void RegisterCompressBenchmarks();  // CompressImage beside SDL's and Allegro's RLE encoders
void RegisterCopyBenchmarks();      // RawCopy of the whole sheet beside memcpy

// Runs `each(k, x, y)` for every sprite k of a set at its place, per benchmark iteration, and
// counts sprites and their pixels.
template <class Each>
void ForEverySprite(benchmark::State& state, Each each)
{
    for (auto _ : state) {
        for (int k = 0; k < kSpriteCount; ++k) each(k, kPlaces[k].x, kPlaces[k].y);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kSpriteCount);
    state.SetBytesProcessed(int64_t(state.iterations()) * kSpriteCount * kSpriteSide * kSpriteSide);
}
