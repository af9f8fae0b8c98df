#include "kit/status_bar.h"

#include <string>
#include <utility>

#include <commctrl.h>

#include "kit/clock.h"

#include "kit/text.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_BOTTOM;
constexpr const char kReady[] = "Ready";

// A text the paced setter holds back from the bar, and when the bar last took one from it.
struct PacedStatus {
    std::string held;
    bool holding = false;
    DWORD lastShown = 0;
};
PacedStatus g_paced;

}  // namespace

HWND CreateStatusBar(HWND mainWindow)
{
    HWND bar = CreateStatusWindowA(kStatusBarStyle, "", mainWindow, IDC_STATUS_BAR);
    g_paced = PacedStatus();
    if (bar != nullptr) SendMessageW(bar, SB_SETTEXTW, 0, LPARAM(WideFromText(kReady).c_str()));
    return bar;
}

void SetStatusText(const char* text)
{
    if (g_statusBar == nullptr) return;
    g_paced.holding = false;  // a newer text than the one held back
    SendMessageW(g_statusBar, SB_SETTEXTW, 0, LPARAM(WideFromText(text).c_str()));
}

void SetStatusTextPaced(const char* text)
{
    if (g_statusBar == nullptr) return;
    const DWORD now = g_clock();
    if (now - g_paced.lastShown >= kStatusRepaintPace) {
        SetStatusText(text);
        g_paced.lastShown = now;
    } else {
        g_paced.held = text;
        g_paced.holding = true;
    }
}

void ShowHeldStatusText()
{
    if (g_statusBar == nullptr || !g_paced.holding) return;
    const std::string text = std::move(g_paced.held);
    SetStatusText(text.c_str());
    g_paced.lastShown = g_clock();
}

DWORD HeldStatusTextDueIn()
{
    if (g_statusBar == nullptr || !g_paced.holding) return INFINITE;
    const DWORD since = g_clock() - g_paced.lastShown;
    return since >= kStatusRepaintPace ? 0 : kStatusRepaintPace - since;
}
