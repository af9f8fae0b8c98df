#include "app/status_bar.h"

#include <commctrl.h>

#include "app/globals.h"
#include "app/text.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_BOTTOM;
constexpr const char kReady[] = "Ready";

}  // namespace

HWND CreateStatusBar(HWND mainWindow)
{
    HWND bar = CreateStatusWindowA(kStatusBarStyle, "", mainWindow, IDC_STATUS_BAR);
    if (bar != nullptr) SendMessageW(bar, SB_SETTEXTW, 0, LPARAM(WideFromText(kReady).c_str()));
    return bar;
}

void SetStatusText(const char* text)
{
    if (g_statusBar != nullptr)
        SendMessageW(g_statusBar, SB_SETTEXTW, 0, LPARAM(WideFromText(text).c_str()));
}
