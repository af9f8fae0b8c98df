#include "cli/png_encode.h"

#include <spng.h>

#include <cstdlib>
#include <memory>

namespace {

struct ContextDeleter {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};

}  // namespace

bool EncodeIndexedPng(const uint8_t* pixels, int width, int height, const Palette& palette,
                      std::vector<uint8_t>* png, std::string* error)
{
    if (width <= 0 || height <= 0) {
        *error = "a PNG cannot be empty";
        return false;
    }
    std::unique_ptr<spng_ctx, ContextDeleter> ctx(spng_ctx_new(SPNG_CTX_ENCODER));
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
