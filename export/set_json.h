// The sprite set as JSON: the document `info --json` prints and `export` writes as sprites.json.
// The schema is described, field by field, in cli/sprites-json.md; kSetJsonVersion grows with
// every change that a reader could notice.
#pragma once

#include <nlohmann/json.hpp>

#include <string>

#include "sprite/sprite_set.h"

// Keys keep the order they are written in, so the files read in a sensible order.
using Json = nlohmann::ordered_json;

constexpr const char* kSetJsonFormat = "quillon-sprites";
constexpr int kSetJsonVersion = 1;

// A box list as [{"x1", "y1", "x2", "y2"}, …] (inclusive, sprite-local).
Json BoxesJson(const BoxRect* boxes, int count);

// One sprite's fields: index, width, height, rx, ry, mx, my, compressed, imageSize, hitBoxes,
// attackBoxes.
Json SpriteJson(const Sprite& sprite, int index);

// The whole document without the export's image names: format, version, source, fileVersion,
// actionCount, count, sprites.
Json SetJson(const SpriteSet& set, const std::string& source);

// Text of a document: two-space indents, invalid UTF-8 (a path in another encoding) replaced.
std::string JsonText(const Json& document);
