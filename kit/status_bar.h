// The status bar along the bottom of the main window: one part, "Ready" at start; the canvas
// writes its coordinates and the measured frame rate there.
#pragma once

#include "platform/win32.h"

// Makes the status bar on `mainWindow` and shows "Ready". The bar, or null when it cannot be made.
HWND CreateStatusBar(HWND mainWindow);

// Shows `text` (code page 949) in the status bar.
void SetStatusText(const char* text);

// Shows `text` as SetStatusText does, but no sooner than kStatusRepaintPace milliseconds (on the
// program clock) after the last text it showed: a text that comes sooner is held back, replaced
// by any later one, and shown by the next call that is due or by ShowHeldStatusText. Playback
// sets the text every frame; repainting the bar can take several times as long as a frame, and
// far more often than a screen shows it.
void SetStatusTextPaced(const char* text);
constexpr DWORD kStatusRepaintPace = 16;  // about one refresh of a 60 Hz screen

// Shows the text held back, if any (SetStatusText drops it: its text is newer). The message loop
// calls this before it waits.
void ShowHeldStatusText();

extern HWND g_statusBar;
