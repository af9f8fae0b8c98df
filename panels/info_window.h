// The information window: the right-hand pane of the upper work area, a tab control with three
// pages ("Sprite Info", "Edit Mode", "Tree Management"), each showing one panel. Switching pages
// also takes the canvas into and out of its edit mode.
#pragma once

#include "platform/win32.h"

// The pages, in their order in the tab control.
constexpr int kSpriteInfoPage = 0;
constexpr int kEditModePage = 1;
constexpr int kTreePage = 2;

class InfoChildWindow {
public:
    HWND window = nullptr;
    HWND parent = nullptr;
    HWND tabControl = nullptr;
    HINSTANCE instance = nullptr;
    char className[20] = "";

    // Registers the class (once), creates the window with its three panels, and its tab control
    // with the three tabs. 1, or 0 when the window or the tab control cannot be made.
    int Create(HWND parent);

    // Handlers of its window procedure.
    void OnCreate(HWND window);
    void OnSize();
    // Shows the page the tab control has selected now, with its panel and the canvas's mode.
    void OnPageChanged();
};

// Selects `page` of the information window as a click on its tab would, and ends the canvas's
// adjust-view mode.
void SelectInfoTab(int page);

extern InfoChildWindow g_infoChild;
