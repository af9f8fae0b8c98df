// Shell code. File > Export...: the sprite set written as `quillon-cli export` writes it, through
// the same export code (export/export.h), each picture encoded by the platform's codec library.
// A save dialog names the JSON; its file type chooses what goes beside it:
//   1. a PNG per sprite (sprite_00000.png, ...) with the JSON (sprites.json proposed);
//   2. one atlas picture named after the JSON (atlas.png for atlas.json) with the JSON;
//   3. an animated GIF of the set as the animation page plays it (frame rate, flips), alone, under
//      the name chosen with its extension made .gif (a file already there under that other name is
//      asked about first).
#pragma once

#include "platform/win32.h"

constexpr const char kExportFilter[] =
    "PNG per sprite + JSON (*.json)\0*.json\0Atlas PNG + JSON (*.json)\0*.json\0"
    "Animated GIF (*.gif)\0*.gif\0";
constexpr const char kExportExtension[] = "json";
constexpr const char kExportProposedName[] = "sprites.json";
// Asked before a GIF replaces a file other than the one the dialog named.
constexpr const char kReplaceQuestion[] = "%s이(가) 이미 있습니다.\n바꾸시겠습니까?";

// Asks for the file's name and writes the files into its folder. Every file is made in memory
// before the first is written, and each is written whole (beside, then moved into place); a
// failure is said in a message box owned by `owner`. True when every file was written.
bool RunExportCommand(HWND owner);
