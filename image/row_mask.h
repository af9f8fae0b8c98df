// A row of 8-bit pixels as a bit mask: bit i of words[k] is set where pixel 64 * k + i is
// non-zero; the bits past the row's end are clear. Made with SSE2 (16 pixels compared at once)
// or, where the processor has it, AVX2 (32 at once).
#pragma once

#include <cstdint>

using RowMaskFunction = void (*)(const uint8_t* row, int width, uint64_t* words);

// Writes (width + 63) / 64 words. Works on any processor (bytes one by one without SSE2).
void RowMaskSse2(const uint8_t* row, int width, uint64_t* words);
// The same with AVX2; call it only where HaveAvx2() is true.
void RowMaskAvx2(const uint8_t* row, int width, uint64_t* words);
bool HaveAvx2();
// The fastest version this processor runs.
RowMaskFunction ChooseRowMask();

// Bit k of the summary (counted across its words) is set where words[k] is not 0, so a blank
// stretch of a row is passed over 4,096 pixels at a time. Writes (count + 63) / 64 words.
void Summarise(const uint64_t* words, int count, uint64_t* summary);
