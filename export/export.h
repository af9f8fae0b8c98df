// Exporting sprite sets for a game engine: each sprite as an indexed PNG plus sprites.json, or
// sprites of one or more sets packed into atlas pages, each page a PNG plus a JSON in the
// texture-atlas "hash" or "array" layout that engines load (described in cli/sprites-json.md).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "export/atlas.h"
#include "export/frame_names.h"
#include "export/palette_source.h"
#include "sprite/sprite_set.h"

// Receives each finished output file by name (no folder). False with a text stops the export.
using OutputSink = std::function<bool(const std::string& name, const std::vector<uint8_t>& bytes, std::string* error)>;

struct ExportResult {
    bool ok = true;
    std::string error;                  // UTF-8, when !ok
    std::vector<std::string> warnings;  // things the user should know; the export went on
    int files = 0;
};

constexpr const char* kSpritesJsonName = "sprites.json";
constexpr const char* kSpriteNamePattern = "sprite_%05d";
constexpr const char* kAtlasImageName = "atlas.png";
constexpr const char* kAtlasJsonName = "atlas.json";
constexpr int kAtlasJsonVersion = 2;

// The sprite's pixels as width x height palette indices, top row first, whether its image is
// stored raw or compressed.
std::vector<uint8_t> SpritePixels(const Sprite& sprite);

// The smallest rectangle holding every pixel that is not index 0, in `width` x `height` pixels;
// a picture of nothing but index 0 gives its top-left pixel.
PixelRect OpaqueBounds(const std::vector<uint8_t>& pixels, int width, int height);

// NAME.png for each sprite (names from `pattern`, the input named `input`), then sprites.json
// under `jsonName`. `source` names the sprite file in the JSON.
ExportResult ExportSprites(const SpriteSet& set, const std::string& source, const PaletteSource& palette,
                           const OutputSink& sink, const std::string& pattern = kSpriteNamePattern,
                           const std::string& input = "", const std::string& jsonName = kSpritesJsonName);

// One sprite set going into an atlas.
struct AtlasInput {
    std::string source;  // the path as given, for the JSON
    std::string name;    // for frame names and the animation (InputName of the path)
    const SpriteSet* set;
};

struct AtlasOptions {
    bool array = false;                        // the "array" layout; otherwise "hash"
    std::string pattern = kDefaultNamePattern;
    int fps = 0;                               // frame durations of 1000 / fps ms; 0 for none
    bool trim = false;                         // frames cut to their pixels that are not index 0
    int extrude = 0;                           // edge pixels repeated around each frame
    PackOptions pack;
    std::string imageName = kAtlasImageName;   // pages of several: atlas-0.png, atlas-1.png, …
    std::string jsonName = kAtlasJsonName;
};

// "atlas.png" for a single page; "atlas-K.png" for page K of several.
std::string PageFileName(const std::string& name, int page, int pages);

// Each page's PNG, then its JSON.
ExportResult ExportAtlas(const std::vector<AtlasInput>& inputs, const PaletteSource& palette,
                         const AtlasOptions& options, const OutputSink& sink);
