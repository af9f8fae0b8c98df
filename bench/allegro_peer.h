// The Allegro 4 contender: 8-bit memory bitmaps (mask color 0), drawn with draw_sprite, and RLE
// sprites made by get_rle_sprite, drawn with draw_rle_sprite, onto one 640 x 480 page bitmap.
// Allegro's headers define BITMAP, RGB and TRUE, so they stay inside allegro_peer.cpp.
#pragma once

#include <cstdint>
#include <memory>

#include "bench/workload.h"

class AllegroPeer {
public:
    explicit AllegroPeer(const SpriteSetImages& set);
    ~AllegroPeer();
    AllegroPeer(const AllegroPeer&) = delete;
    AllegroPeer& operator=(const AllegroPeer&) = delete;

    void DrawSprite(int sprite, int x, int y);
    void DrawRleSprite(int sprite, int x, int y);
    // Builds the RLE sprite of one bitmap and releases it again.
    void EncodeAndRelease(int sprite);

    void SetPage(const uint8_t* pixels);
    void GetPage(uint8_t* pixels) const;

private:
    struct Bitmaps;
    std::unique_ptr<Bitmaps> b_;
};
