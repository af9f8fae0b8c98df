#include "app/status_bar.h"

#include "app/globals.h"

#include <commctrl.h>

#include "app/text.h"

void SetStatusText(const char* text)
{
    if (g_statusBar == nullptr) return;
    SendMessageW(g_statusBar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(WideFromText(text).c_str()));
}
