// The user's settings: nine 32-bit integers, kept byte for byte in OPTION.CFG (36 bytes,
// little-endian, no header), and how they are read and written.
#pragma once

#include <cstddef>
#include <cstdint>

struct Options {
    int32_t crossHair;        // show the mouse cross-hair in the cut and edit views
    int32_t resolutionMode;   // the chosen resolution radio button, 1014..1020
    int32_t backColor;        // palette index clearing the animation and edit pages and the strip
    int32_t relCrossColor;    // palette index of the relative-coordinate cross
    int32_t hitBoxColor;      // palette index of hit boxes
    int32_t atckBoxColor;     // palette index of attack boxes
    int32_t compressSprites;  // compress a newly cut sprite at once
    int32_t autoHitBox;       // give a newly cut sprite a hit box over the whole sprite
    int32_t autoAtckBox;      // give a newly cut sprite an attack box over the whole sprite
};
static_assert(sizeof(Options) == 36, "OPTION.CFG is exactly the nine fields");

inline bool operator==(const Options& a, const Options& b)
{
    return a.crossHair == b.crossHair && a.resolutionMode == b.resolutionMode && a.backColor == b.backColor &&
           a.relCrossColor == b.relCrossColor && a.hitBoxColor == b.hitBoxColor &&
           a.atckBoxColor == b.atckBoxColor && a.compressSprites == b.compressSprites &&
           a.autoHitBox == b.autoHitBox && a.autoAtckBox == b.autoAtckBox;
}
inline bool operator!=(const Options& a, const Options& b) { return !(a == b); }

constexpr char kOptionsFileName[] = "OPTION.CFG";
constexpr int kOptionsFileSize = 36;

// The options as they are when no OPTION.CFG can be read.
constexpr Options kDefaultOptions = {1, 1018, 0, 3, 5, 8, 0, 1, 0};

// The options held in `bytes`: the first 36 of them, when there are that many; anything shorter
// is no settings at all and gives the defaults. 1 when the bytes held a whole record, else 0.
int DecodeOptions(const uint8_t* bytes, size_t size, Options* options);
// The 36 bytes of the file.
void EncodeOptions(const Options& options, uint8_t bytes[kOptionsFileSize]);

// Reads the file at `path` into `options` as DecodeOptions does (a missing or unreadable file
// gives the defaults). 1 when a whole record was read.
int ReadOptionsFile(const char* path, Options* options);
// Writes the 36 bytes to `path`; the file is replaced only once all are written, so a failure
// keeps the old file. 1 when written.
int WriteOptionsFile(const char* path, const Options& options);
