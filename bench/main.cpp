// quillon_bench: the program's drawing routines and compressor beside memcpy, SDL2 and Allegro 4.
// Checks first that everyone draws the same pixels, and refuses to measure otherwise.
#include <cstdio>

#include "bench/benchmarks.h"
#include "bench/equality_check.h"

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!CheckContendersAgree()) {
        std::fprintf(stderr, "bench: the contenders do not draw the same pixels; nothing measured\n");
        return 1;
    }
    RegisterDrawBenchmarks();
    RegisterCompressBenchmarks();
    RegisterCopyBenchmarks();
    RegisterIndexBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
