// Shared by the information window's and the delete dialog's tests: a set of numbered sprites
// and the page the information window shows.
#pragma once

#include <vector>

#include <commctrl.h>

#include "panels/info_window.h"
#include "tests/gui/document_helpers.h"

// `count` raw sprites, sprite i being i + 1 pixels wide, so Widths() names the sprites left.
inline void MakeNumberedSprites(int count, int current)
{
    std::vector<SpriteSize> sizes;
    for (int i = 0; i < count; ++i) sizes.push_back({i + 1, 2});
    OpenDocument(sizes, current);
}

inline std::vector<int> WidthsFromTo(int first, int last)
{
    std::vector<int> widths;
    for (int w = first; w <= last; ++w) widths.push_back(w);
    return widths;
}

inline int CurrentInfoPage()
{
    return int(SendMessageA(g_infoChild.tabControl, TCM_GETCURSEL, 0, 0));
}

// Clicks the tab of `page` as the user would.
inline void ClickInfoTab(int page)
{
    RECT tab = {0, 0, 0, 0};
    SendMessageA(g_infoChild.tabControl, TCM_GETITEMRECT, WPARAM(page),
                 reinterpret_cast<LPARAM>(&tab));
    const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    SendMessageA(g_infoChild.tabControl, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(g_infoChild.tabControl, WM_LBUTTONUP, 0, at);
}
