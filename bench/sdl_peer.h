// The SDL2 contender: 8-bit software surfaces sharing one palette, color key 0, drawn with
// SDL_BlitSurface onto one 640 x 480 page surface. SDL types stay inside sdl_peer.cpp.
#pragma once

#include <cstdint>
#include <memory>

#include "bench/workload.h"

class SdlPeer {
public:
    // Surfaces for every sprite of the set: a color-key copy, an RLE copy (encoded by one blit
    // here), and a surface over the set's own pixels whose encoding is redone by EncodeAndDraw.
    explicit SdlPeer(const SpriteSetImages& set);
    ~SdlPeer();
    SdlPeer(const SdlPeer&) = delete;
    SdlPeer& operator=(const SdlPeer&) = delete;

    void DrawKeyed(int sprite, int x, int y);
    void DrawRle(int sprite, int x, int y);
    // Asks for RLE again (SDL_SetSurfaceRLE off and on), so the next blit encodes the surface
    // anew, then blits it: the cost of SDL's encoding plus one RLE blit.
    void EncodeAndDraw(int sprite, int x, int y);
    // Blits the surface EncodeAndDraw works on as it stands (already encoded): what to take
    // away from EncodeAndDraw to leave the encoding alone.
    void DrawEncoded(int sprite, int x, int y);

    // The page, row by row, to and from a buffer of kPageWidth x kPageHeight bytes.
    void SetPage(const uint8_t* pixels);
    void GetPage(uint8_t* pixels) const;

private:
    struct Surfaces;
    std::unique_ptr<Surfaces> s_;
};
