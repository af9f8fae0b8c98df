#include "app/status_bar.h"

#include <string>
#include <utility>

#include <commctrl.h>

#include "app/clock.h"
#include "app/globals.h"
#include "app/text.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kStatusBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CCS_BOTTOM;
constexpr const char kReady[] = "Ready";

// What the paced setter knows of the bar: the last text it set, whether the bar holds a text it
// has not painted, and when it last repainted.
struct PacedStatus {
    std::wstring text;
    bool held = false;
    DWORD lastRepaint = 0;
};
PacedStatus g_paced;

void RepaintStatusBar(DWORD now)
{
    InvalidateRect(g_statusBar, nullptr, FALSE);
    UpdateWindow(g_statusBar);
    g_paced.held = false;
    g_paced.lastRepaint = now;
}

}  // namespace

HWND CreateStatusBar(HWND mainWindow)
{
    HWND bar = CreateStatusWindowA(kStatusBarStyle, "", mainWindow, IDC_STATUS_BAR);
    g_paced = PacedStatus();
    g_paced.text = WideFromText(kReady);
    if (bar != nullptr) SendMessageW(bar, SB_SETTEXTW, 0, LPARAM(g_paced.text.c_str()));
    return bar;
}

void SetStatusText(const char* text)
{
    if (g_statusBar == nullptr) return;
    g_paced.text = WideFromText(text);
    SendMessageW(g_statusBar, SB_SETTEXTW, 0, LPARAM(g_paced.text.c_str()));
    // The bar repaints only a changed text; one it holds unshown may be this very text.
    if (g_paced.held) ShowHeldStatusText();
}

void SetStatusTextPaced(const char* text)
{
    if (g_statusBar == nullptr) return;
    const DWORD now = g_clock();
    const bool due = now - g_paced.lastRepaint >= kStatusRepaintPace;
    std::wstring wide = WideFromText(text);
    if (wide != g_paced.text) {
        g_paced.text = std::move(wide);
        // With redrawing off the bar takes the text without painting it.
        SendMessageW(g_statusBar, WM_SETREDRAW, FALSE, 0);
        SendMessageW(g_statusBar, SB_SETTEXTW, 0, LPARAM(g_paced.text.c_str()));
        SendMessageW(g_statusBar, WM_SETREDRAW, TRUE, 0);
        g_paced.held = true;
    }
    if (g_paced.held && due) RepaintStatusBar(now);
}

void ShowHeldStatusText()
{
    if (g_statusBar == nullptr || !g_paced.held) return;
    InvalidateRect(g_statusBar, nullptr, FALSE);
    g_paced.held = false;
}
