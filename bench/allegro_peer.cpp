// Allegro 4's memory-bitmap sprite routines on the workload, with no system driver installed.
#include "bench/allegro_peer.h"

#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void Fail(const char* what)
{
    std::fprintf(stderr, "bench: Allegro: %s failed\n", what);
    std::exit(1);
}

void InstallOnce()
{
    static const bool installed =
        install_allegro(SYSTEM_NONE, &errno, reinterpret_cast<int (*)(void (*)(void))>(atexit)) == 0;
    if (!installed) Fail("install_allegro");
}

BITMAP* MakeBitmap(int width, int height)
{
    BITMAP* b = create_bitmap_ex(8, width, height);
    if (b == nullptr) Fail("create_bitmap_ex");
    return b;
}

void CopyIn(BITMAP* b, const uint8_t* pixels)
{
    for (int y = 0; y < b->h; ++y) std::memcpy(b->line[y], pixels + size_t(y) * b->w, size_t(b->w));
}

}  // namespace

struct AllegroPeer::Bitmaps {
    BITMAP* page = nullptr;
    std::vector<BITMAP*> sprites;
    std::vector<RLE_SPRITE*> rle;
};

AllegroPeer::AllegroPeer(const SpriteSetImages& set) : b_(new Bitmaps)
{
    InstallOnce();
    b_->page = MakeBitmap(kPageWidth, kPageHeight);
    for (const std::vector<uint8_t>& raw : set.raw) {
        BITMAP* sprite = MakeBitmap(kSpriteSide, kSpriteSide);
        CopyIn(sprite, raw.data());  // index 0 is the mask color of 8-bit bitmaps
        b_->sprites.push_back(sprite);
        RLE_SPRITE* rle = get_rle_sprite(sprite);
        if (rle == nullptr) Fail("get_rle_sprite");
        b_->rle.push_back(rle);
    }
}

AllegroPeer::~AllegroPeer()
{
    for (RLE_SPRITE* r : b_->rle) destroy_rle_sprite(r);
    for (BITMAP* b : b_->sprites) destroy_bitmap(b);
    destroy_bitmap(b_->page);
}

void AllegroPeer::DrawSprite(int sprite, int x, int y) { draw_sprite(b_->page, b_->sprites[size_t(sprite)], x, y); }

void AllegroPeer::DrawRleSprite(int sprite, int x, int y) { draw_rle_sprite(b_->page, b_->rle[size_t(sprite)], x, y); }

void AllegroPeer::EncodeAndRelease(int sprite)
{
    RLE_SPRITE* rle = get_rle_sprite(b_->sprites[size_t(sprite)]);
    if (rle == nullptr) Fail("get_rle_sprite");
    destroy_rle_sprite(rle);
}

void AllegroPeer::SetPage(const uint8_t* pixels) { CopyIn(b_->page, pixels); }

void AllegroPeer::GetPage(uint8_t* pixels) const
{
    for (int y = 0; y < b_->page->h; ++y)
        std::memcpy(pixels + size_t(y) * b_->page->w, b_->page->line[y], size_t(b_->page->w));
}
