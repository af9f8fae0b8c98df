// A user's dealings with Quillon's dialogs and controls: clicking them, filling them in,
// answering message boxes and file dialogs. Each fails the run when the program does not
// answer as a user would see it.
#pragma once

#include <windows.h>

constexpr DWORD kStepTimeout = 15000;

// Polls `done` every 50 ms for up to `ms` milliseconds.
template <typename Done>
bool WaitUntil(Done done, DWORD ms)
{
    for (DWORD waited = 0;; waited += 50) {
        if (done()) return true;
        if (waited >= ms) return false;
        Sleep(50);
    }
}

// The descendant of `parent` with control identifier `id`, or null.
HWND FindChildById(HWND parent, int id);
// Clicks the middle of `control`.
void ClickControl(HWND control);
void ClickDialogItem(HWND dialog, int id);
// Clicks the check box or radio button `id` when its check differs from `checked`.
void SetButtonCheck(HWND dialog, int id, bool checked);
// Replaces the text of the edit `id` by typing.
void TypeIntoEdit(HWND dialog, int id, const char* text);
// Waits for a dialog of process `pid` other than `except` to come up.
HWND WaitForDialog(DWORD pid, HWND except, const char* what);
// Waits for a message box of `pid` (other than `except`), checks that its text starts with
// `start` (in the ANSI code page; null to take any), notes it and clicks `button` (IDYES...).
void AnswerMessageBox(DWORD pid, HWND except, const char* start, int button);
// True when no dialog of `pid` other than `except` comes up within `ms` milliseconds.
bool NoDialogFor(DWORD pid, HWND except, DWORD ms);
// Runs a file dialog: chooses the file type `fileType` (counted from 0) from its list when it is
// not negative, types `path` over the proposed name, Enter, answers an overwrite question with its
// default button; returns when the dialog has closed.
void RunFileDialog(DWORD pid, const char* path, int fileType = -1);
