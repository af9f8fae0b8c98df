// Sprite files built byte by byte for the reader's tests and the fuzzer's seed corpus, so that
// damaged files can be made as easily as good ones.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

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
