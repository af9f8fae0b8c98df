#include "views/cut_step.h"

#include "app/document.h"
#include "app/options.h"
#include "app/picture.h"

int CutSprite(HWND owner, int x1, int y1, int x2, int y2)
{
    const CutOptions options{g_options.compressSprites != 0, g_options.autoHitBox != 0,
                             g_options.autoAtckBox != 0};
    if (g_document.Cut(g_picture, PixelRect{x1, y1, x2, y2}, options)) return 1;
    workSet.ShowMessage(owner);
    return 0;
}
