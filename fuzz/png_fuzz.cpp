// PNG sheets: any input loads into the one picture layout or is refused with a message and no
// picture; copies out of a loaded picture stay inside it. The checksums of the input's chunks are
// made right first, so that mutations reach past the codec's checksum test into the chunks
// themselves and the pixels that follow.
#include <zlib.h>

#include <vector>

#include "codec/png_codec.h"
#include "codec/sheet_reader.h"
#include "fuzz/picture_checks.h"

namespace {

uint32_t ReadBe32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

void WriteBe32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v >> 24);
    p[1] = uint8_t(v >> 16);
    p[2] = uint8_t(v >> 8);
    p[3] = uint8_t(v);
}

// Each whole chunk after the signature (length, type, data, checksum) gets the checksum of its
// type and data.
void MendChecksums(std::vector<uint8_t>& png)
{
    size_t at = 8;
    while (at + 12 <= png.size()) {
        const uint64_t length = ReadBe32(&png[at]);
        if (length > png.size() - at - 12) break;
        const uLong crc = crc32(0, &png[at + 4], uInt(length + 4));
        WriteBe32(&png[at + 8 + length], uint32_t(crc));
        at += 12 + length;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> png(data, data + size);
    MendChecksums(png);
    ImageBuffer picture;
    if (LoadPngFromMemory(picture, png.data(), png.size(), "fuzz.png") == 1) {
        TouchPicture(picture);
        CopyRegions(picture, png.data(), png.size());
        if (picture.bitCount != 8 || picture.colorCount != 256) __builtin_trap();  // always 8 bits
    } else if (picture.message[0] == '\0' || picture.block != nullptr) {
        __builtin_trap();  // a refusal always says why and leaves no picture
    }
    return 0;
}
