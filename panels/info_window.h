// The information window: the right-hand pane of the upper work area, a tab control with three
// pages ("Sprite Info", "Edit Mode", "Tree Management"), each showing one panel.
#pragma once

#include "platform/win32.h"

class InfoChildWindow {
public:
    HWND window = nullptr;
    HWND parent = nullptr;
    HWND tabControl = nullptr;
    HINSTANCE instance = nullptr;
    char className[20] = "";

    // Registers the class (once), creates the window and its tab control with the three tabs.
    // 1, or 0 when the window or the tab control cannot be made.
    int Create(HWND parent);
};
