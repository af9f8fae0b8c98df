// Exporting a sprite set for a game engine: each sprite as an indexed PNG plus sprites.json, or
// one packed atlas PNG plus a JSON in the texture-atlas "JSON array" layout.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "cli/input_files.h"
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
constexpr const char* kAtlasImageName = "atlas.png";
constexpr const char* kAtlasJsonName = "atlas.json";
constexpr int kAtlasPadding = 1;

// "sprite_00042": the name of sprite 42's image, without the extension.
std::string SpriteImageStem(int index);

// The sprite's pixels as width x height palette indices, top row first, whether its image is
// stored raw or compressed.
std::vector<uint8_t> SpritePixels(const Sprite& sprite);

// sprite_NNNNN.png for each sprite, then sprites.json. `source` names the sprite file in the JSON.
ExportResult ExportSprites(const SpriteSet& set, const std::string& source, const PaletteSource& palette,
                           const OutputSink& sink);

// atlas.png and atlas.json.
ExportResult ExportAtlas(const SpriteSet& set, const std::string& source, const PaletteSource& palette,
                         const OutputSink& sink);
