// Fuzz target for the sprite file reader. Each input is loaded from memory; a loaded set must
// then hold only images that decompress, compress back to the same pixels, save, and load again
// to the same set, which saves to the same bytes. Any broken promise stops the run.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "sprite/compress.h"
#include "sprite/sprite_set.h"
#include "tests/core/set_difference.h"

namespace {

// Images larger than this are checked for their form only; decompressing them would slow the
// run down without reaching new code.
constexpr uint64_t kMaxCheckedPixels = uint64_t(1) << 22;

void Check(bool condition)
{
    if (!condition) std::abort();
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
    Check(raw.empty() || std::memcmp(again.data(), raw.data(), raw.size()) == 0);
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

// The set's file bytes; the caller frees them.
uint8_t* Saved(SpriteSet& set, size_t* size)
{
    uint8_t* data = nullptr;
    Check(set.SaveToMemory(&data, size) == 1);
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SpriteSet set;
    const int loaded = set.LoadFromMemory(data, size, "fuzz.spr");
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

    size_t size1 = 0, size2 = 0;
    uint8_t* first = Saved(set, &size1);
    SpriteSet again;
    Check(again.LoadFromMemory(first, size1, "saved.spr") == 1);
    Check(SetDifference(set, again).empty());
    uint8_t* second = Saved(again, &size2);
    Check(size1 == size2 && std::memcmp(first, second, size1) == 0);
    std::free(first);
    std::free(second);
    return 0;
}
