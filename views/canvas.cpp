#include "views/canvas.h"

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
