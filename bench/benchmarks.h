// The benchmark rows. A row is our routine beside its peers (or a floor) on one workload, named
// "<routine>/<workload>"; tools/bench-table.py sets out each row and holds its goal. A new row is
// one RegisterRow call (from a Register...Benchmarks function called by main) and, if it has a
// goal, one line of GOALS there: which contender, and the least ratio its time / our time.
#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <vector>

#include "bench/paired_trials.h"
#include "bench/workload.h"

void RegisterDrawBenchmarks();      // RawKey and RleCopy beside SDL and Allegro
void RegisterCompressBenchmarks();  // CompressImage beside SDL's and Allegro's RLE encoders
void RegisterCopyBenchmarks();      // RawCopy of the whole sheet beside memcpy
void RegisterIndexBenchmarks();     // IndexTrueColor of a 4096 x 4096 true-colour sheet beside memcpy

// Registers one row, "ours" first among its contenders. Each repetition of the benchmark is one
// paired trial (see bench/paired_trials.h); it reports every contender's time per pass in
// nanoseconds as a counter named after the contender, and the contenders' names in order, apart
// by spaces, as its label.
void RegisterRow(const std::string& routine, const std::string& workload, std::vector<Contender> contenders,
                 PairedTrials::Clock clock = PairedTrials::ThreadCpuNow);

// One pass of `each(k, x, y)` over every sprite k of a set at its place.
template <class Each>
std::function<void()> EverySprite(Each each)
{
    return [each] {
        for (int k = 0; k < kSpriteCount; ++k) each(k, kPlaces[k].x, kPlaces[k].y);
        benchmark::ClobberMemory();
    };
}
