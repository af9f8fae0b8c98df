// The document being edited: the sprite set of the sprite file and the one object every change
// goes through (its current sprite, whether it differs from the file, its history).
#pragma once

#include "sprite/document.h"
#include "sprite/sprite_set.h"

extern SpriteSet workSet;     // the sprite file being edited
extern Document g_document;   // every change to workSet goes through it

// The document's one listener: tells each view and panel what changed, and each refreshes what it
// shows of that.
void OnDocumentChanged(const DocumentChange& change);
