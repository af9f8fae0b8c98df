// The sixteen routines that draw a run-length image (the form described in sprite/compress.h).
//
// The top and bottom margins cost nothing: the row table leads straight to the first visible
// source row (and, for rows drawn whole, to every row after it; rows cut at the sides are read
// in order from the first). Rows with no horizontal margin take the short loop, which moves the
// destination by whole runs; otherwise each run is cut to the visible columns. Skipped pixels
// are never touched, every literal pixel is drawn.
//
// The image must be well formed (ValidateCompressedImage): each row's runs cover exactly `width`
// pixels. Given that, nothing outside the clip rectangle is written, whatever x, y, width and
// height are.
#include "render/blend_lookup.h"
#include "render/cpu_features.h"
#include "render/span_kernels.h"
#include "render/sprite_clip.h"
#include "render/sprite_draw.h"
#include "sprite/file_io.h"

namespace {

constexpr ptrdiff_t kRowOffsetBytes = 4;  // one 32-bit entry of the row table per row
constexpr ptrdiff_t kPairCountBytes = 2;  // the 16-bit pair count that opens a row record
constexpr ptrdiff_t kPairHeaderBytes = 2;  // skip and count

// ---- Run kernels. Forward(d, s, n): d[k] from literal s[k]; Mirrored(d, s, n): d[n-1-k]. ----

struct CopyRuns {
    static void Forward(uint8_t* d, const uint8_t* s, ptrdiff_t n) { span::CopyShort(d, s, size_t(n)); }
    static void Mirrored(uint8_t* d, const uint8_t* s, ptrdiff_t n) { span::Reversed(d, s, n, span::CopyOp()); }
};

#ifdef QUILLON_DRAW_AVX2
// A run copied 32 bytes at a time: a first block where the run starts, then blocks at 32-byte
// boundaries of the page, so only the first and the last store (which overlaps the one before)
// can straddle a cache line. Shorter runs as CopyShort copies them. On the long runs of a shaped
// sprite this writes about a fifth faster than the 16-byte loop.
__attribute__((target("avx2"))) inline void CopyWide(uint8_t* d, const uint8_t* s, size_t n)
{
    constexpr size_t kWide = 32;
    if (n < kWide) {
        span::CopyShort(d, s, n);
        return;
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s)));
    size_t k = kWide - (reinterpret_cast<uintptr_t>(d) & (kWide - 1));
    for (; k + kWide < n; k += kWide)
        _mm256_store_si256(reinterpret_cast<__m256i*>(d + k), _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + k)));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + n - kWide),
                        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + n - kWide)));
}

struct CopyRunsWide {
    __attribute__((target("avx2"))) static void Forward(uint8_t* d, const uint8_t* s, ptrdiff_t n)
    {
        CopyWide(d, s, size_t(n));
    }
    static void Mirrored(uint8_t* d, const uint8_t* s, ptrdiff_t n) { CopyRuns::Mirrored(d, s, n); }
};

const bool g_copyAvx2 = ProcessorHasAvx2();
#endif

struct SolidRuns {
    uint8_t color;
    void Forward(uint8_t* d, const uint8_t*, ptrdiff_t n) const { span::FillShort(d, size_t(n), color); }
    void Mirrored(uint8_t* d, const uint8_t*, ptrdiff_t n) const { span::FillShort(d, size_t(n), color); }
};

struct BlendRuns {
    const uint8_t* table;
    void Forward(uint8_t* d, const uint8_t* s, ptrdiff_t n) const { span::Blend(d, s, n, table); }
    void Mirrored(uint8_t* d, const uint8_t* s, ptrdiff_t n) const { span::BlendReversed(d, s, n, table); }
};

struct TintRuns {
    const uint8_t* table;
    uint8_t color;
    void Forward(uint8_t* d, const uint8_t*, ptrdiff_t n) const { span::Tint(d, n, color, table); }
    void Mirrored(uint8_t* d, const uint8_t*, ptrdiff_t n) const { span::TintReversed(d, n, color, table); }
};

// Rows with no horizontal margin. `start` is column x of the first row for the forward members,
// one past the row's right end for the mirrored ones, whose destination moves leftwards.
// Each row's record is found through the row table, although the records follow one another:
// the start of a row then does not wait for the previous row's runs to be read one after the
// other, so the processor works on several rows at once (a fifth faster on sprites of a few long
// runs per row). Source row firstRow + r lands on destination row r in every orientation.
template <bool H, class Runs>
void DrawWholeRows(uint8_t* start, ptrdiff_t rowStep, int rows, const uint8_t* image, ptrdiff_t firstRow, Runs runs)
{
    const uint8_t* rowTable = image + firstRow * kRowOffsetBytes;
    for (int r = 0; r < rows; ++r, start += rowStep) {
        const uint8_t* source = image + ReadLe32(rowTable + r * kRowOffsetBytes);
        unsigned pairs = ReadLe16(source);
        source += kPairCountBytes;
        uint8_t* d = start;
        for (; pairs != 0; --pairs) {
            const unsigned skip = source[0], count = source[1];
            source += kPairHeaderBytes;
            d = H ? d - skip : d + skip;
            if (count == 0) continue;  // the transparent end of a row, or a long stretch going on
            if (H) {
                d -= count;
                runs.Mirrored(d, source, count);
            } else {
                runs.Forward(d, source, count);
                d += count;
            }
            source += count;
        }
    }
}

// Rows cut at the left or right. Source positions [lead, lead + visible) of each row are shown;
// visible position p lands at start + p (forward) or start - p (mirrored, runs written leftwards).
template <bool H, class Runs>
void DrawCutRows(uint8_t* start, ptrdiff_t rowStep, int rows, const uint8_t* source, ptrdiff_t lead,
                 ptrdiff_t visible, Runs runs)
{
    const ptrdiff_t end = lead + visible;
    for (int r = 0; r < rows; ++r, start += rowStep) {
        unsigned pairs = ReadLe16(source);
        source += kPairCountBytes;
        ptrdiff_t pos = 0;
        for (; pairs != 0; --pairs) {
            const ptrdiff_t runStart = pos + source[0], count = source[1];
            source += kPairHeaderBytes;
            const ptrdiff_t first = runStart > lead ? runStart : lead;
            const ptrdiff_t last = runStart + count < end ? runStart + count : end;  // exclusive
            if (first < last) {
                const uint8_t* s = source + (first - runStart);
                const ptrdiff_t n = last - first, p = first - lead;
                if (H)
                    runs.Mirrored(start - p - (n - 1), s, n);
                else
                    runs.Forward(start + p, s, n);
            }
            source += count;
            pos = runStart + count;
        }
    }
}

// Rows with no horizontal margin, by the fastest kernel the processor has for the runs.
template <bool H, class Runs>
void WholeRows(uint8_t* start, ptrdiff_t rowStep, int rows, const uint8_t* image, ptrdiff_t firstRow, Runs runs)
{
    DrawWholeRows<H>(start, rowStep, rows, image, firstRow, runs);
}

#ifdef QUILLON_DRAW_AVX2
// Everything inlined into one AVX2 function, the wide copy included.
__attribute__((target("avx2"), flatten)) void WholeRowsWide(uint8_t* start, ptrdiff_t rowStep, int rows,
                                                             const uint8_t* image, ptrdiff_t firstRow)
{
    DrawWholeRows<false>(start, rowStep, rows, image, firstRow, CopyRunsWide());
}

template <>
void WholeRows<false, CopyRuns>(uint8_t* start, ptrdiff_t rowStep, int rows, const uint8_t* image, ptrdiff_t firstRow,
                                CopyRuns runs)
{
    if (g_copyAvx2)
        WholeRowsWide(start, rowStep, rows, image, firstRow);
    else
        DrawWholeRows<false>(start, rowStep, rows, image, firstRow, runs);
}
#endif

template <bool H, bool V, class Runs>
void DrawRle(int x, int y, int width, int height, uint8_t* buffer, const uint8_t* image, Runs runs)
{
    SpriteClip c;
    if (!ClipSprite(x, y, width, height, &c)) return;
    const ptrdiff_t pitch = g_drawTarget.pitch;
    // The first source row drawn is the first visible one: T, or B when mirrored top to bottom
    // (the bottom margin then hides the first source rows). The V members walk up the page.
    const ptrdiff_t firstSourceRow = V ? c.bottom : c.top;
    const uint8_t* source = image + ReadLe32(image + firstSourceRow * kRowOffsetBytes);
    const int64_t firstRow = V ? int64_t(y) + height - 1 - c.bottom : int64_t(y) + c.top;
    uint8_t* row = buffer + firstRow * pitch;
    const ptrdiff_t rowStep = V ? -pitch : pitch;

    if (c.left == 0 && c.right == 0) {
        WholeRows<H>(row + (H ? int64_t(x) + width : int64_t(x)), rowStep, c.rows, image, firstSourceRow, runs);
    } else if (H) {
        DrawCutRows<true>(row + (int64_t(x) + width - 1 - c.right), rowStep, c.rows, source, c.right, c.cols, runs);
    } else {
        DrawCutRows<false>(row + (int64_t(x) + c.left), rowStep, c.rows, source, c.left, c.cols, runs);
    }
}

}  // namespace

// clang-format off
void RleCopy(int x, int y, int w, int h, uint8_t* b, const uint8_t* i)   { DrawRle<false, false>(x, y, w, h, b, i, CopyRuns()); }
void RleCopyH(int x, int y, int w, int h, uint8_t* b, const uint8_t* i)  { DrawRle<true, false>(x, y, w, h, b, i, CopyRuns()); }
void RleCopyV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i)  { DrawRle<false, true>(x, y, w, h, b, i, CopyRuns()); }
void RleCopyHV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i) { DrawRle<true, true>(x, y, w, h, b, i, CopyRuns()); }

void RleSolid(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color)   { DrawRle<false, false>(x, y, w, h, b, i, SolidRuns{uint8_t(color)}); }
void RleSolidH(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color)  { DrawRle<true, false>(x, y, w, h, b, i, SolidRuns{uint8_t(color)}); }
void RleSolidV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color)  { DrawRle<false, true>(x, y, w, h, b, i, SolidRuns{uint8_t(color)}); }
void RleSolidHV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color) { DrawRle<true, true>(x, y, w, h, b, i, SolidRuns{uint8_t(color)}); }

void RleBlend(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRle<false, false>(x, y, w, h, b, i, BlendRuns{t});
}
void RleBlendH(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRle<true, false>(x, y, w, h, b, i, BlendRuns{t});
}
void RleBlendV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRle<false, true>(x, y, w, h, b, i, BlendRuns{t});
}
void RleBlendHV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRle<true, true>(x, y, w, h, b, i, BlendRuns{t});
}

void RleTint(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRle<false, false>(x, y, w, h, b, i, TintRuns{t, uint8_t(color)});
}
void RleTintH(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRle<true, false>(x, y, w, h, b, i, TintRuns{t, uint8_t(color)});
}
void RleTintV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRle<false, true>(x, y, w, h, b, i, TintRuns{t, uint8_t(color)});
}
void RleTintHV(int x, int y, int w, int h, uint8_t* b, const uint8_t* i, int color, int table)
{
    if (const uint8_t* t = BlendTableOrNull(table)) DrawRle<true, true>(x, y, w, h, b, i, TintRuns{t, uint8_t(color)});
}
// clang-format on
