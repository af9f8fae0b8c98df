// Finding Quillon's windows from the outside, by class name, and waiting for them.
#pragma once

#include <windows.h>

// Waits up to `ms` milliseconds for a visible top-level window of class `className`
// (of process `pid` unless it is 0); null when none came.
HWND WaitForTopWindow(const char* className, DWORD pid, DWORD ms);
// Waits until `window` is gone or hidden; false on time-out.
bool WaitForWindowGone(HWND window, DWORD ms);
// The first descendant of `parent` of class `className`, or null.
HWND FindDescendant(HWND parent, const char* className);
// Waits until `window`'s text is `text`; false on time-out.
bool WaitForWindowText(HWND window, const char* text, DWORD ms);
// Waits until the keyboard focus of `window`'s thread is `window` or one of its descendants;
// false on time-out.
bool WaitForFocusIn(HWND window, DWORD ms);
// The visible dialog (class "#32770") of process `pid` other than `except`, or null.
HWND FindDialog(DWORD pid, HWND except);
// The text of the dialog's first static control with text, for messages.
void DialogText(HWND dialog, char* text, int size);
