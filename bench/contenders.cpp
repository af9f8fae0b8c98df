#include "bench/contenders.h"

#include "render/draw_target.h"

Contenders::Contenders(const SpriteSetImages& images)
    : set(images), page(size_t(kPagePitch) * kPageHeight), sdl(images), allegro(images)
{
}

void Contenders::TargetOurPage() { SetDrawTarget(kPageWidth, kPageHeight, kPagePitch); }

Contenders& GetContenders(SetKind kind)
{
    static Contenders shaped(GetWorkload().shaped);
    static Contenders noisy(GetWorkload().noisy);
    return kind == SetKind::kShaped ? shaped : noisy;
}
