#include "image/image_message.h"

#include <cstdio>
#include <cstring>

namespace {

// Code page 949 stores each Hangul syllable or Hanja as a lead byte of 0x81 or more followed by
// one trail byte. A text cut to fit may end with a lone lead byte; that byte is dropped.
constexpr unsigned char kFirstLeadByte = 0x81;

void DropBrokenCharacter(char* text)
{
    size_t length = std::strlen(text);
    size_t i = 0;
    while (i < length) {
        if (static_cast<unsigned char>(text[i]) >= kFirstLeadByte) {
            if (i + 1 == length) {
                text[i] = '\0';
                return;
            }
            i += 2;
        } else {
            ++i;
        }
    }
}

void CopyCut(char* destination, size_t size, const char* source)
{
    int written = std::snprintf(destination, size, "%s", source);
    if (written >= 0 && size_t(written) >= size) DropBrokenCharacter(destination);
}

}  // namespace

int SetImageMessage(ImageBuffer& image, const char* format)
{
    int written = std::snprintf(image.message, sizeof image.message, format, image.fileName);
    if (written >= 0 && size_t(written) >= sizeof image.message) DropBrokenCharacter(image.message);
    return 0;
}

int SetImageText(ImageBuffer& image, const char* text)
{
    CopyCut(image.message, sizeof image.message, text);
    return 0;
}

void SetImageFileName(ImageBuffer& image, const char* path)
{
    CopyCut(image.fileName, sizeof image.fileName, path != nullptr ? path : "");
}
