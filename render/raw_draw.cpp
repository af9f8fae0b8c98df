// The twenty routines that draw a raw image (width x height bytes, top row first).
//
// Each routine clips once, then runs one loop over the visible rows with a row kernel chosen at
// compile time by its family and orientation. A destination row of the visible part takes its
// source bytes from one contiguous stretch of a source row: columns L..width-1-R for the plain and
// V members, R..width-1-L written mirrored for the H and HV members.
#include <cstring>

#include "render/blend_lookup.h"
#include "render/cpu_features.h"
#include "render/span_kernels.h"
#include "render/sprite_clip.h"
#include "render/sprite_draw.h"

namespace {

// ---- Row kernels. Forward(d, s, n): d[k] from s[k]; Mirrored(d, s, n): d[n-1-k] from s[k]. ----

struct CopyRows {
    static void Forward(uint8_t* d, const uint8_t* s, ptrdiff_t n) { std::memcpy(d, s, size_t(n)); }
    static void Mirrored(uint8_t* d, const uint8_t* s, ptrdiff_t n) { span::Reversed(d, s, n, span::CopyOp()); }
};

#ifdef QUILLON_DRAW_AVX2
__attribute__((target("avx2"))) inline void KeyBlock32(uint8_t* d, const uint8_t* s)
{
    const __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s));
    const __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d));
    const __m256i transparent = _mm256_cmpeq_epi8(sv, _mm256_setzero_si256());
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm256_or_si256(_mm256_and_si256(transparent, dv), sv));
}

// Rows of at least 32 bytes; the last block overlaps the one before (the key is idempotent).
__attribute__((target("avx2"))) void KeyRowAvx2(uint8_t* d, const uint8_t* s, ptrdiff_t n)
{
    constexpr ptrdiff_t kWide = 32;
    ptrdiff_t k = 0;
    for (; k + kWide < n; k += kWide) KeyBlock32(d + k, s + k);
    KeyBlock32(d + n - kWide, s + n - kWide);
}

const bool g_keyAvx2 = ProcessorHasAvx2();
#endif

struct KeyRows {
    static void Forward(uint8_t* d, const uint8_t* s, ptrdiff_t n)
    {
#ifdef QUILLON_DRAW_AVX2
        if (g_keyAvx2 && n >= 32) {
            KeyRowAvx2(d, s, n);
            return;
        }
#endif
        span::Forward(d, s, n, span::KeyOp());
    }
    static void Mirrored(uint8_t* d, const uint8_t* s, ptrdiff_t n) { span::Reversed(d, s, n, span::KeyOp()); }
};

struct SolidRows {
    span::SolidOp op;
    void Forward(uint8_t* d, const uint8_t* s, ptrdiff_t n) const { span::Forward(d, s, n, op); }
    void Mirrored(uint8_t* d, const uint8_t* s, ptrdiff_t n) const { span::Reversed(d, s, n, op); }
};

struct BlendRows {
    const uint8_t* table;
    void Forward(uint8_t* d, const uint8_t* s, ptrdiff_t n) const
    {
        for (ptrdiff_t k = 0; k < n; ++k)
            if (s[k]) d[k] = table[d[k] << 8 | s[k]];
    }
    void Mirrored(uint8_t* d, const uint8_t* s, ptrdiff_t n) const
    {
        for (ptrdiff_t k = 0; k < n; ++k)
            if (s[k]) d[n - 1 - k] = table[d[n - 1 - k] << 8 | s[k]];
    }
};

struct TintRows {
    const uint8_t* table;
    uint8_t color;
    void Forward(uint8_t* d, const uint8_t* s, ptrdiff_t n) const
    {
        for (ptrdiff_t k = 0; k < n; ++k)
            if (s[k]) d[k] = table[d[k] << 8 | color];
    }
    void Mirrored(uint8_t* d, const uint8_t* s, ptrdiff_t n) const
    {
        for (ptrdiff_t k = 0; k < n; ++k)
            if (s[k]) d[n - 1 - k] = table[d[n - 1 - k] << 8 | color];
    }
};

// ---- The one drawing loop, instantiated per family and orientation. ----

template <bool H, bool V, class Rows>
void DrawRaw(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, Rows rows)
{
    SpriteClip c;
    if (!ClipSprite(x, y, width, height, &c)) return;
    const ptrdiff_t pitch = g_drawTarget.pitch;
    const ptrdiff_t stride = width;
    uint8_t* dest = buffer + (int64_t(y) + c.top) * pitch + (int64_t(x) + c.left);
    // The first visible destination row shows source row T, or height-1-T when mirrored top to
    // bottom; the source then walks up while the destination walks down.
    const ptrdiff_t firstSourceRow = V ? height - 1 - c.top : c.top;
    const uint8_t* source = image + firstSourceRow * stride + (H ? c.right : c.left);
    const ptrdiff_t sourceStep = V ? -stride : stride;

    if (!H && !V && c.cols == width && pitch == width) {
        // Rows that follow one another without a gap on both sides: one stretch.
        rows.Forward(dest, source, ptrdiff_t(c.cols) * c.rows);
        return;
    }
    for (int r = 0; r < c.rows; ++r, dest += pitch, source += sourceStep) {
        if (H)
            rows.Mirrored(dest, source, c.cols);
        else
            rows.Forward(dest, source, c.cols);
    }
}

}  // namespace

// clang-format off
void RawCopy(int x, int y, int w, int h, uint8_t* b, const uint8_t* i)   { DrawRaw<false, false>(x, y, w, h, b, i, CopyRows()); }
void RawCopyH(int x, int y, int w, int h, uint8_t* b, const uint8_t* i)  { DrawRaw<true, false>(x, y, w, h, b, i, CopyRows()); }
void RawCopyV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i)  { DrawRaw<false, true>(x, y, w, h, b, i, CopyRows()); }
void RawCopyHV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i) { DrawRaw<true, true>(x, y, w, h, b, i, CopyRows()); }

void RawKey(int x, int y, int w, int h, uint8_t* b, const uint8_t* i)   { DrawRaw<false, false>(x, y, w, h, b, i, KeyRows()); }
void RawKeyH(int x, int y, int w, int h, uint8_t* b, const uint8_t* i)  { DrawRaw<true, false>(x, y, w, h, b, i, KeyRows()); }
void RawKeyV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i)  { DrawRaw<false, true>(x, y, w, h, b, i, KeyRows()); }
void RawKeyHV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i) { DrawRaw<true, true>(x, y, w, h, b, i, KeyRows()); }

void RawSolid(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color)   { DrawRaw<false, false>(x, y, w, h, b, i, SolidRows{{uint8_t(color)}}); }
void RawSolidH(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color)  { DrawRaw<true, false>(x, y, w, h, b, i, SolidRows{{uint8_t(color)}}); }
void RawSolidV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color)  { DrawRaw<false, true>(x, y, w, h, b, i, SolidRows{{uint8_t(color)}}); }
void RawSolidHV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color) { DrawRaw<true, true>(x, y, w, h, b, i, SolidRows{{uint8_t(color)}}); }

void RawBlend(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRaw<false, false>(x, y, w, h, b, i, BlendRows{t});
}
void RawBlendH(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRaw<true, false>(x, y, w, h, b, i, BlendRows{t});
}
void RawBlendV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRaw<false, true>(x, y, w, h, b, i, BlendRows{t});
}
void RawBlendHV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRaw<true, true>(x, y, w, h, b, i, BlendRows{t});
}

void RawTint(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRaw<false, false>(x, y, w, h, b, i, TintRows{t, uint8_t(color)});
}
void RawTintH(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRaw<true, false>(x, y, w, h, b, i, TintRows{t, uint8_t(color)});
}
void RawTintV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRaw<false, true>(x, y, w, h, b, i, TintRows{t, uint8_t(color)});
}
void RawTintHV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRaw<true, true>(x, y, w, h, b, i, TintRows{t, uint8_t(color)});
}
// clang-format on
