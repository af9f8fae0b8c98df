// The benchmark workload: two sets of sprites (shaped and noisy), the places they are drawn on a
// game-screen page, and the picture sheet drawn whole. Built once, shared by every contender, so
// each draws exactly the same pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kSpriteSide = 128;         // sprites are kSpriteSide x kSpriteSide
constexpr int kSpriteCount = 16;         // sprites in a set, and places on the page
constexpr int kPageWidth = 640;          // the animation page, a game screen
constexpr int kPageHeight = 480;
constexpr int kPagePitch = kPageWidth;   // already a multiple of 4
constexpr int kSheetSide = 4096;         // the picture sheet, drawn whole onto a page of its size
constexpr double kTransparentShare = 0.4;

struct Place {
    int x;
    int y;
};

// Sprite k of a set is always drawn at place k; every place keeps the sprite inside the page.
extern const Place kPlaces[kSpriteCount];

struct SpriteSetImages {
    const char* name;                             // "shaped" or "noisy"
    std::vector<std::vector<uint8_t>> raw;        // kSpriteCount raw images, 0 transparent
    std::vector<std::vector<uint8_t>> compressed; // the same images in our run-length form
    double transparentShare;                      // measured over the whole set
};

struct Workload {
    SpriteSetImages shaped;  // an opaque blob in transparent surroundings, like cut sprites
    SpriteSetImages noisy;   // each pixel transparent by chance, the worst case for runs
    std::vector<uint8_t> sheet;  // kSheetSide x kSheetSide, no transparent pixel
};

// The one workload of the run (made on first use; compresses with our CompressImage).
const Workload& GetWorkload();

// The page every contender starts the check from: a pattern that shows any pixel drawn wrongly.
void FillCheckBackground(uint8_t* page, int width, int height, int pitch);
