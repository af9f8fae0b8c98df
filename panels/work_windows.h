// The work area between the toolbar and the status bar: the work window, split by a horizontal
// bar into an upper pane (the canvas and the information window, split by a vertical bar) and a
// lower pane (the "Zoom In", "Zoom Out" and "Delete" buttons beside the selection strip).
#pragma once

#include "platform/win32.h"

// Commands of the lower pane: its buttons' identifiers; the View menu's "Zoom select window"
// items send the first two.
constexpr int kStripZoomIn = 1;
constexpr int kStripZoomOut = 2;
constexpr int kDeleteSprites = 3;

// The selection strip's zoom range and step.
constexpr float kStripScaleMin = 0.25f;
constexpr float kStripScaleMax = 3.0f;
constexpr float kStripScaleStep = 0.25f;

class WorkWindow {
public:
    HWND window = nullptr;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    char className[20] = "WorkWindow";

    // Creates the work window over the whole client area of `parent` (the main window), and with
    // it every pane below. 1, or 0 after showing why not.
    int Create(HWND parent);
    // 0 hides, 1 shows, other values change nothing.
    void Show(int flag);
};

class SubWork1Window {
public:
    HWND window = nullptr;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    char className[20] = "SubWork1Window";

    // The upper pane over the top half of `parent` (the work window). 1, or 0.
    int Create(HWND parent);
    void Show(int flag);
};

class SubWork2Window {
public:
    HWND window = nullptr;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    HBRUSH background = nullptr;
    char className[20] = "SubWork2Window";
    HWND zoomInButton = nullptr;
    HWND zoomOutButton = nullptr;
    HWND deleteButton = nullptr;

    SubWork2Window();
    SubWork2Window(const SubWork2Window&) = delete;
    SubWork2Window& operator=(const SubWork2Window&) = delete;

    // The lower pane over the bottom half of `parent` (the work window). 1, or 0.
    int Create(HWND parent);
    void Show(int flag);

    // Handlers of its window procedure. OnCreate attaches the object at once, so the WM_SIZE that
    // creation sends right after already places the buttons and the strip.
    void OnCreate(HWND window);
    void OnSize(int width, int height);
    void OnCommand(int command);
};

// Shows (1) or hides (0) a pane; other values change nothing.
extern WorkWindow g_work;          // the area between the toolbar and the status bar
extern SubWork1Window g_subWork1;  // its upper pane: canvas and information window
extern SubWork2Window g_subWork2;  // its lower pane: buttons and selection strip

void ShowPane(HWND pane, int flag);
