#pragma once

#include "platform/win32.h"

// The program: creates the main window and its tree, shows it maximised and runs the message
// loop until WM_QUIT, whose code it returns.
int QuillonMain(HINSTANCE instance);

// What one pass of the message loop did.
enum class LoopPass {
    Dispatched,  // a waiting message was handled
    Stepped,     // none waited and the application is active: one animation step, one tick
    Waited,      // none waited and the application is inactive: blocked until one arrived
    Quit,        // WM_QUIT came out of the queue
};

// One pass of the idle message loop. On Quit, stores WM_QUIT's code in *quitCode.
LoopPass RunLoopPass(int* quitCode);

// The idle message loop: passes until WM_QUIT, whose code it returns. While no message waits
// and the application is active, it runs one animation step and one auto-scroll tick per pass
// without blocking; while inactive, it blocks until a message arrives (first showing a status
// text held back by the paced setter).
int RunMessageLoop();
