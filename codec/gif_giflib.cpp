#include "codec/gif_codec.h"

#include <gif_lib.h>

namespace {

constexpr int kColorBits = 8;
constexpr int kColors = 256;
// The application block that makes viewers loop the animation: "NETSCAPE2.0", then sub-block 1
// with the loop count (0: forever).
constexpr char kLoopApplication[] = "NETSCAPE2.0";
constexpr int kLoopApplicationSize = 11;

int AppendBytes(GifFileType* file, const GifByteType* data, int size)
{
    auto* out = static_cast<std::vector<uint8_t>*>(file->UserData);
    out->insert(out->end(), data, data + size);
    return size;
}

bool Fail(std::string* error, int code)
{
    const char* text = GifErrorString(code);
    *error = std::string("GIF encoder: ") + (text != nullptr ? text : "failed");
    return false;
}

bool PutFrames(GifFileType* file, const GifFrames& frames, int* code)
{
    GifColorType colors[kColors];
    for (int i = 0; i < kColors; ++i)
        colors[i] = GifColorType{frames.palette.entries[i].rgbRed, frames.palette.entries[i].rgbGreen,
                                 frames.palette.entries[i].rgbBlue};
    ColorMapObject* map = GifMakeMapObject(kColors, colors);
    if (map == nullptr) {
        *code = E_GIF_ERR_NOT_ENOUGH_MEM;
        return false;
    }
    EGifSetGifVersion(file, true);
    const bool screen = EGifPutScreenDesc(file, frames.width, frames.height, kColorBits, 0, map) == GIF_OK;
    GifFreeMapObject(map);
    if (!screen) return false;

    const GifByteType loop[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(file, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
        EGifPutExtensionBlock(file, kLoopApplicationSize, kLoopApplication) != GIF_OK ||
        EGifPutExtensionBlock(file, sizeof loop, loop) != GIF_OK || EGifPutExtensionTrailer(file) != GIF_OK)
        return false;

    for (size_t f = 0; f < frames.frames.size(); ++f) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_BACKGROUND;
        control.UserInputFlag = false;
        control.DelayTime = f < frames.delays.size() ? frames.delays[f] : kMinGifDelay;
        control.TransparentColor = frames.transparent;
        GifByteType extension[4];
        const size_t size = EGifGCBToExtension(&control, extension);
        if (EGifPutExtension(file, GRAPHICS_EXT_FUNC_CODE, int(size), extension) != GIF_OK) return false;
        if (EGifPutImageDesc(file, 0, 0, frames.width, frames.height, false, nullptr) != GIF_OK) return false;
        std::vector<GifPixelType> row(size_t(frames.width));
        for (int y = 0; y < frames.height; ++y) {
            const uint8_t* from = frames.frames[f].data() + size_t(y) * size_t(frames.width);
            row.assign(from, from + frames.width);
            if (EGifPutLine(file, row.data(), frames.width) != GIF_OK) return false;
        }
    }
    return true;
}

}  // namespace

bool EncodeAnimatedGif(const GifFrames& frames, std::vector<uint8_t>* gif, std::string* error)
{
    gif->clear();
    if (frames.width <= 0 || frames.height <= 0 || frames.frames.empty()) {
        *error = "GIF encoder: there are no frames to write";
        return false;
    }
    for (const std::vector<uint8_t>& frame : frames.frames) {
        if (frame.size() != size_t(frames.width) * size_t(frames.height)) {
            *error = "GIF encoder: a frame is not the canvas's size";
            return false;
        }
    }
    int code = 0;
    GifFileType* file = EGifOpen(gif, AppendBytes, &code);
    if (file == nullptr) return Fail(error, code);
    int putCode = 0;
    const bool put = PutFrames(file, frames, &putCode);
    if (!put && putCode == 0) putCode = file->Error;
    int closeCode = 0;
    const bool closed = EGifCloseFile(file, &closeCode) == GIF_OK;  // frees `file` either way
    if (!put) return Fail(error, putCode);
    if (!closed) return Fail(error, closeCode);
    return true;
}
