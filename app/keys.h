// The program's keys: one accelerator table (resources/quillon.rc), applied to every message
// meant for the main window or any window inside it, so a key works wherever the focus is; and
// the commands that only keys have.
#pragma once

#include "platform/win32.h"

// The message loop's key step, for a message just taken from the queue: a key of the table
// becomes its command; the edit-mode dialog's keys move between its controls (Tab) as a dialog's
// do. A control with the focus (the edit-mode dialog's buttons and box list, the frame-rate box's
// field) keeps its own keys without Ctrl or Alt: Space, the arrows, Home, End, Delete and Esc are
// then the control's. A wheel message goes to the window under the mouse, as on today's Windows,
// rather than to the focus. True when the message was handled here and is not to be dispatched.
bool TranslateProgramKeys(MSG* message);

// The commands that only keys have, each a thin call into what carries it out:
//   ID_PLAY_STOP        Play, or Stop while playing (not paused)
//   ID_PREVIOUS_SPRITE  the box chosen on the Edit Mode page a pixel left; else a step back while
//                       paused; else the sprite before the current one
//   ID_NEXT_SPRITE      the same rightwards: the box, a step forward, the sprite after
//   ID_FIRST_SPRITE, ID_LAST_SPRITE
//   ID_DELETE_SPRITE    the box chosen on the Edit Mode page; else the delete dialog, when the
//                       set holds sprites
//   ID_CANCEL           drops the cut rectangle or ends a drag under way, leaves adjust-view mode
void RunKeyCommand(HWND mainWindow, int id);
