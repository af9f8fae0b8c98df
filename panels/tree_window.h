// The tree-management panel: the panel of the information window's "Tree Management" page, an
// empty framed area.
#pragma once

#include "platform/win32.h"

class TreeWin {
public:
    HWND window = nullptr;
    HWND parent = nullptr;  // the information window
    HINSTANCE instance = nullptr;
    HBRUSH background = nullptr;
    char className[20] = "";
    int visible = 1;

    TreeWin();
    TreeWin(const TreeWin&) = delete;
    TreeWin& operator=(const TreeWin&) = delete;

    // Registers the class (once) and creates the panel under `parent`. 1, or 0 after showing why.
    int Create(HWND parent);
    // 0 hides, 1 shows, other values change nothing on screen; the flag is kept in every case.
    void Show(int flag);
    // While visible: moves the panel to the information window's panel rectangle.
    void Place();
};

extern TreeWin g_tree;  // the "Tree Management" page's panel
