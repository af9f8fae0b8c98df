// The names the monkey types into the program's file dialogs.
#pragma once

#include "monkey.h"

// What a file dialog is for, read from its file-type box.
enum class FileKind { Sprite, PaletteOpen, PaletteSave, Bitmap };

FileKind KindOfFileDialog(const char* fileType);
// Lists the files under the working folder's samples\ and junk\ folders into `monkey.openable`.
void FindOpenableFiles(Monkey& monkey);
// A name to type into a dialog of `kind`: when a save is wanted, a new sprite file's full path
// (counted in monkey.saves); else at random a new name, an earlier one, a sample, a damaged
// file or an odd name. `what` gets a word for the log.
std::string ChooseFileName(Monkey& monkey, FileKind kind, const char** what);
