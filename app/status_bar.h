// The status bar along the bottom of the main window: one part, "Ready" at start; the canvas
// writes its coordinates and the measured frame rate there.
#pragma once

#include "platform/win32.h"

// Makes the status bar on `mainWindow` and shows "Ready". The bar, or null when it cannot be made.
HWND CreateStatusBar(HWND mainWindow);

// Shows `text` (code page 949) in the status bar.
void SetStatusText(const char* text);

// Sets `text` as SetStatusText does, but repaints the bar at most once per kStatusRepaintPace
// milliseconds (on the program clock): a text set sooner is held by the bar (SB_GETTEXT gives it)
// and shown at the next repaint. Playback sets the text every frame, and repainting the bar can
// take several times as long as drawing a frame, more often than any screen shows it.
void SetStatusTextPaced(const char* text);
constexpr DWORD kStatusRepaintPace = 16;  // about one refresh of a 60 Hz screen

// Asks for the repaint of a text the bar holds but has not shown yet (the paint comes through
// the message loop). The message loop calls this before it waits.
void ShowHeldStatusText();
