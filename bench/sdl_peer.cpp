// SDL2's software blitters on the workload. No SDL_Init: software surfaces need no subsystem.
#define SDL_MAIN_HANDLED
#include "bench/sdl_peer.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void Fail(const char* what)
{
    std::fprintf(stderr, "bench: SDL: %s: %s\n", what, SDL_GetError());
    std::exit(1);
}

SDL_Surface* MakeSurface(int width, int height, SDL_Palette* palette)
{
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 8, SDL_PIXELFORMAT_INDEX8);
    if (s == nullptr) Fail("SDL_CreateRGBSurfaceWithFormat");
    // One palette for sprites and page: SDL then copies indices as they are (an identity map).
    if (SDL_SetSurfacePalette(s, palette) != 0) Fail("SDL_SetSurfacePalette");
    return s;
}

void CopyIn(SDL_Surface* s, const uint8_t* pixels)
{
    for (int y = 0; y < s->h; ++y)
        std::memcpy(static_cast<uint8_t*>(s->pixels) + size_t(y) * s->pitch, pixels + size_t(y) * s->w, size_t(s->w));
}

void KeyOnZero(SDL_Surface* s)
{
    if (SDL_SetColorKey(s, SDL_TRUE, 0) != 0) Fail("SDL_SetColorKey");
}

void Blit(SDL_Surface* sprite, SDL_Surface* page, int x, int y)
{
    SDL_Rect at{x, y, kSpriteSide, kSpriteSide};
    if (SDL_BlitSurface(sprite, nullptr, page, &at) != 0) Fail("SDL_BlitSurface");
}

}  // namespace

struct SdlPeer::Surfaces {
    SDL_Palette* palette = nullptr;
    SDL_Surface* page = nullptr;
    std::vector<SDL_Surface*> keyed, rle, encoded;
};

SdlPeer::SdlPeer(const SpriteSetImages& set) : s_(new Surfaces)
{
    s_->palette = SDL_AllocPalette(256);
    if (s_->palette == nullptr) Fail("SDL_AllocPalette");
    SDL_Color colors[256];
    for (int i = 0; i < 256; ++i) colors[i] = {uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 255};
    SDL_SetPaletteColors(s_->palette, colors, 0, 256);
    s_->page = MakeSurface(kPageWidth, kPageHeight, s_->palette);

    for (const std::vector<uint8_t>& raw : set.raw) {
        SDL_Surface* keyed = MakeSurface(kSpriteSide, kSpriteSide, s_->palette);
        CopyIn(keyed, raw.data());
        KeyOnZero(keyed);
        s_->keyed.push_back(keyed);

        SDL_Surface* rle = MakeSurface(kSpriteSide, kSpriteSide, s_->palette);
        CopyIn(rle, raw.data());
        KeyOnZero(rle);
        if (SDL_SetSurfaceRLE(rle, 1) != 0) Fail("SDL_SetSurfaceRLE");
        s_->rle.push_back(rle);

        // Over the set's own pixels (SDL_PREALLOC): encoding then neither frees nor restores them.
        SDL_Surface* encoded = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(raw.data()), kSpriteSide,
                                                                  kSpriteSide, 8, kSpriteSide, SDL_PIXELFORMAT_INDEX8);
        if (encoded == nullptr) Fail("SDL_CreateRGBSurfaceWithFormatFrom");
        if (SDL_SetSurfacePalette(encoded, s_->palette) != 0) Fail("SDL_SetSurfacePalette");
        KeyOnZero(encoded);
        if (SDL_SetSurfaceRLE(encoded, 1) != 0) Fail("SDL_SetSurfaceRLE");
        s_->encoded.push_back(encoded);
    }
    // The first blit of each surface sets up its blit map (and encodes the RLE ones).
    for (int k = 0; k < kSpriteCount; ++k) {
        Blit(s_->keyed[size_t(k)], s_->page, kPlaces[k].x, kPlaces[k].y);
        Blit(s_->rle[size_t(k)], s_->page, kPlaces[k].x, kPlaces[k].y);
        Blit(s_->encoded[size_t(k)], s_->page, kPlaces[k].x, kPlaces[k].y);
        if (!SDL_HasSurfaceRLE(s_->rle[size_t(k)])) Fail("the RLE surface was not encoded");
    }
}

SdlPeer::~SdlPeer()
{
    for (auto* list : {&s_->keyed, &s_->rle, &s_->encoded})
        for (SDL_Surface* s : *list) SDL_FreeSurface(s);
    SDL_FreeSurface(s_->page);
    SDL_FreePalette(s_->palette);
}

void SdlPeer::DrawKeyed(int sprite, int x, int y) { Blit(s_->keyed[size_t(sprite)], s_->page, x, y); }

void SdlPeer::DrawRle(int sprite, int x, int y) { Blit(s_->rle[size_t(sprite)], s_->page, x, y); }

void SdlPeer::EncodeAndDraw(int sprite, int x, int y)
{
    SDL_Surface* s = s_->encoded[size_t(sprite)];
    SDL_SetSurfaceRLE(s, 0);
    SDL_SetSurfaceRLE(s, 1);
    Blit(s, s_->page, x, y);
}

void SdlPeer::DrawEncoded(int sprite, int x, int y) { Blit(s_->encoded[size_t(sprite)], s_->page, x, y); }

void SdlPeer::SetPage(const uint8_t* pixels) { CopyIn(s_->page, pixels); }

void SdlPeer::GetPage(uint8_t* pixels) const
{
    const SDL_Surface* page = s_->page;
    for (int y = 0; y < page->h; ++y)
        std::memcpy(pixels + size_t(y) * page->w, static_cast<const uint8_t*>(page->pixels) + size_t(y) * page->pitch,
                    size_t(page->w));
}
