// The user's settings in the running program: read from OPTION.CFG in the current directory when
// the main window is made, written on every OK of the options dialog.
#pragma once

#include "settings/editor_options.h"
#include "settings/options_file.h"

// The animation and edit page size of a resolution mode (1014..1020); any other number gives
// 640 x 480.
struct PageSize {
    int width;
    int height;
};
PageSize PageSizeOfMode(int mode);

// Reads OPTION.CFG from the current directory into g_options (and EDITOR.CFG into
// g_editorOptions), or sets the defaults when the file
// is missing, unreadable or shorter than 36 bytes; then sets the canvas's animation page size
// from the resolution mode. Always 1.
int LoadOptions();

// Writes g_options to OPTION.CFG in the current directory. The file is replaced only once all
// 36 bytes are written, so a failure keeps the old file. 1 when written, 0 otherwise (nothing
// is shown: the caller reports it).
int SaveOptions();

extern Options g_options;  // zero until loaded when the main window is created
extern EditorOptions g_editorOptions;  // EDITOR.CFG's, loaded with the options

// Writes g_editorOptions to EDITOR.CFG in the current directory. 1 when written.
int SaveEditorOptions();
