// Why the core refused: a code kept beside the text of each failure, in the sprite set and in the
// picture. The window shows the Korean text; the command line says each code in its own words,
// so a code names one cause a user can act on, and texts that say the same thing share one.
#pragma once

#include <cstdint>

enum class Reason : uint8_t {
    kNone,             // no failure yet
    kOther,            // a failure that has no code of its own

    // Files, any kind.
    kFileMissing,      // the file cannot be opened
    kFileCutShort,     // the file holds fewer bytes than its headers say, or reading it failed
    kCannotWrite,      // the file cannot be created or written
    kNoMemory,         // an allocation failed

    // Sprite files.
    kNotSpriteFile,      // no "Zarvo sprite" signature
    kSpriteFileDamaged,  // a count, size or image that does not hold together
    kNegativeCount,      // the header's sprite count is below zero
    kNothingToSave,      // the set is empty
    kValueTooLarge,      // a value the file keeps in 16 (or 31) bits does not fit there
    kNoImage,            // a sprite without its image

    // The sprite set's operations.
    kNullImage,          // an operation was given no image
    kIndexOutOfRange,    // a sprite or box number outside the set, or a full set
    kNoSprites,          // the set is empty
    kAlreadyCompressed,
    kAlreadyRaw,
    kCannotCompress,     // an image with no rows or columns has no compressed form

    // Pictures.
    kNotBmp,
    kNotPcx,
    kBadBmpHeader,       // a header field no BMP has (width 0, 7 bits per pixel, …)
    kUnsupportedBmp,     // a real BMP of a kind not read here (OS/2 header, bit fields, JPEG inside)
    kUnsupportedPcx,     // a PCX that is neither 8 bits in one plane nor 24 bits in three
    kBadPcxSize,         // the picture's corners are reversed
    kBadPcxLine,         // fewer bytes a line than pixels
    kPictureTooLarge,    // past 32,768 pixels a side or 256 MiB of pixels
    kNotPng,
    kDamagedPng,         // the PNG library refused the file's data
    kNoPngCodec,         // the platform's PNG decoder cannot be had
    kTooManyColors,      // a true-colour sheet of more than 256 colors (the picture counts them)
};
