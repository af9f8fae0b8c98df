// The driver's running commentary: numbered steps, notes, and the failure that ends the run
// (with a screenshot of the screen as it was).
#pragma once

void Step(const char* format, ...);
void Note(const char* format, ...);
[[noreturn]] void Fail(const char* format, ...);
// Where the screenshots go (a folder, Windows path, ending in a backslash) and the screenshot
// taken at a failure.
void SetShotFolder(const char* folder);
// Writes the screen to SHOT_FOLDER\name.bmp; a failure to write is only noted.
void Shot(const char* name);
