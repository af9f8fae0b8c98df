// Makes the benchmark workload from fixed seeds, so every run draws the same pictures.
#include "bench/workload.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "sprite/compress.h"

const Place kPlaces[kSpriteCount] = {
    // Four columns 165 pixels apart and four rows 110 apart, nudged off any alignment; the rows
    // overlap a little, as sprites on a screen do.
    {1, 2},     {166, 5},   {331, 8},   {496, 11},
    {6, 112},   {171, 115}, {336, 118}, {501, 121},
    {11, 222},  {176, 225}, {341, 228}, {506, 231},
    {15, 332},  {180, 335}, {345, 338}, {510, 341},
};

namespace {

constexpr double kPi = 3.14159265358979323846;

// splitmix64: small, fast and the same on every compiler.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next()
    {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Unit() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }  // [0, 1)
    double Between(double low, double high) { return low + (high - low) * Unit(); }
    uint8_t Opaque() { return uint8_t(1 + Next() % 255); }

private:
    uint64_t state_;
};

struct Hole {
    double cx, cy, rx, ry;
};

// A blob with a wavy outline around a point near the middle, a few transparent gaps inside it
// (between arms and legs), shaded by a gradient with a little grain. Its size is chosen so that
// exactly the wanted share of the sprite stays transparent.
std::vector<uint8_t> MakeShapedSprite(Random& random)
{
    const int side = kSpriteSide;
    const double cx = side / 2.0 + random.Between(-6, 6), cy = side / 2.0 + random.Between(-6, 6);
    constexpr int kHarmonics = 5;
    double amplitude[kHarmonics], phase[kHarmonics];
    for (int k = 0; k < kHarmonics; ++k) {
        amplitude[k] = random.Between(0.0, 0.14);
        phase[k] = random.Between(0.0, 2 * kPi);
    }
    std::vector<Hole> holes(2 + random.Next() % 3);
    for (Hole& h : holes) {
        const double angle = random.Between(0, 2 * kPi), distance = random.Between(0, side * 0.3);
        h = {cx + distance * std::cos(angle), cy + distance * std::sin(angle), random.Between(3, 10),
             random.Between(3, 10)};
    }

    // Reach of each pixel: its distance from the centre over the outline's radius in its
    // direction, so a pixel is inside a blob of scale s when its reach is below s.
    const size_t pixels = size_t(side) * side;
    std::vector<double> reach(pixels);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            const double angle = std::atan2(dy, dx);
            double outline = 1.0;
            for (int k = 0; k < kHarmonics; ++k) outline += amplitude[k] * std::sin((k + 2) * angle + phase[k]);
            double r = std::hypot(dx, dy) / outline;
            for (const Hole& h : holes) {
                const double hx = (x + 0.5 - h.cx) / h.rx, hy = (y + 0.5 - h.cy) / h.ry;
                if (hx * hx + hy * hy < 1.0) r = HUGE_VAL;
            }
            reach[size_t(y) * side + x] = r;
        }
    std::vector<double> sorted = reach;
    const size_t opaqueWanted = size_t(std::lround(double(pixels) * (1.0 - kTransparentShare)));
    std::nth_element(sorted.begin(), sorted.begin() + long(opaqueWanted), sorted.end());
    const double scale = sorted[opaqueWanted];

    const int base = int(random.Next() % 200);
    std::vector<uint8_t> image(pixels);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const size_t i = size_t(y) * side + x;
            if (reach[i] >= scale) continue;  // transparent, 0
            const int shade = base + (3 * x + 5 * y) / 16 + int(random.Next() % 4);
            image[i] = uint8_t(1 + shade % 255);
        }
    return image;
}

std::vector<uint8_t> MakeNoisySprite(Random& random)
{
    std::vector<uint8_t> image(size_t(kSpriteSide) * kSpriteSide);
    for (uint8_t& p : image) p = random.Unit() < kTransparentShare ? 0 : random.Opaque();
    return image;
}

std::vector<uint8_t> Compress(const std::vector<uint8_t>& raw)
{
    uint32_t length = 0;
    uint8_t* form = CompressImage(raw.data(), kSpriteSide, kSpriteSide, &length);
    if (form == nullptr || length == 0) {
        std::fprintf(stderr, "bench: CompressImage failed on the workload\n");
        std::exit(1);
    }
    std::vector<uint8_t> copy(form, form + length);
    std::free(form);
    return copy;
}

SpriteSetImages MakeSet(const char* name, uint64_t seed, std::vector<uint8_t> (*make)(Random&))
{
    SpriteSetImages set;
    set.name = name;
    Random random(seed);
    size_t transparent = 0;
    for (int k = 0; k < kSpriteCount; ++k) {
        set.raw.push_back(make(random));
        set.compressed.push_back(Compress(set.raw.back()));
        transparent += size_t(std::count(set.raw.back().begin(), set.raw.back().end(), 0));
    }
    set.transparentShare = double(transparent) / (double(kSpriteCount) * kSpriteSide * kSpriteSide);
    return set;
}

std::vector<uint8_t> MakeSheet()
{
    std::vector<uint8_t> sheet(size_t(kSheetSide) * kSheetSide);
    Random random(0x5EE7);
    for (size_t i = 0; i < sheet.size(); i += 8) {
        uint64_t word = random.Next();
        for (size_t b = 0; b < 8; ++b, word >>= 8) sheet[i + b] = uint8_t(word) != 0 ? uint8_t(word) : 1;
    }
    return sheet;
}

}  // namespace

const Workload& GetWorkload()
{
    static const Workload workload{
        MakeSet("shaped", 0xB10B, MakeShapedSprite),
        MakeSet("noisy", 0x0015E, MakeNoisySprite),
        MakeSheet(),
    };
    return workload;
}

void FillCheckBackground(uint8_t* page, int width, int height, int pitch)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) page[size_t(y) * pitch + x] = uint8_t(x * 7 + y * 13 + (x >> 4));
}
