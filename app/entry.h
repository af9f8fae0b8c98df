#pragma once

#include "platform/win32.h"

// The program: creates the main window and its tree, shows it maximised and runs the message
// loop until WM_QUIT, whose code it returns.
int QuillonMain(HINSTANCE instance);

// The idle message loop. While no message waits and the application is active, runs one
// animation step and one auto-scroll tick per pass without blocking; while inactive, blocks
// until a message arrives. Returns the code of WM_QUIT.
int RunMessageLoop();
