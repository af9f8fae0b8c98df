#pragma once

#include "platform/win32.h"

// The program: creates the main window and its tree, shows it maximised and runs the message
// loop until WM_QUIT, whose code it returns.
int QuillonMain(HINSTANCE instance);

// What one pass of the message loop did.
enum class LoopPass {
    Dispatched,  // a waiting message was handled
    Stepped,     // none waited and a frame, an auto-scroll step or a held-back status text was
                 // due: one animation step and one auto-scroll tick ran, the text was shown
    Waited,      // none waited and nothing was due: blocked until a message arrived or, while
                 // something runs, until the next frame or scroll step came due
    Quit,        // WM_QUIT came out of the queue
};

// How long the loop would wait now with no message in the queue, in milliseconds: 0 when a frame,
// an auto-scroll step or a status text held back is due; until the next one is due while
// playback or auto-scroll runs or a text is held; INFINITE (blocking until a message) when
// nothing runs or the application is inactive.
DWORD LoopWaitTime();

// One pass of the message loop. On Quit, stores WM_QUIT's code in *quitCode.
LoopPass RunLoopPass(int* quitCode);

// The message loop: passes until WM_QUIT, whose code it returns. A waiting message is handled at
// once. Otherwise, while the application is active, a frame or scroll step that is due runs; when
// none is due the loop waits (LoopWaitTime), and before it blocks it shows a status text held
// back by the paced setter. Paced playback holds the fine timer period (kit/clock.h) while it
// runs.
int RunMessageLoop();
