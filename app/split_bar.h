// A split bar: a thin window that divides its parent into two panes, side by side (a vertical
// bar) or one above the other (a horizontal bar), and lets the user drag the division. Dragging
// draws a focus rectangle where the bar would go; the panes move when the button is released.
#pragma once

#include "platform/win32.h"

// Orientation of a bar.
constexpr int kSplitHorizontal = 1;  // panes one above the other
constexpr int kSplitVertical = 2;    // panes side by side

// Width of a vertical bar, height of a horizontal one, for both bars of the work area.
constexpr int kSplitBarThickness = 7;

class SplitBarWindow {
public:
    char className[32] = "SplitBarWindow";
    HWND window = nullptr;
    HWND parent = nullptr;
    HWND firstPane = nullptr;   // left (vertical bar) or top (horizontal bar)
    HWND secondPane = nullptr;  // right or bottom
    HINSTANCE instance = nullptr;
    HCURSOR cursor = nullptr;
    int orientation = 0;
    int position = 0;  // from the parent's left (vertical) or top (horizontal) client edge
    int thickness = 0;
    int visible = 0;
    int created = 0;
    int dragging = 0;
    int initialPosition = 0;
    int dragStart = 0;    // mouse coordinate along the axis when the drag began
    int dragCurrent = 0;  // the latest one, clamped
    int dragOffset = 0;   // dragCurrent - dragStart
    int firstLayout = 1;  // until the first resize has recorded the extents
    int totalExtent = 0;
    int firstExtent = 0;
    int secondExtent = 0;

    // The class is registered once in a run, for every bar.
    static int classRegistered;

    SplitBarWindow() = default;
    ~SplitBarWindow();
    SplitBarWindow(const SplitBarWindow&) = delete;
    SplitBarWindow& operator=(const SplitBarWindow&) = delete;

    // Creates the bar across `parent` at `initialPosition`. 1, or 0 after showing why not.
    int Create(HWND parent, HWND firstPane, HWND secondPane, int initialPosition, int thickness,
               int orientation);

    // Places both panes and the bar from the position; a bar with a hidden pane hides itself and
    // gives the visible pane the whole parent.
    void Layout();

    // After the parent changed size: moves the bar as `mode` says (kKeepFirstPane,
    // kKeepSecondPane, or the new position itself) and lays out.
    void ResizeLayout(int mode);

    // 1 shows the bar, anything else hides it; only once it is created.
    void Show(int flag);

    void SetPosition(int value);
    int FirstExtent() const { return firstExtent; }
    int SecondExtent() const { return secondExtent; }

    // The mouse on the bar, in the bar's client coordinates.
    void OnButtonDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnButtonUp();
    // Ends a drag without moving the bar: its outline goes and the capture is let go.
    void CancelDrag();
    void OnPaint();
    void OnSetCursor();

private:
    int AlongAxis(int x, int y) const { return orientation == kSplitVertical ? x : y; }
    void DrawTrackingRect(int offset);
};

extern SplitBarWindow g_viewSplit;  // between the canvas and the information window
extern SplitBarWindow g_workSplit;  // between the upper and the lower pane
