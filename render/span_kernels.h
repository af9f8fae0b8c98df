// The inner loops of the sprite routines: short copies, fills and table lookups over one span of
// destination bytes. Everything here is inline so each routine gets its own tight loop; the named
// span routines of sprite_draw.h are these kernels behind a call.
//
// "Reversed" kernels write destination byte n - 1 - k from source byte k (a mirrored run, with
// `dest` the lowest address written). The vector kernels finish with one last, overlapping block
// instead of a scalar tail; that is only done for operations that give the same result when
// applied twice (copy, color key, solid fill).
#pragma once

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace span {

constexpr ptrdiff_t kBlock = 16;  // bytes in one SSE2 register

inline __m128i Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void Store(uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// The 16 bytes of v in the opposite order (SSE2 only: no byte shuffle).
inline __m128i Reverse(__m128i v)
{
    v = _mm_shuffle_epi32(v, _MM_SHUFFLE(0, 1, 2, 3));
    v = _mm_shufflelo_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
    v = _mm_shufflehi_epi16(v, _MM_SHUFFLE(2, 3, 0, 1));
    return _mm_or_si128(_mm_slli_epi16(v, 8), _mm_srli_epi16(v, 8));
}

// A copy of n bytes for the short literal runs of a run-length row. Written out by size class
// so the compiler cannot turn it into a string instruction, which is slow to start for the
// lengths a run has. Source and destination never overlap.
inline void CopyShort(uint8_t* d, const uint8_t* s, size_t n)
{
    if (n >= size_t(kBlock)) {
        size_t k = 0;
        for (; k + kBlock < n; k += kBlock) Store(d + k, Load(s + k));
        Store(d + n - kBlock, Load(s + n - kBlock));
    } else if (n >= 8) {
        uint64_t a, b;
        std::memcpy(&a, s, 8);
        std::memcpy(&b, s + n - 8, 8);
        std::memcpy(d, &a, 8);
        std::memcpy(d + n - 8, &b, 8);
    } else if (n >= 4) {
        uint32_t a, b;
        std::memcpy(&a, s, 4);
        std::memcpy(&b, s + n - 4, 4);
        std::memcpy(d, &a, 4);
        std::memcpy(d + n - 4, &b, 4);
    } else if (n > 0) {
        const uint8_t a = s[0], b = s[n / 2], c = s[n - 1];
        d[0] = a;
        d[n / 2] = b;
        d[n - 1] = c;
    }
}

// n bytes set to one value, by the same size classes as CopyShort.
inline void FillShort(uint8_t* d, size_t n, uint8_t value)
{
    if (n >= size_t(kBlock)) {
        const __m128i v = _mm_set1_epi8(char(value));
        size_t k = 0;
        for (; k + kBlock < n; k += kBlock) Store(d + k, v);
        Store(d + n - kBlock, v);
    } else if (n >= 8) {
        const uint64_t v = value * 0x0101010101010101ull;
        std::memcpy(d, &v, 8);
        std::memcpy(d + n - 8, &v, 8);
    } else if (n >= 4) {
        const uint32_t v = value * 0x01010101u;
        std::memcpy(d, &v, 4);
        std::memcpy(d + n - 4, &v, 4);
    } else if (n > 0) {
        d[0] = value;
        d[n / 2] = value;
        d[n - 1] = value;
    }
}

// Applies a per-byte operation to n bytes from the start of both spans. Op::Vector(d, s) and
// Op::Scalar(d, s) compute the new destination; applying either twice must change nothing more.
template <class Op>
inline void Forward(uint8_t* d, const uint8_t* s, ptrdiff_t n, Op op)
{
    if (n < kBlock) {
        for (ptrdiff_t k = 0; k < n; ++k) d[k] = op.Scalar(d[k], s[k]);
        return;
    }
    ptrdiff_t k = 0;
    for (; k + kBlock < n; k += kBlock) Store(d + k, op.Vector(Load(d + k), Load(s + k)));
    Store(d + n - kBlock, op.Vector(Load(d + n - kBlock), Load(s + n - kBlock)));
}

// The same with destination byte n - 1 - k taken from source byte k.
template <class Op>
inline void Reversed(uint8_t* d, const uint8_t* s, ptrdiff_t n, Op op)
{
    if (n < kBlock) {
        for (ptrdiff_t k = 0; k < n; ++k) d[n - 1 - k] = op.Scalar(d[n - 1 - k], s[k]);
        return;
    }
    ptrdiff_t k = 0;
    for (; k + kBlock < n; k += kBlock) {
        uint8_t* block = d + n - kBlock - k;
        Store(block, op.Vector(Load(block), Reverse(Load(s + k))));
    }
    Store(d, op.Vector(Load(d), Reverse(Load(s + n - kBlock))));
}

struct CopyOp {
    static __m128i Vector(__m128i, __m128i s) { return s; }
    static uint8_t Scalar(uint8_t, uint8_t s) { return s; }
};

// Color key: source 0 keeps the destination. Where the source is 0 the source bits are 0
// anyway, so (d & mask) | s needs no second mask.
struct KeyOp {
    static __m128i Vector(__m128i d, __m128i s)
    {
        const __m128i transparent = _mm_cmpeq_epi8(s, _mm_setzero_si128());
        return _mm_or_si128(_mm_and_si128(transparent, d), s);
    }
    static uint8_t Scalar(uint8_t d, uint8_t s) { return s ? s : d; }
};

// One color wherever the source is not 0.
struct SolidOp {
    uint8_t color;
    __m128i Vector(__m128i d, __m128i s) const
    {
        const __m128i transparent = _mm_cmpeq_epi8(s, _mm_setzero_si128());
        return _mm_or_si128(_mm_and_si128(transparent, d),
                            _mm_andnot_si128(transparent, _mm_set1_epi8(char(color))));
    }
    uint8_t Scalar(uint8_t d, uint8_t s) const { return s ? color : d; }
};

// Table lookups: table[d * 256 + s] (blend) or table[d * 256 + color] (tint), scalar only.
inline void Blend(uint8_t* d, const uint8_t* s, ptrdiff_t n, const uint8_t* table)
{
    for (ptrdiff_t k = 0; k < n; ++k) d[k] = table[d[k] << 8 | s[k]];
}

inline void BlendReversed(uint8_t* d, const uint8_t* s, ptrdiff_t n, const uint8_t* table)
{
    for (ptrdiff_t k = 0; k < n; ++k) d[n - 1 - k] = table[d[n - 1 - k] << 8 | s[k]];
}

inline void Tint(uint8_t* d, ptrdiff_t n, uint8_t color, const uint8_t* table)
{
    for (ptrdiff_t k = 0; k < n; ++k) d[k] = table[d[k] << 8 | color];
}

inline void TintReversed(uint8_t* d, ptrdiff_t n, uint8_t color, const uint8_t* table)
{
    for (ptrdiff_t k = n - 1; k >= 0; --k) d[k] = table[d[k] << 8 | color];
}

}  // namespace span
