#include "image/row_mask.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__SSE2__)
#include <immintrin.h>
#endif

#if defined(__x86_64__) && defined(__GNUC__)
#define QUILLON_HAVE_AVX2_PATH 1
#endif

void RowMaskSse2(const uint8_t* row, int width, uint64_t* words)
{
    int x = 0;
    uint64_t* word = words;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; x + 64 <= width; x += 64, ++word) {
        auto zeros = [&](int at) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + at));
            return uint64_t(uint16_t(_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero))));
        };
        *word = ~(zeros(0) | zeros(16) << 16 | zeros(32) << 32 | zeros(48) << 48);
    }
#endif
    for (; x < width; x += 64, ++word) {
        uint64_t mask = 0;
        const int n = std::min(64, width - x);
        for (int i = 0; i < n; ++i) mask |= uint64_t(row[x + i] != 0) << i;
        *word = mask;
    }
}

#if defined(QUILLON_HAVE_AVX2_PATH)
__attribute__((target("avx2"))) void RowMaskAvx2(const uint8_t* row, int width, uint64_t* words)
{
    const __m256i zero = _mm256_setzero_si256();
    int x = 0;
    for (; x + 64 <= width; x += 64, ++words) {
        __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + x));
        __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(row + x + 32));
        uint64_t zeros = uint64_t(uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, zero)))) |
                         uint64_t(uint32_t(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, zero)))) << 32;
        *words = ~zeros;
    }
    if (x < width) RowMaskSse2(row + x, width - x, words);
}

bool HaveAvx2() { return __builtin_cpu_supports("avx2"); }
#else
void RowMaskAvx2(const uint8_t* row, int width, uint64_t* words) { RowMaskSse2(row, width, words); }
bool HaveAvx2() { return false; }
#endif

RowMaskFunction ChooseRowMask() { return HaveAvx2() ? RowMaskAvx2 : RowMaskSse2; }

void Summarise(const uint64_t* words, int count, uint64_t* summary)
{
    for (int k = 0; k < count; k += 64) {
        uint64_t bits = 0;
        const int n = std::min(64, count - k);
        for (int i = 0; i < n; ++i) bits |= uint64_t(words[k + i] != 0) << i;
        summary[k / 64] = bits;
    }
}
