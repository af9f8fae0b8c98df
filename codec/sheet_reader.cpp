#include "codec/sheet_reader.h"

#include <cctype>
#include <cstring>

#include "codec/png_codec.h"
#include "image/image_message.h"
#include "image/true_color.h"
#include "sprite/file_io.h"

namespace {

const char kMissingText[] = "%s 파일이 없습니다.";
const char kNotPngText[] = "%s PNG파일이 아닙니다.";
const char kDamagedText[] = "%s PNG파일을 읽을수 없습니다.";
const char kMemoryText[] = "%s 메모리가 부족합니다.";
const char kNoCodecText[] = "%s PNG를 읽을 코덱을 쓸수 없습니다.";

// Whether the path's last three characters are `ending`, in any case.
bool EndsWith(const char* path, const char* ending)
{
    const size_t length = std::strlen(path);
    if (length < 3) return false;
    for (int i = 0; i < 3; ++i)
        if (std::tolower(static_cast<unsigned char>(path[length - 3 + i])) != ending[i]) return false;
    return true;
}

bool StartsAsPng(const char* path)
{
    FileBytes head;
    head.Read(path, 8);
    return HasPngSignature(head.Data(), head.Size());
}

}  // namespace

int LoadPngFromMemory(ImageBuffer& picture, const uint8_t* data, size_t size, const char* name)
{
    SetImageFileName(picture, name);
    picture.Unload();
    DecodedPng png;
    switch (DecodePng(data, size, &png, nullptr)) {
    case PngStatus::kOk:
        break;
    case PngStatus::kNotPng:
        return SetImageMessage(picture, kNotPngText);
    case PngStatus::kDamaged:
        return SetImageMessage(picture, kDamagedText);
    case PngStatus::kTooLarge:
    case PngStatus::kNoMemory:
        return SetImageMessage(picture, kMemoryText);
    case PngStatus::kNoCodec:
        return SetImageMessage(picture, kNoCodecText);
    }
    if (png.indexed)
        return StoreIndexed(picture, png.pixels.data(), png.width, png.height, png.palette.entries, png.paletteCount);
    TrueColorPixels pixels;
    pixels.topRow = png.pixels.data();
    pixels.rowStep = int64_t(png.width) * 4;
    pixels.width = png.width;
    pixels.height = png.height;
    pixels.bytesPerPixel = 4;
    pixels.red = png.red;
    pixels.green = png.green;
    pixels.blue = png.blue;
    pixels.alpha = png.alpha;
    pixels.zeroAlphaMeansOpaque = false;
    return IndexTrueColor(picture, pixels);
}

int LoadPng(ImageBuffer& picture, const char* path)
{
    SetImageFileName(picture, path);
    picture.Unload();
    FileBytes file;
    switch (file.Read(path)) {
    case FileBytes::kCannotOpen:
        return SetImageMessage(picture, kMissingText);
    case FileBytes::kNoMemory:
        return SetImageMessage(picture, kMemoryText);
    case FileBytes::kRead:
    case FileBytes::kReadError:  // the bytes before the error, which the codec refuses or takes
        break;
    }
    return LoadPngFromMemory(picture, file.Data(), file.Size(), path);
}

int LoadSheet(ImageBuffer& picture, const char* path)
{
    if (path == nullptr) path = "";
    if (EndsWith(path, "bmp")) return picture.LoadBmp(path);
    if (EndsWith(path, "pcx")) return picture.LoadPcx(path);
    if (EndsWith(path, "png") || StartsAsPng(path)) return LoadPng(picture, path);
    return picture.LoadBmp(path) || picture.LoadPcx(path);
}
