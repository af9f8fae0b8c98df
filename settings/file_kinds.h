// Which command opens a file named without a dialog (on the command line, dropped on the window,
// chosen from the recent files), and in which order several such names open.
#pragma once

#include <string>
#include <vector>

enum class FileKind {
    kUnknown,
    kSprite,   // .spr: Open Sprite
    kSheet,    // .bmp, .pcx, .png: Open Bitmap
    kPalette,  // .pal: Open Palette
};

// The kind of a file by its name's ending, in any case.
FileKind KindOfFile(const std::string& name);

// How several names open together. They open as one piece of work: the sheet first, then the
// palette (so the palette file's colours replace the sheet's), then the sprite file (which finds
// a palette in use and asks no question about it). At most one name of each kind; a name of no
// known kind, or a second name of a kind, opens nothing of them all.
struct OpeningPlan {
    enum Refusal {
        kNone,
        kUnknownKind,   // `refused` names a file of no known kind
        kSecondOfKind,  // `refused` names the second file of one kind
    };
    Refusal refusal = kNone;
    int refused = -1;        // index of the name refused
    std::vector<int> order;  // indices of the names in opening order (empty when refused)
};
OpeningPlan PlanOpening(const std::vector<std::string>& names);
