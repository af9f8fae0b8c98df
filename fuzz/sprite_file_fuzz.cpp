// Fuzz target for the sprite file reader. Each input is written to a temporary file and loaded;
// a loaded set must then hold only images that decompress, compress back to the same pixels, save,
// and load again to the same set. Any broken promise stops the run.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_temp_file.h"
#include "sprite/compress.h"
#include "sprite/sprite_set.h"

namespace {

// Images larger than this are checked for their form only; decompressing them would slow the
// run down without reaching new code.
constexpr uint64_t kMaxCheckedPixels = uint64_t(1) << 22;

void Check(bool condition)
{
    if (!condition) std::abort();
}

std::string ScratchPath(const char* suffix)
{
    const char* dir = std::getenv("TMPDIR");
    if (dir == nullptr || *dir == '\0') dir = "/tmp";
    return std::string(dir) + "/quillon-sprite-fuzz-" + std::to_string(getpid()) + suffix;
}

std::vector<uint8_t> ImageOf(const Sprite& sprite)
{
    return std::vector<uint8_t>(sprite.image, sprite.image + sprite.imageSize);
}

// Decompress, compress and decompress again: the pixels must survive.
void CheckCompressedSprite(SpriteSet& set, int i)
{
    Sprite& sprite = set.sprites[i];
    Check(ValidateCompressedImage(sprite.image, sprite.imageSize, sprite.width, sprite.height));
    if (uint64_t(sprite.width) * uint64_t(sprite.height) > kMaxCheckedPixels) return;
    Check(set.Decompress(i) == 1);
    Check(sprite.imageSize == uint32_t(sprite.width) * uint32_t(sprite.height));
    const std::vector<uint8_t> raw = ImageOf(sprite);
    if (sprite.height == 0) return;  // a picture without rows has no compressed form
    Check(set.Compress(i) == 1);
    Check(ValidateCompressedImage(sprite.image, sprite.imageSize, sprite.width, sprite.height));
    std::vector<uint8_t> again(raw.size() + 1, 0);
    const uint8_t* end = DecompressImage(again.data(), sprite.width, sprite.height, sprite.image);
    Check(end == sprite.image + sprite.imageSize);
    Check(std::memcmp(again.data(), raw.data(), raw.size()) == 0);
}

void CheckRawSprite(SpriteSet& set, int i)
{
    Sprite& sprite = set.sprites[i];
    Check(uint64_t(sprite.imageSize) == uint64_t(sprite.width) * uint64_t(sprite.height));
    if (sprite.height == 0 || sprite.imageSize > kMaxCheckedPixels) return;
    const std::vector<uint8_t> raw = ImageOf(sprite);
    Check(set.Compress(i) == 1);
    Check(set.Decompress(i) == 1);
    Check(ImageOf(sprite) == raw);
}

void CheckSameSets(const SpriteSet& a, const SpriteSet& b)
{
    Check(a.header.count == b.header.count);
    for (int i = 0; i < a.header.count; ++i) {
        const Sprite& x = a.sprites[i];
        const Sprite& y = b.sprites[i];
        Check(x.compressed == y.compressed && x.width == y.width && x.height == y.height);
        Check(x.rx == y.rx && x.ry == y.ry && x.mx == y.mx && x.my == y.my);
        Check(x.hitCount == y.hitCount && x.atckCount == y.atckCount && x.imageSize == y.imageSize);
        Check(x.hitCount == 0 || std::memcmp(x.hitBoxes, y.hitBoxes, sizeof(BoxRect) * size_t(x.hitCount)) == 0);
        Check(x.atckCount == 0 || std::memcmp(x.atckBoxes, y.atckBoxes, sizeof(BoxRect) * size_t(x.atckCount)) == 0);
        Check(ImageOf(x) == ImageOf(y));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string output = ScratchPath("-saved.spr");
    const std::string input = WriteFuzzInput("sprite", data, size);
    if (input.empty()) return 0;

    SpriteSet set;
    const int loaded = set.Load(input.c_str());
    if (loaded == 0) {
        Check(set.sprites == nullptr);
        return 0;
    }
    for (int i = 0; i < set.header.count; ++i) {
        if (set.sprites[i].compressed) {
            CheckCompressedSprite(set, i);
        } else {
            CheckRawSprite(set, i);
        }
    }
    if (set.header.count == 0) return 0;

    Check(set.Save(output.c_str()) == 1);
    SpriteSet again;
    Check(again.Load(output.c_str()) == 1);
    std::remove(output.c_str());
    CheckSameSets(set, again);
    return 0;
}
