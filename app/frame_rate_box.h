// The frame-rate box: a drop-down combo box lying on the toolbar, with fifteen rates from
// "No delay" to "70 fps". Every change of its text sends ID_FPS_CHANGED to the main window (by way
// of the toolbar) with the chosen rate; Play reads the rate from it as well.
#pragma once

#include "platform/win32.h"

// Where the box lies on the toolbar, and its size with the list dropped.
constexpr int kFrameRateBoxX = 460;
constexpr int kFrameRateBoxY = 1;
constexpr int kFrameRateBoxWidth = 100;
constexpr int kFrameRateBoxHeight = 300;

constexpr int kFrameRateCount = 15;

// Makes the box on `mainWindow`, moves it onto `toolbar`, fills it and selects "No delay". The
// box, or null when it cannot be made.
HWND CreateFrameRateBox(HWND mainWindow, HWND toolbar);

// Frames per second of list position `position`; 0 for "No delay" and for any position outside
// the list (the no-selection value among them).
int FrameRateAt(int position);

// The rate Play uses: the selected entry's text looked up among the fifteen. 0 when nothing is
// selected or the text is none of them.
int FrameRateForPlay();

extern HWND g_fpsCombo;
