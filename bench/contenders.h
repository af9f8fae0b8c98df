// Everyone who draws one sprite set: our page (drawn by the program's routines) and the two
// peers' pages, each with its own copy of the sprites. Made once per set, on first use.
#pragma once

#include <cstdint>
#include <vector>

#include "bench/allegro_peer.h"
#include "bench/sdl_peer.h"
#include "bench/workload.h"

enum class SetKind { kShaped, kNoisy };

struct Contenders {
    explicit Contenders(const SpriteSetImages& images);
    // Makes our page the DrawTarget of the sprite routines (the whole page, unclipped).
    void TargetOurPage();

    const SpriteSetImages& set;
    std::vector<uint8_t> page;  // ours: kPageWidth x kPageHeight, pitch kPagePitch
    SdlPeer sdl;
    AllegroPeer allegro;
};

Contenders& GetContenders(SetKind kind);
