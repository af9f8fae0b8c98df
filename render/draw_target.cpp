#include "render/draw_target.h"

DrawTarget g_drawTarget = {};

int SetDrawTarget(int width, int height, int pitch)
{
    g_drawTarget.width = width;
    g_drawTarget.height = height;
    g_drawTarget.pitch = pitch;
    SetClipRect(0, 0, width - 1, height - 1);
    return 1;
}

void SetClipRect(int x1, int y1, int x2, int y2)
{
    g_drawTarget.clipX1 = x1;
    g_drawTarget.clipY1 = y1;
    g_drawTarget.clipX2 = x2;
    g_drawTarget.clipY2 = y2;
}
