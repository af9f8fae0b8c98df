// The editor's own settings beyond OPTION.CFG (which keeps its 36 bytes): kept in EDITOR.CFG
// beside it as lines of "name=value". The file is read tolerantly: a missing or damaged file,
// an unknown name or a bad value gives the default of what it touches, and nothing else.
#pragma once

#include <string>

struct EditorOptions {
    bool onionPrevious = false;  // the Edit Mode page shows the previous sprite faintly
    bool onionNext = false;      // and the next one
};

constexpr char kEditorOptionsFileName[] = "EDITOR.CFG";

EditorOptions ParseEditorOptions(const std::string& text);
std::string FormatEditorOptions(const EditorOptions& options);

// Reads the file at `path` (the defaults when it cannot be read).
EditorOptions ReadEditorOptions(const char* path);
// Writes the file, replacing it only once it is whole. 1 when written.
int WriteEditorOptions(const char* path, const EditorOptions& options);
