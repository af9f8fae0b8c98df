// Fuzz target for drawing loaded sprites: whatever a sprite file holds, once it has loaded, every
// sprite draws into a page with every flag at positions all around it without writing anywhere
// but the page's own pixels. The page's row padding doubles as a guard inside the buffer; the
// sanitizers guard the outside.
#include <cstdint>
#include <cstdlib>

#include "render/dib_page.h"
#include "render/sprite_draw.h"
#include "sprite/sprite_set.h"

namespace {

constexpr int kPageWidth = 61;  // pitch 64: three padding bytes a row
constexpr int kPageHeight = 47;
constexpr uint8_t kSentinel = 0xA5;
constexpr int kPlacesPerSprite = 6;

void Check(bool condition)
{
    if (!condition) std::abort();
}

uint64_t Hash(const uint8_t* data, size_t size)
{
    uint64_t h = 1469598103934665603ull;
    for (size_t i = 0; i < size; ++i) h = (h ^ data[i]) * 1099511628211ull;
    return h;
}

uint32_t Next(uint64_t& state)
{
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return uint32_t(state >> 33);
}

// A position around the page: inside, across an edge, or far away.
int Place(uint64_t& state, int extent, int size)
{
    switch (Next(state) % 4) {
    case 0: return int(Next(state) % uint32_t(extent + 1));
    case 1: return -int(Next(state) % uint32_t(size + 2));
    case 2: return extent - int(Next(state) % 4);
    default: return int(Next(state));  // anywhere in the 32-bit range
    }
}

bool PaddingIntact(const DibPage& page)
{
    for (int y = 0; y < page.height; ++y)
        for (int x = page.width; x < page.pitch; ++x)
            if (page.pixels[y * page.pitch + x] != kSentinel) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SpriteSet set;
    if (!set.LoadFromMemory(data, size, "fuzz.spr")) return 0;

    static DibPage page;
    if (page.pixels == nullptr) Check(page.Create(kPageWidth, kPageHeight, 8, nullptr) == 1);
    for (int i = 0; i < page.height * page.pitch; ++i) page.pixels[i] = kSentinel;
    // Blend tables with a recognisable pattern, so the blend and tint paths read real values.
    for (int i = 0; i < kBlendTableCount * kBlendTableSize; i += 97) BlendTables[i] = uint8_t(i);

    uint64_t state = Hash(data, size);
    for (int s = 0; s < set.header.count; ++s) {
        const Sprite& sprite = set.sprites[s];
        for (int place = 0; place < kPlacesPerSprite; ++place) {
            int x = Place(state, page.width, sprite.width);
            int y = Place(state, page.height, sprite.height);
            int flags = int(Next(state) % 16);
            int color = int(Next(state) % 256);
            int table = int(Next(state) % 9) - 1;  // -1 and 7 are out of range
            Check(page.DrawSprite(x, y, &sprite, flags, color, table) == 1);
            Check(page.DrawSpriteOpaque(x, y, &sprite, flags, color, table) == 1);
        }
    }
    Check(PaddingIntact(page));
    return 0;
}
