// The selection strip: every sprite of the set as a numbered thumbnail in one horizontal strip,
// in the lower pane of the work window. Clicking a thumbnail makes it the current sprite,
// dragging one onto another moves it there, and the strip zooms from 0.25 to 3.0.
//
// Geometry: sprite i's thumbnail is trunc(width * scale) by trunc(height * scale) pixels. Each
// sprite takes a slot gap + thumbnail + gap wide; the slots follow each other from stripLeft, and
// a thumbnail's top edge is at y = top, its label "<i>" centred in the row above.
#pragma once

#include "platform/win32.h"
#include "sprite/document.h"

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

    // Sprite i's thumbnail size at the current scale (0 for a number outside the set).
    int ThumbWidth(int i) const;
    int ThumbHeight(int i) const;

    // Recomputes the strip's width, the scroll range and position, and where the strip begins.
    // Call it after the set, the scale or the window's size changed.
    void UpdateScroll();
    // Scrolls, in 10-pixel steps, just far enough to bring sprite n's thumbnail into view.
    void ScrollToSprite(int n);
    // The sprite whose thumbnail is at window point (x, y), or -1.
    int HitTest(int x, int y) const;

    // Painting: the labels and every thumbnail that overlaps the window.
    void Paint();
    void DrawThumbnail(int i, int x, int y);  // at window (x, y), unless it lies outside the window
    // Keeps g_selPage as large as the largest sprite (released while the set is empty).
    void EnsureSelPage();

    // Handlers of the window procedure.
    void OnHScroll(int code, int thumbPos);
    void OnMouseMove(int x, int y);
    int OnLButtonDown(int x, int y);    // 0 when the press is not on a thumbnail
    void OnLButtonUp(int x, int y);
    int OnLButtonDblClk(int x, int y);  // 0 when the double-click is not on a thumbnail
    // The drag ends without a move: the mouse was taken away (or Esc). True when one was under way.
    bool CancelDrag();
    // The strip's share of a document change: its scroll state, the current sprite in view, and
    // a repaint.
    void OnDocumentChanged(const DocumentChange& change);
};

// Makes sprite n of the set the current sprite (through the document, which tells every view that
// shows it); a number outside the set does nothing.
void SelectSprite(int n);

extern SelChildWindow g_selChild;
