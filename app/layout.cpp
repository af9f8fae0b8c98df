#include "app/layout.h"

#include <commctrl.h>

#include "app/frame_rate_box.h"
#include "app/toolbar.h"
#include "kit/status_bar.h"
#include "panels/work_windows.h"

namespace {

int WindowHeight(HWND window)
{
    RECT rect = {0, 0, 0, 0};
    if (window != nullptr) GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

}  // namespace

void LayoutMainWindow(HWND mainWindow)
{
    RECT client;
    GetClientRect(mainWindow, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    // The toolbar wraps its buttons into rows for the width it has when asked, and only then
    // takes the new width: asked once more, its height fits the new width's rows.
    if (g_toolbar != nullptr) {
        SendMessageA(g_toolbar, TB_AUTOSIZE, 0, 0);
        SendMessageA(g_toolbar, TB_AUTOSIZE, 0, 0);
    }
    if (g_fpsCombo != nullptr)
        MoveWindow(g_fpsCombo, kFrameRateBoxX, kFrameRateBoxY, kFrameRateBoxWidth,
                   kFrameRateBoxHeight, TRUE);
    const int statusHeight = WindowHeight(g_statusBar);
    if (g_statusBar != nullptr)
        MoveWindow(g_statusBar, client.left, height - statusHeight, width, statusHeight, TRUE);
    const int toolbarHeight = WindowHeight(g_toolbar);
    if (g_work.window != nullptr)
        MoveWindow(g_work.window, client.left, toolbarHeight, width,
                   height - toolbarHeight - statusHeight, TRUE);
}
