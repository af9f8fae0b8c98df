// The main window: class "Quillon", the menu, the close prompt and the messages it handles
// itself; commands go to the dispatcher (commands.h).
#pragma once

#include "platform/win32.h"
#include "sprite/document.h"

constexpr const char kMainClassName[] = "Quillon";
constexpr const char kMainTitle[] = "Quillon for Windows95";
constexpr int kMainWidth = 640;
constexpr int kMainHeight = 480;
constexpr int kToolTipTextSize = 80;

// Registers the class (once) and creates the main window with its whole window tree. The entry
// function and the GUI tests both build the program through this. Null on failure.
HWND CreateMainWindow(HINSTANCE instance);

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The title names the document: "Quillon for Windows95 - hero.spr", with " *" while the set
// differs from the file on disk.
void UpdateMainTitle();
// The main window's share of a document change: the title and the Edit menu's items.
void OnMainDocumentChanged(const DocumentChange& change);

extern HWND g_mainWnd;
extern HINSTANCE g_instance;
extern BYTE g_appActive;  // the idle loop animates only while this is non-zero
extern HMENU g_mainMenu;
