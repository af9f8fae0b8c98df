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
// sets the text every frame; repainting the bar takes several times as long as a frame (under
// Wine, measured, about 2 ms: at 30 fps three quarters of playback's processor time), and a
// number that changes more often than ten times a second cannot be read anyway.
void SetStatusTextPaced(const char* text);
constexpr DWORD kStatusRepaintPace = 100;

// Shows the text held back, if any (SetStatusText drops it: its text is newer).
void ShowHeldStatusText();

// Milliseconds until the text held back is due: 0 when it is, INFINITE when none is held. The
// message loop shows it when due, and before it blocks.
DWORD HeldStatusTextDueIn();

extern HWND g_statusBar;
