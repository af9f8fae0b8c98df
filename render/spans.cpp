// The span routines of the clipped run-length paths, as callable functions.
#include "render/span_kernels.h"
#include "render/sprite_draw.h"

void SpanFill(uint8_t* dest, int n, uint8_t value)
{
    if (n > 0) span::FillShort(dest, size_t(n), value);
}

void SpanCopyReversed(uint8_t* dest, const uint8_t* source, int n)
{
    span::Reversed(dest, source, n, span::CopyOp());
}

void SpanBlend(uint8_t* dest, const uint8_t* source, int n, const uint8_t* table)
{
    span::Blend(dest, source, n, table);
}

void SpanBlendReversed(uint8_t* dest, const uint8_t* source, int n, const uint8_t* table)
{
    span::BlendReversed(dest, source, n, table);
}

void SpanTint(uint8_t* dest, int n, uint8_t color, const uint8_t* table)
{
    span::Tint(dest, n, color, table);
}

void SpanTintReversed(uint8_t* dest, int n, uint8_t color, const uint8_t* table)
{
    span::TintReversed(dest, n, color, table);
}
