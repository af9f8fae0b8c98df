// What the information window's page panels (sprite information, tree management) have in
// common: one framed child window of the information window, shown only while its page is
// current, placed in the tab control's display area.
#pragma once

#include "platform/win32.h"

// The rectangle a page panel takes in `infoWindow`: its client rectangle as the display area of
// `tabControl` (left, top + 3, width right - 4, height bottom - 30 of that area).
struct PanelPlace {
    int x, y, width, height;
};
PanelPlace InfoPanelPlace(HWND infoWindow, HWND tabControl);

// Registers (once) and creates a page panel of the information window `parent`: a framed child
// window with `object` attached, 100 x 100 until it is placed. The window, or null after showing
// `createFailure`.
HWND CreateInfoPanel(HINSTANCE instance, HWND parent, const char* className, WNDPROC procedure,
                     HBRUSH background, const char* title, const char* createFailure, void* object);

// 0 hides `panel`, 1 shows it, other values change nothing; `visible` keeps the value always.
void ShowInfoPanel(HWND panel, int* visible, int flag);

// While `visible`, moves `panel` to its place in the information window.
void PlaceInfoPanel(HWND panel, int visible);
