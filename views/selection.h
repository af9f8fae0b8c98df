// The selection strip: every sprite of the set as a numbered thumbnail in one horizontal strip,
// in the lower pane of the work window. Clicking a thumbnail makes it the current sprite,
// dragging one onto another moves it there, and the strip zooms from 0.25 to 3.0.
#pragma once

#include "platform/win32.h"

class SelChildWindow {
public:
    HWND window = nullptr;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    HBRUSH background = nullptr;
    char className[20] = "";
    HCURSOR arrowCursor = nullptr;
    HCURSOR handCursor = nullptr;    // over a thumbnail
    HCURSOR dropCursor = nullptr;    // dragging over another thumbnail
    HCURSOR noDropCursor = nullptr;  // dragging over no place to drop
    int scrollPos = 0;               // horizontal scroll position, in steps of 10 pixels
    int scrollMax = 0;
    int stripWidth = 0;  // the whole strip, pixels
    int stripLeft = 0;   // window x where the strip begins (0 or negative)
    float scale = 1.0f;  // thumbnail magnification, 0.25 to 3.0 in steps of 0.25
    int gap = 15;        // space on each side of a thumbnail
    int top = 20;        // window y of the thumbnails' top edge; the labels use the row above
    int dragging = 0;

    SelChildWindow();
    ~SelChildWindow();
    SelChildWindow(const SelChildWindow&) = delete;
    SelChildWindow& operator=(const SelChildWindow&) = delete;

    // Registers the class (once) and creates the strip as a child of `parent`. 1, or 0 when the
    // window cannot be made.
    int Create(HWND parent);
};
