#include "export/export.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

#include "export/atlas.h"
#include "codec/png_codec.h"
#include "export/set_json.h"
#include "sprite/compress.h"

namespace {

// Largest atlas written: a picture past this would be gigabytes in memory.
constexpr int64_t kMaxAtlasPixels = int64_t(1) << 30;

bool IsEmpty(const Sprite& sprite) { return sprite.width <= 0 || sprite.height <= 0 || sprite.image == nullptr; }

std::string EmptyWarning(const std::string& source, int index)
{
    return source + ": sprite " + std::to_string(index) + " has no pixels; it has no image";
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

PixelRect OpaqueBounds(const std::vector<uint8_t>& pixels, int width, int height)
{
    PixelRect box{width, height, -1, -1};
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &pixels[size_t(y) * size_t(width)];
        int first = 0;
        while (first < width && row[first] == 0) ++first;
        if (first == width) continue;
        int last = width - 1;
        while (row[last] == 0) --last;
        box.x1 = std::min(box.x1, first);
        box.x2 = std::max(box.x2, last);
        box.y1 = std::min(box.y1, y);
        box.y2 = y;
    }
    if (box.x2 < 0) return PixelRect{0, 0, 0, 0};
    return box;
}

ExportResult ExportSprites(const SpriteSet& set, const std::string& source, const PaletteSource& palette,
                           const OutputSink& sink, const std::string& pattern, const std::string& input,
                           const std::string& jsonName)
{
    ExportResult result;
    Json document = SetJson(set, source);
    document["palette"] = palette.origin;
    Json& sprites = document["sprites"];
    std::vector<uint8_t> png;
    for (int i = 0; i < set.Count(); ++i) {
        const Sprite& sprite = set.sprites[i];
        if (IsEmpty(sprite)) {
            result.warnings.push_back(EmptyWarning(source, i));
            sprites[size_t(i)]["image"] = nullptr;
            continue;
        }
        const std::string name = FrameName(pattern, input, i) + ".png";
        const std::vector<uint8_t> pixels = SpritePixels(sprite);
        if (!EncodeIndexedPng(pixels.data(), sprite.width, sprite.height, palette.palette, &png, &result.error)) {
            Refuse(&result, name + ": " + result.error);
            return result;
        }
        if (!Put(sink, name, png, &result)) return result;
        sprites[size_t(i)]["image"] = name;
    }
    PutJson(sink, jsonName, document, &result);
    return result;
}

std::string PageFileName(const std::string& name, int page, int pages)
{
    if (pages <= 1) return name;
    const size_t dot = name.find_last_of('.');
    const std::string number = "-" + std::to_string(page);
    return dot == std::string::npos || dot == 0 ? name + number : name.substr(0, dot) + number + name.substr(dot);
}

namespace {

// A sprite with pixels as it goes into the atlas.
struct Frame {
    size_t input;
    int index;             // in its set
    std::string name;
    std::vector<uint8_t> pixels;
    PixelRect content;     // the part of the sprite that is placed (all of it, or trimmed)
    int page = -1;
    int x = 0, y = 0;      // where the content lies on its page
};

Json Rect(int x, int y, int w, int h) { return {{"x", x}, {"y", y}, {"w", w}, {"h", h}}; }

// Copies the frame's content to the page at (x, y) and repeats its edge pixels `extrude` times
// around it.
void Blit(const Frame& f, const Sprite& sprite, int extrude, std::vector<uint8_t>& page, int pageWidth)
{
    const int w = f.content.x2 - f.content.x1 + 1, h = f.content.y2 - f.content.y1 + 1;
    for (int r = -extrude; r < h + extrude; ++r) {
        const int sy = f.content.y1 + std::clamp(r, 0, h - 1);
        const uint8_t* from = &f.pixels[size_t(sy) * size_t(sprite.width) + size_t(f.content.x1)];
        uint8_t* to = &page[size_t(f.y + r) * size_t(pageWidth) + size_t(f.x)];
        std::memcpy(to, from, size_t(w));
        for (int c = 1; c <= extrude; ++c) {
            to[-c] = from[0];
            to[w - 1 + c] = from[w - 1];
        }
    }
}

Json FrameJson(const Frame& f, const Sprite& sprite, const AtlasOptions& options)
{
    const int w = f.content.x2 - f.content.x1 + 1, h = f.content.y2 - f.content.y1 + 1;
    // The program draws a sprite with its top-left pixel at the anchor point plus (rx, ry): the
    // anchor lies at (-rx, -ry) in the sprite, given as a fraction of its whole size.
    const Json pivot = {{"x", -double(sprite.rx) / sprite.width}, {"y", -double(sprite.ry) / sprite.height}};
    Json frame;
    if (options.array) frame["filename"] = f.name;
    frame["frame"] = Rect(f.x, f.y, w, h);
    frame["rotated"] = false;
    frame["trimmed"] = w != sprite.width || h != sprite.height;
    frame["spriteSourceSize"] = Rect(f.content.x1, f.content.y1, w, h);
    frame["sourceSize"] = {{"w", sprite.width}, {"h", sprite.height}};
    frame["pivot"] = pivot;
    frame["anchor"] = pivot;
    if (options.fps > 0) frame["duration"] = int(std::lround(1000.0 / options.fps));
    frame["center"] = {{"x", sprite.mx}, {"y", sprite.my}};
    frame["hitBoxes"] = BoxesJson(sprite.hitBoxes, sprite.hitCount);
    frame["attackBoxes"] = BoxesJson(sprite.atckBoxes, sprite.atckCount);
    return frame;
}

}  // namespace

ExportResult ExportAtlas(const std::vector<AtlasInput>& inputs, const PaletteSource& palette,
                         const AtlasOptions& options, const OutputSink& sink)
{
    ExportResult result;
    std::vector<Frame> frames;
    std::vector<FrameSize> sizes;
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (size_t n = 0; n < inputs.size(); ++n) {
        const SpriteSet& set = *inputs[n].set;
        for (int i = 0; i < set.Count(); ++i) {
            const Sprite& sprite = set.sprites[i];
            if (IsEmpty(sprite)) {
                result.warnings.push_back(EmptyWarning(inputs[n].source, i));
                continue;
            }
            Frame f{n, i, FrameName(options.pattern, inputs[n].name, i), SpritePixels(sprite), {}};
            if (!taken.insert(f.name).second) {
                Refuse(&result, "two frames would be named \"" + f.name + "\" (" + inputs[n].source +
                                    " sprite " + std::to_string(i) + "); give --name a pattern that tells them apart");
                return result;
            }
            f.content = options.trim ? OpaqueBounds(f.pixels, sprite.width, sprite.height)
                                     : PixelRect{0, 0, sprite.width - 1, sprite.height - 1};
            sizes.push_back({f.content.x2 - f.content.x1 + 1 + 2 * options.extrude,
                             f.content.y2 - f.content.y1 + 1 + 2 * options.extrude});
            names.push_back(f.name);
            frames.push_back(std::move(f));
        }
    }
    if (frames.empty()) {
        Refuse(&result, "no sprite has pixels; there is no atlas to make");
        return result;
    }
    AtlasLayout layout;
    if (!PackAtlas(sizes, options.pack, &layout, &result.error, &names)) {
        Refuse(&result, result.error);
        return result;
    }
    const int pageCount = int(layout.pages.size());
    if (pageCount > 1 && options.jsonName == "-") {
        Refuse(&result, "the atlas takes " + std::to_string(pageCount) +
                            " pages, and standard output holds the JSON of one");
        return result;
    }
    for (const AtlasPage& page : layout.pages) {
        if (int64_t(page.width) * page.height > kMaxAtlasPixels) {
            Refuse(&result, "an atlas page would be " + std::to_string(page.width) + " x " +
                                std::to_string(page.height) + " pixels, more than one picture can hold here (try --max-size)");
            return result;
        }
    }
    for (size_t k = 0; k < frames.size(); ++k) {
        frames[k].page = layout.page[k];
        frames[k].x = layout.frames[k].x1 + options.extrude;
        frames[k].y = layout.frames[k].y1 + options.extrude;
    }

    // The sprites of every input, each with its frame's name and page, in every page's JSON.
    Json inputsMeta = Json::array();
    size_t next = 0;
    for (const AtlasInput& input : inputs) {
        Json sprites = Json::array();
        for (int i = 0; i < input.set->Count(); ++i) {
            Json meta = SpriteJson(input.set->sprites[i], i);
            const bool placed = next < frames.size() && frames[next].input == size_t(&input - inputs.data()) &&
                                frames[next].index == i;
            meta["filename"] = placed ? Json(frames[next].name) : Json(nullptr);
            meta["page"] = placed ? Json(frames[next].page) : Json(nullptr);
            if (placed) ++next;
            sprites.push_back(std::move(meta));
        }
        inputsMeta.push_back({
            {"source", input.source},
            {"name", input.name},
            {"fileVersion", input.set->header.version},
            {"actionCount", input.set->header.actionCount},
            {"sprites", std::move(sprites)},
        });
    }
    Json related = Json::array();
    for (int p = 0; p < pageCount && pageCount > 1; ++p) related.push_back(PageFileName(options.jsonName, p, pageCount));

    std::vector<uint8_t> pixels, png;
    for (int p = 0; p < pageCount; ++p) {
        const AtlasPage& page = layout.pages[size_t(p)];
        pixels.assign(size_t(page.width) * size_t(page.height), 0);
        Json frameList = options.array ? Json::array() : Json::object();
        Json animations = Json::object();
        for (const Frame& f : frames) {
            if (f.page != p) continue;
            const Sprite& sprite = inputs[f.input].set->sprites[f.index];
            Blit(f, sprite, options.extrude, pixels, page.width);
            if (options.array)
                frameList.push_back(FrameJson(f, sprite, options));
            else
                frameList[f.name] = FrameJson(f, sprite, options);
            animations[inputs[f.input].name].push_back(f.name);
        }
        const std::string imageName = PageFileName(options.imageName, p, pageCount);
        if (!EncodeIndexedPng(pixels.data(), page.width, page.height, palette.palette, &png, &result.error)) {
            Refuse(&result, imageName + ": " + result.error);
            return result;
        }
        if (!Put(sink, imageName, png, &result)) return result;

        Json meta = {
            {"app", "quillon-cli"},
            {"version", std::to_string(kAtlasJsonVersion)},
            {"image", imageName},
            {"format", "I8"},
            {"size", {{"w", page.width}, {"h", page.height}}},
            {"scale", "1"},
        };
        if (pageCount > 1) {
            Json others = Json::array();
            for (const Json& name : related)
                if (name != PageFileName(options.jsonName, p, pageCount)) others.push_back(name);
            meta["related_multi_packs"] = std::move(others);
        }
        meta["quillon"] = {
            {"format", "quillon-atlas"},
            {"version", kAtlasJsonVersion},
            {"page", p},
            {"pages", pageCount},
            {"palette", palette.origin},
            {"inputs", inputsMeta},
        };
        const Json document = {{"frames", std::move(frameList)}, {"animations", std::move(animations)}, {"meta", std::move(meta)}};
        if (!PutJson(sink, PageFileName(options.jsonName, p, pageCount), document, &result)) return result;
    }
    return result;
}
