// BMP reader: any file loads into the one picture layout or is refused with a message; copies of
// the whole picture and of rectangles from the input stay inside it.
#include <cstdlib>

#include "fuzz/fuzz_temp_file.h"
#include "image/image_buffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string path = WriteFuzzInput("bmp", data, size);
    if (path.empty()) return 0;
    ImageBuffer picture;
    if (picture.LoadBmp(path.c_str()) == 1) {
        TouchPicture(picture);
        CopyRegions(picture, data, size);
        picture.BuildPalette();
    } else if (picture.message[0] == '\0' || picture.block != nullptr) {
        __builtin_trap();  // a refusal always says why and leaves no picture
    }
    return 0;
}
