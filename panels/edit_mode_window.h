// The edit-mode panel: the panel of the information window's "Edit Mode" page, a framed child
// window whose whole client area holds the edit-mode dialog.
#pragma once

#include "platform/win32.h"
#include "sprite/document.h"

class EditModeWindow {
public:
    HWND window = nullptr;
    HWND parent = nullptr;  // the information window
    HINSTANCE instance = nullptr;
    HBRUSH background = nullptr;
    char className[20] = "";
    HWND dialog = nullptr;   // the edit-mode dialog
    int visible = 1;
    HWND boxList = nullptr;  // the dialog's box list, kept by the dialog when it initialises

    EditModeWindow();
    ~EditModeWindow();
    EditModeWindow(const EditModeWindow&) = delete;
    EditModeWindow& operator=(const EditModeWindow&) = delete;

    // Registers the class (once), creates the panel under `parent` and the dialog in it. 1, or 0
    // when the panel cannot be made (a dialog that cannot be made leaves an empty panel).
    int Create(HWND parent);
    // 0 hides the panel and the dialog, 1 shows both; any other value changes nothing on screen.
    // The value is kept as the visible flag in every case.
    void Show(int flag);
    // While visible: moves the panel to the information window's panel rectangle.
    void Place();
    // The dialog's share of a document change: the box list and the compression box.
    void OnDocumentChanged(const DocumentChange& change);
};

extern EditModeWindow g_editMode;  // the "Edit Mode" page's panel and its dialog
