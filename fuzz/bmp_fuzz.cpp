// BMP reader: any file loads into the one picture layout or is refused with a message; copies of
// the whole picture and of rectangles from the input stay inside it.
#include "fuzz/picture_checks.h"
#include "image/image_buffer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ImageBuffer picture;
    if (picture.LoadBmpFromMemory(data, size, "fuzz.bmp") == 1) {
        TouchPicture(picture);
        CopyRegions(picture, data, size);
        picture.BuildPalette();
    } else if (picture.message[0] == '\0' || picture.block != nullptr) {
        __builtin_trap();  // a refusal always says why and leaves no picture
    }
    return 0;
}
