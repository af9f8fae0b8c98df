// The benchmark groups. Names read "<our routine>/<workload>/<contender>"; tools/bench-table.py
// sets each routine beside its peers by those names.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "bench/workload.h"

void RegisterDrawBenchmarks();      // RawKey and RleCopy beside SDL and Allegro
void RegisterCompressBenchmarks();  // CompressImage beside SDL's and Allegro's RLE encoders
void RegisterCopyBenchmarks();      // RawCopy of the whole sheet beside memcpy

// Registers one benchmark. Besides Google Benchmark's mean, median, spread and variation, each
// reports the least time of its repetitions: on a shared machine, the run least disturbed.
template <class... Args>
void Register(const std::string& name, Args&&... args)
{
    benchmark::RegisterBenchmark(name.c_str(), std::forward<Args>(args)...)
        ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });
}

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
