// Real input for the end-to-end driver: keys and mouse through SendInput, as a user's keyboard
// and mouse would give them. Coordinates are screen pixels.
#pragma once

#include <windows.h>

void TapKey(WORD vk);
void PressKey(WORD vk);
void ReleaseKey(WORD vk);
// Types `text` character by character (Unicode key events, so no keyboard layout matters).
void TypeText(const char* text);
// Opens the main window's first menu ("File") from the keyboard and chooses the item whose
// mnemonic is `letter`.
void ChooseFileMenuItem(char letter);

// Moves the pointer to (x, y); false when the pointer did not land there.
bool MoveMouse(int x, int y);
// Presses the left button at `from`, moves in steps to `to` and releases it there.
bool DragMouse(POINT from, POINT to);
// Two left clicks at `at`, sent together so that they make a double click.
bool DoubleClick(POINT at);
bool RightClick(POINT at);
// A left click at `at`.
bool LeftClick(POINT at);
// Presses the left button at `from`, moves in `steps` steps to `to`, releases it there; pauses
// `pause` ms between the steps (the selection strip and the edit page take moves one by one).
bool SlowDrag(POINT from, POINT to, int steps, int pause);
// Sends mouse button events (MOUSEEVENTF_LEFTDOWN, ...) together, where the pointer is.
void SendMouseButtons(const DWORD* flags, int count);
// Turns the wheel where the pointer is by `delta` (WHEEL_DELTA a notch).
void TurnWheel(int delta);
