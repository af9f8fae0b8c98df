// The PNG back end of the native build: libspng decodes and encodes.
#include <spng.h>

#include <cstdlib>
#include <memory>
#include <new>

#include "codec/png_codec.h"
#include "codec/png_common.h"

namespace {

struct ContextDeleter {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};
using Context = std::unique_ptr<spng_ctx, ContextDeleter>;

PngStatus Fail(PngStatus status, int error, DecodedPng* picture, std::string* detail)
{
    *picture = DecodedPng{};
    if (detail != nullptr) *detail = error != 0 ? spng_strerror(error) : "";
    return status;
}

// The library's own answer for a damaged file or a lack of memory.
PngStatus Refused(int error, DecodedPng* picture, std::string* detail)
{
    return Fail(error == SPNG_EMEM ? PngStatus::kNoMemory : PngStatus::kDamaged, error, picture, detail);
}

}  // namespace

PngStatus DecodePng(const uint8_t* data, size_t size, DecodedPng* picture, std::string* detail)
{
    if (!HasPngSignature(data, size)) return Fail(PngStatus::kNotPng, 0, picture, detail);
    Context ctx(spng_ctx_new(0));
    if (!ctx) return Fail(PngStatus::kNoMemory, SPNG_EMEM, picture, detail);
    int err = spng_set_png_buffer(ctx.get(), data, size);
    spng_ihdr ihdr{};
    if (err == 0) err = spng_get_ihdr(ctx.get(), &ihdr);
    if (err != 0) return Refused(err, picture, detail);

    const bool indexed = ihdr.color_type == SPNG_COLOR_TYPE_INDEXED;
    const PngStatus sized = CheckDecodedSize(ihdr.width, ihdr.height, indexed);
    if (sized != PngStatus::kOk) return Fail(sized, 0, picture, detail);
    const int width = int(ihdr.width), height = int(ihdr.height);

    try {
        if (indexed) {
            spng_plte plte{};
            err = spng_get_plte(ctx.get(), &plte);
            if (err != 0) return Refused(err, picture, detail);
            // The rows as the file packs them, then one byte an index.
            size_t packedBytes = 0;
            err = spng_decoded_image_size(ctx.get(), SPNG_FMT_PNG, &packedBytes);
            if (err != 0) return Refused(err, picture, detail);
            std::vector<uint8_t> packed(packedBytes);
            err = spng_decode_image(ctx.get(), packed.data(), packed.size(), SPNG_FMT_PNG, 0);
            if (err != 0) return Refused(err, picture, detail);
            picture->pixels.resize(size_t(width) * size_t(height));
            WidenIndices(packed.data(), packedBytes / size_t(height), width, height, ihdr.bit_depth,
                         picture->pixels.data());
            picture->palette = Palette{};
            picture->paletteCount = int(plte.n_entries);
            for (uint32_t i = 0; i < plte.n_entries && i < kPaletteEntries; ++i) {
                RGBQUAD& entry = picture->palette.entries[i];
                entry.rgbRed = plte.entries[i].red;
                entry.rgbGreen = plte.entries[i].green;
                entry.rgbBlue = plte.entries[i].blue;
                entry.rgbReserved = 0;
            }
        } else {
            size_t bytes = 0;
            err = spng_decoded_image_size(ctx.get(), SPNG_FMT_RGBA8, &bytes);
            if (err != 0) return Refused(err, picture, detail);
            picture->pixels.resize(bytes);
            err = spng_decode_image(ctx.get(), picture->pixels.data(), bytes, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS);
            if (err != 0) return Refused(err, picture, detail);
            picture->red = 0;
            picture->green = 1;
            picture->blue = 2;
            picture->alpha = 3;
        }
    } catch (const std::bad_alloc&) {
        return Fail(PngStatus::kNoMemory, SPNG_EMEM, picture, detail);
    }
    picture->width = width;
    picture->height = height;
    picture->indexed = indexed;
    return PngStatus::kOk;
}

bool EncodeIndexedPng(const uint8_t* pixels, int width, int height, const Palette& palette,
                      std::vector<uint8_t>* png, std::string* error)
{
    if (width <= 0 || height <= 0) {
        *error = "a PNG cannot be empty";
        return false;
    }
    Context ctx(spng_ctx_new(SPNG_CTX_ENCODER));
    if (!ctx) {
        *error = "out of memory";
        return false;
    }
    spng_ihdr ihdr{};
    ihdr.width = uint32_t(width);
    ihdr.height = uint32_t(height);
    ihdr.bit_depth = 8;
    ihdr.color_type = SPNG_COLOR_TYPE_INDEXED;

    spng_plte plte{};
    plte.n_entries = kPaletteEntries;
    for (int i = 0; i < kPaletteEntries; ++i) {
        plte.entries[i].red = palette.entries[i].rgbRed;
        plte.entries[i].green = palette.entries[i].rgbGreen;
        plte.entries[i].blue = palette.entries[i].rgbBlue;
    }
    spng_trns trns{};
    trns.n_type3_entries = 1;
    trns.type3_alpha[0] = 0;

    int err = spng_set_option(ctx.get(), SPNG_ENCODE_TO_BUFFER, 1);
    if (err == 0) err = spng_set_ihdr(ctx.get(), &ihdr);
    if (err == 0) err = spng_set_plte(ctx.get(), &plte);
    if (err == 0) err = spng_set_trns(ctx.get(), &trns);
    if (err == 0) {
        const size_t bytes = size_t(width) * size_t(height);
        err = spng_encode_image(ctx.get(), pixels, bytes, SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE);
    }
    if (err != 0) {
        *error = spng_strerror(err);
        return false;
    }
    size_t size = 0;
    void* buffer = spng_get_png_buffer(ctx.get(), &size, &err);
    if (buffer == nullptr) {
        *error = spng_strerror(err);
        return false;
    }
    png->assign(static_cast<const uint8_t*>(buffer), static_cast<const uint8_t*>(buffer) + size);
    std::free(buffer);
    return true;
}
