#include "views/cut_step.h"

#include <vector>

#include "app/document.h"
#include "app/options.h"
#include "app/picture.h"
#include "image/regions.h"
#include "kit/show_info.h"

namespace {

CutOptions CreationOptions()
{
    return CutOptions{g_options.compressSprites != 0, g_options.autoHitBox != 0, g_options.autoAtckBox != 0};
}

}  // namespace

int CutSprite(HWND owner, int x1, int y1, int x2, int y2)
{
    if (g_document.Cut(g_picture, PixelRect{x1, y1, x2, y2}, CreationOptions())) return 1;
    workSet.ShowMessage(owner);
    return 0;
}

int CutFigures(HWND owner, const PixelRect* area)
{
    if (pictureSet.sprites == nullptr) {
        ShowInfo(owner, "비트맵 파일을 먼저 읽으세요");
        return 0;
    }
    if (g_picture.info == nullptr || g_picture.info->biBitCount != 8) {
        ShowInfo(owner, "스프라이트는 8비트(256색) 그림에서만 자를 수 있습니다");
        return 0;
    }
    const std::vector<PixelRect> figures = FindFigures(g_picture, area, kCutAllGap);
    if (figures.empty()) {
        ShowInfo(owner, area != nullptr ? "사각형 안에 잘라낼 그림이 없습니다" : "잘라낼 그림이 없습니다");
        return 0;
    }
    if (g_document.CutAll(g_picture, figures, CreationOptions())) return 1;
    workSet.ShowMessage(owner);
    return 0;
}
