// Sprite files built byte by byte for the reader's tests and the fuzzer's seed corpus, so that
// damaged files can be made as easily as good ones.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sprite/compress.h"
#include "sprite/file_io.h"

class SpriteFileBuilder {
public:
    std::vector<uint8_t> bytes;

    SpriteFileBuilder& Header(int16_t count, int16_t version = 30, int32_t actionCount = 0)
    {
        Raw("Zarvo sprite", 13);
        Le16(0x0000), Byte(0);  // reserved
        Le16(uint16_t(version));
        Le16(uint16_t(count));
        Le32(uint32_t(actionCount));
        return *this;
    }

    struct Entry {
        uint8_t compressed = 0;
        int16_t rx = 0, ry = 0, width = 1, height = 1, mx = 0, my = 0, hitCount = 0, atckCount = 0;
        int32_t imageSize = 1;
    };

    SpriteFileBuilder& SpriteEntry(const Entry& e)
    {
        Byte(e.compressed), Byte(0);
        Le16(uint16_t(e.rx)), Le16(uint16_t(e.ry)), Le16(uint16_t(e.width)), Le16(uint16_t(e.height));
        Le16(uint16_t(e.mx)), Le16(uint16_t(e.my)), Le16(uint16_t(e.hitCount)), Le16(uint16_t(e.atckCount));
        Le16(0);
        Le32(uint32_t(e.imageSize));
        Le32(0);
        return *this;
    }

    SpriteFileBuilder& Box(int16_t x1, int16_t y1, int16_t x2, int16_t y2)
    {
        Le16(0), Le16(uint16_t(x1)), Le16(uint16_t(y1)), Le16(uint16_t(x2)), Le16(uint16_t(y2)), Le16(0);
        return *this;
    }

    SpriteFileBuilder& Raw(const void* data, size_t size)
    {
        const uint8_t* p = static_cast<const uint8_t*>(data);
        bytes.insert(bytes.end(), p, p + size);
        return *this;
    }
    SpriteFileBuilder& Raw(const std::vector<uint8_t>& data) { return Raw(data.data(), data.size()); }

    SpriteFileBuilder& Byte(uint8_t v)
    {
        bytes.push_back(v);
        return *this;
    }
    SpriteFileBuilder& Le16(uint16_t v)
    {
        uint8_t b[2];
        WriteLe16(b, v);
        return Raw(b, 2);
    }
    SpriteFileBuilder& Le32(uint32_t v)
    {
        uint8_t b[4];
        WriteLe32(b, v);
        return Raw(b, 4);
    }
};

struct NamedFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// One file for each way an entry can be damaged. Each holds a good raw 2 x 1 sprite first, so a
// reader that gives up must release what it already read, then the damaged one.
inline std::vector<NamedFile> DamagedSpriteFiles()
{
    using Entry = SpriteFileBuilder::Entry;
    const std::vector<uint8_t> pixels{0, 5};
    uint32_t length = 0;
    uint8_t* block = CompressImage(pixels.data(), 2, 1, &length);
    const std::vector<uint8_t> form(block, block + length);  // 04 00 00 00 | 01 00 | 01 01 05
    std::free(block);

    const Entry raw{0, 0, 0, 2, 1, 1, 0, 0, 0, 2};
    const Entry rle{1, 0, 0, 2, 1, 1, 0, 0, 0, int32_t(length)};
    std::vector<NamedFile> files;
    auto add = [&](const char* name, Entry entry, const std::vector<uint8_t>& image) {
        SpriteFileBuilder file;
        file.Header(2).SpriteEntry(raw).Raw(pixels).SpriteEntry(entry).Raw(image);
        files.push_back({name, file.bytes});
    };
    auto formWith = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> changed = form;
        changed[at] = value;
        return changed;
    };
    Entry e;
    e = raw, e.compressed = 2, add("compressed-flag-2", e, pixels);
    e = raw, e.width = -2, e.imageSize = 0, add("negative-width", e, {});
    e = raw, e.height = -1, add("negative-height", e, pixels);
    e = raw, e.hitCount = -1, add("negative-hit-boxes", e, pixels);
    e = raw, e.atckCount = -3, add("negative-attack-boxes", e, pixels);
    e = raw, e.imageSize = -2, add("negative-image-size", e, pixels);
    e = raw, e.imageSize = 0x7FFFFFFF, add("huge-image-size", e, pixels);
    e = raw, e.hitCount = 32767, add("boxes-past-the-end", e, pixels);
    e = raw, e.imageSize = 1, add("raw-image-too-short", e, {5, 0});
    e = raw, e.imageSize = 3, add("raw-image-too-long", e, {5, 0, 0});
    e = rle, e.imageSize -= 1, add("compressed-form-too-short", e, form);
    add("row-table-points-elsewhere", rle, formWith(0, 5));
    add("run-overruns-the-row", rle, formWith(6, 2));
    add("row-not-covered", rle, formWith(7, 0));
    e = rle, e.width = 3, add("compressed-for-another-width", e, form);
    return files;
}
