// What the processor offers beyond the build's baseline, asked once at start-up by the drawing
// routines that have a faster path for it.
#pragma once

#if defined(__x86_64__) && !defined(_WIN32)
// 32 bytes at a time where the processor has AVX2. (Not in the Windows build: there GCC cannot
// rely on the 32-byte stack alignment that spilled AVX registers need.)
#define QUILLON_DRAW_AVX2 1
#include <immintrin.h>

inline bool ProcessorHasAvx2()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}
#endif
