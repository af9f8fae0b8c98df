// The sprite information panel: the panel of the information window's "Sprite Info" page. It
// paints a summary of the sprite set and of the current sprite and takes no input; whatever
// changes the set or the current sprite invalidates it.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"
#include "sprite/document.h"

class SprInfoWindow {
public:
    HWND window = nullptr;
    HWND parent = nullptr;  // the information window
    HINSTANCE instance = nullptr;
    HBRUSH background = nullptr;
    char className[20] = "";
    int visible = 1;

    SprInfoWindow();
    SprInfoWindow(const SprInfoWindow&) = delete;
    SprInfoWindow& operator=(const SprInfoWindow&) = delete;

    // Registers the class (once) and creates the panel under `parent`. 1, or 0 after showing why.
    int Create(HWND parent);
    // 0 hides, 1 shows, other values change nothing on screen; the flag is kept in every case.
    void Show(int flag);
    // While visible: moves the panel to the information window's panel rectangle.
    void Place();
    void Paint();
    // Repaints for a change of the set, the current sprite or its boxes or image.
    void OnDocumentChanged(const DocumentChange& change);
    // Repaints for a new picture or palette.
    void Refresh();
};

// One painted line: its text (code page 949), its top in client coordinates and its color.
struct InfoLine {
    int y;
    COLORREF color;
    std::string text;
};

// The lines the panel shows for the sprite set and the current sprite as they are now: the two
// lines about the set always, the five about the current sprite only while it exists.
std::vector<InfoLine> SpriteInfoLines();

extern SprInfoWindow g_sprInfo;  // the "Sprite Info" page's panel
