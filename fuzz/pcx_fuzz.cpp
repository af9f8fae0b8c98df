// PCX reader: any file loads into the one picture layout or is refused with a message; copies
// stay inside the picture. The run-length decoder alone never writes past its length.
#include <cstdlib>

#include "fuzz/picture_checks.h"
#include "image/image_buffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ImageBuffer picture;
    if (picture.LoadPcxFromMemory(data, size, "fuzz.pcx") == 1) {
        TouchPicture(picture);
        CopyRegions(picture, data, size);
    } else if (picture.message[0] == '\0') {
        __builtin_trap();
    }

    // An exactly sized block, so the sanitizers see a write one byte past the length.
    const size_t length = size > 0 ? data[0] * 3u : 0;
    auto* out = static_cast<uint8_t*>(std::malloc(length == 0 ? 1 : length));
    if (out != nullptr && ReadPcxRleFromMemory(out, length, data, size) > length) __builtin_trap();
    std::free(out);
    return 0;
}
