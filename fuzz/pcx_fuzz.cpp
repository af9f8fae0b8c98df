// PCX reader: any file loads into the one picture layout or is refused with a message; copies
// stay inside the picture. The run-length decoder alone never writes past its length.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_temp_file.h"
#include "image/image_buffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string path = WriteFuzzInput("pcx", data, size);
    if (path.empty()) return 0;
    ImageBuffer picture;
    if (picture.LoadPcx(path.c_str()) == 1) {
        TouchPicture(picture);
        CopyRegions(picture, data, size);
    } else if (picture.message[0] == '\0') {
        __builtin_trap();
    }

    if (std::FILE* stream = std::fopen(path.c_str(), "rb")) {
        size_t length = size > 0 ? data[0] * 3u : 0;
        std::vector<uint8_t> out(length);
        if (ReadPcxRle(out.data(), length, stream) > length) __builtin_trap();
        std::fclose(stream);
    }
    return 0;
}
