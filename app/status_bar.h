// The status bar along the main window's bottom edge: one part, one line of text.
#pragma once

// Sets the text of the status bar's part 0 (nothing while there is no status bar).
void SetStatusText(const char* text);
