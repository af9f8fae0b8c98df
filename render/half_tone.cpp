#include "render/half_tone.h"

#include <climits>

namespace {

int Distance(int r, int g, int b, const RGBQUAD& c)
{
    const int dr = r - c.rgbRed, dg = g - c.rgbGreen, db = b - c.rgbBlue;
    return dr * dr + dg * dg + db * db;
}

// The index of 1..255 nearest to (r, g, b) in `palette`.
uint8_t Nearest(const RGBQUAD* palette, int r, int g, int b)
{
    int best = 1, bestDistance = INT_MAX;
    for (int i = 1; i < 256; ++i) {
        const int d = Distance(r, g, b, palette[i]);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
            if (d == 0) break;
        }
    }
    return uint8_t(best);
}

}  // namespace

void BuildHalfToneTable(const RGBQUAD* palette, uint8_t* table)
{
    // The table is symmetric: each pair is searched once.
    for (int d = 0; d < 256; ++d) {
        for (int s = d; s < 256; ++s) {
            const int r = (palette[d].rgbRed + palette[s].rgbRed) / 2;
            const int g = (palette[d].rgbGreen + palette[s].rgbGreen) / 2;
            const int b = (palette[d].rgbBlue + palette[s].rgbBlue) / 2;
            const uint8_t index = Nearest(palette, r, g, b);
            table[d * 256 + s] = index;
            table[s * 256 + d] = index;
        }
    }
}
