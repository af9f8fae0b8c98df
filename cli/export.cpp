#include "cli/export.h"

#include <cstdio>
#include <cstring>

#include "cli/atlas.h"
#include "codec/png_codec.h"
#include "cli/set_json.h"
#include "sprite/compress.h"

namespace {

// Largest atlas written: a picture past this would be gigabytes in memory.
constexpr int64_t kMaxAtlasPixels = int64_t(1) << 30;

bool IsEmpty(const Sprite& sprite) { return sprite.width <= 0 || sprite.height <= 0 || sprite.image == nullptr; }

std::string EmptyWarning(int index)
{
    return "sprite " + std::to_string(index) + " has no pixels; it has no image";
}

bool Put(const OutputSink& sink, const std::string& name, const std::vector<uint8_t>& bytes, ExportResult* result)
{
    if (!sink(name, bytes, &result->error)) {
        result->ok = false;
        return false;
    }
    ++result->files;
    return true;
}

bool PutJson(const OutputSink& sink, const std::string& name, const Json& document, ExportResult* result)
{
    const std::string text = JsonText(document);
    return Put(sink, name, std::vector<uint8_t>(text.begin(), text.end()), result);
}

bool Refuse(ExportResult* result, const std::string& text)
{
    result->ok = false;
    result->error = text;
    return false;
}

}  // namespace

std::string SpriteImageStem(int index)
{
    char name[32];
    std::snprintf(name, sizeof name, "sprite_%05d", index);
    return name;
}

std::vector<uint8_t> SpritePixels(const Sprite& sprite)
{
    if (IsEmpty(sprite)) return {};
    std::vector<uint8_t> pixels(size_t(sprite.width) * size_t(sprite.height), 0);
    if (sprite.compressed != 0)
        DecompressImage(pixels.data(), sprite.width, sprite.height, sprite.image);
    else
        std::memcpy(pixels.data(), sprite.image, pixels.size());
    return pixels;
}

ExportResult ExportSprites(const SpriteSet& set, const std::string& source, const PaletteSource& palette,
                           const OutputSink& sink)
{
    ExportResult result;
    Json document = SetJson(set, source);
    document["palette"] = palette.origin;
    Json& sprites = document["sprites"];
    std::vector<uint8_t> png;
    for (int i = 0; i < set.Count(); ++i) {
        const Sprite& sprite = set.sprites[i];
        if (IsEmpty(sprite)) {
            result.warnings.push_back(EmptyWarning(i));
            sprites[size_t(i)]["image"] = nullptr;
            continue;
        }
        const std::vector<uint8_t> pixels = SpritePixels(sprite);
        if (!EncodeIndexedPng(pixels.data(), sprite.width, sprite.height, palette.palette, &png, &result.error)) {
            Refuse(&result, SpriteImageStem(i) + ".png: " + result.error);
            return result;
        }
        const std::string name = SpriteImageStem(i) + ".png";
        if (!Put(sink, name, png, &result)) return result;
        sprites[size_t(i)]["image"] = name;
    }
    PutJson(sink, kSpritesJsonName, document, &result);
    return result;
}

ExportResult ExportAtlas(const SpriteSet& set, const std::string& source, const PaletteSource& palette,
                         const OutputSink& sink)
{
    ExportResult result;
    std::vector<FrameSize> sizes;
    for (int i = 0; i < set.Count(); ++i) {
        const Sprite& sprite = set.sprites[i];
        if (IsEmpty(sprite)) {
            result.warnings.push_back(EmptyWarning(i));
            sizes.push_back({0, 0});
        } else {
            sizes.push_back({sprite.width, sprite.height});
        }
    }
    const AtlasLayout layout = PackAtlas(sizes, kAtlasPadding);
    if (layout.width <= 0 || layout.height <= 0) {
        Refuse(&result, "the set holds no sprite with pixels; there is no atlas to make");
        return result;
    }
    if (int64_t(layout.width) * layout.height > kMaxAtlasPixels) {
        Refuse(&result, "the atlas would be " + std::to_string(layout.width) + " x " + std::to_string(layout.height) +
                            " pixels, more than one picture can hold here");
        return result;
    }

    std::vector<uint8_t> sheet(size_t(layout.width) * size_t(layout.height), 0);
    Json frames = Json::array();
    Json spritesMeta = Json::array();
    for (int i = 0; i < set.Count(); ++i) {
        const Sprite& sprite = set.sprites[i];
        const PixelRect& place = layout.frames[size_t(i)];
        Json meta = SpriteJson(sprite, i);
        if (IsEmpty(sprite)) {
            meta["filename"] = nullptr;
            spritesMeta.push_back(std::move(meta));
            continue;
        }
        const std::vector<uint8_t> pixels = SpritePixels(sprite);
        for (int row = 0; row < sprite.height; ++row)
            std::memcpy(&sheet[size_t(place.y1 + row) * size_t(layout.width) + size_t(place.x1)],
                        &pixels[size_t(row) * size_t(sprite.width)], size_t(sprite.width));
        const std::string name = SpriteImageStem(i);
        frames.push_back({
            {"filename", name},
            {"frame", {{"x", place.x1}, {"y", place.y1}, {"w", sprite.width}, {"h", sprite.height}}},
            {"rotated", false},
            {"trimmed", false},
            {"spriteSourceSize", {{"x", 0}, {"y", 0}, {"w", sprite.width}, {"h", sprite.height}}},
            {"sourceSize", {{"w", sprite.width}, {"h", sprite.height}}},
            // The center coordinate as a fraction of the frame, as the layout's pivot is.
            {"pivot", {{"x", double(sprite.mx) / sprite.width}, {"y", double(sprite.my) / sprite.height}}},
        });
        meta["filename"] = name;
        spritesMeta.push_back(std::move(meta));
    }

    std::vector<uint8_t> png;
    if (!EncodeIndexedPng(sheet.data(), layout.width, layout.height, palette.palette, &png, &result.error)) {
        Refuse(&result, std::string(kAtlasImageName) + ": " + result.error);
        return result;
    }
    if (!Put(sink, kAtlasImageName, png, &result)) return result;

    Json document = {
        {"frames", std::move(frames)},
        {"meta",
         {
             {"app", "quillon-cli"},
             {"version", "1"},
             {"image", kAtlasImageName},
             {"format", "I8"},
             {"size", {{"w", layout.width}, {"h", layout.height}}},
             {"scale", "1"},
             {"quillon",
              {
                  {"format", "quillon-atlas"},
                  {"version", kSetJsonVersion},
                  {"source", source},
                  {"palette", palette.origin},
                  {"fileVersion", set.header.version},
                  {"actionCount", set.header.actionCount},
                  {"sprites", std::move(spritesMeta)},
              }},
         }},
    };
    PutJson(sink, kAtlasJsonName, document, &result);
    return result;
}
