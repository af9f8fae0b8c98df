#include "views/canvas.h"

#include "app/globals.h"

BmpChildWindow::BmpChildWindow()
{
    background = CreateSolidBrush(GetSysColor(COLOR_APPWORKSPACE));
}

BmpChildWindow::~BmpChildWindow()
{
    if (background != nullptr) DeleteObject(background);
}

void BmpChildWindow::AnimStep()
{
    // Frames are produced once playback can draw the animation page; until then the idle loop's
    // call finds nothing to do.
}

ShownPage BmpChildWindow::Shown()
{
    if (playing) return {&g_animPage, &animZoom, kMaxAnimZoom};
    if (editMode) return {&g_animPage, &editZoom, kMaxEditZoom};
    return {&g_bmpPage, &bmpZoom, kMaxBitmapZoom};
}
