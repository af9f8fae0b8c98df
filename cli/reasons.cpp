#include "cli/reasons.h"

#include "cli/console_text.h"
#include "cli/paths.h"

std::string ReasonSentence(Reason reason)
{
    switch (reason) {
    case Reason::kNone:
    case Reason::kOther: return "";
    case Reason::kFileMissing: return "cannot be opened";
    case Reason::kFileCutShort: return "the file ends before the data its header announces (cut short, or a read error)";
    case Reason::kCannotWrite: return "cannot be written";
    case Reason::kNoMemory: return "out of memory";
    case Reason::kNotSpriteFile: return "not a sprite file (it does not begin with \"Zarvo sprite\")";
    case Reason::kSpriteFileDamaged: return "the sprite file is damaged: a count, size or image in it does not add up";
    case Reason::kNegativeCount: return "the sprite file is damaged: its header gives a negative sprite count";
    case Reason::kNothingToSave: return "there are no sprites to save";
    case Reason::kValueTooLarge:
        return "a sprite holds a value the sprite file cannot store (sizes, coordinates and box counts are 16-bit)";
    case Reason::kNoImage: return "a sprite has no image data";
    case Reason::kNullImage: return "no image was given for the sprite";
    case Reason::kIndexOutOfRange: return "no such sprite or box, or the set is full (32,767 sprites)";
    case Reason::kNoSprites: return "the set holds no sprites";
    case Reason::kAlreadyCompressed: return "the sprite is compressed already";
    case Reason::kAlreadyRaw: return "the sprite is not compressed";
    case Reason::kCannotCompress: return "an image without pixels has no compressed form";
    case Reason::kNotBmp: return "not a BMP file (it does not begin with \"BM\")";
    case Reason::kNotPcx: return "not a PCX file (no PCX version 5 header)";
    case Reason::kBadBmpHeader: return "the BMP header is invalid (its width, height or bits per pixel)";
    case Reason::kUnsupportedBmp:
        return "a kind of BMP that is not read (an OS/2 header, bit fields, or a JPEG or PNG inside)";
    case Reason::kUnsupportedPcx: return "a kind of PCX that is not read (only 8 bits in one plane, or 24 bits in three)";
    case Reason::kBadPcxSize: return "the PCX header gives the picture a size below one pixel";
    case Reason::kBadPcxLine: return "the PCX header gives fewer bytes a line than the picture is wide";
    case Reason::kPictureTooLarge:
        return "the picture's size is out of range (at most 32,768 pixels a side and 256 MiB of pixels)";
    case Reason::kNotPng: return "not a PNG file (no PNG signature)";
    case Reason::kDamagedPng: return "the PNG file is damaged or cut short";
    case Reason::kNoPngCodec: return "no PNG decoder can be had on this system";
    case Reason::kTooManyColors: return "the sheet has more than 256 colors; reduce it to 256 colors in a paint program";
    }
    return "";
}

std::string ReasonText(Reason reason, const char* coreText, const std::string& path)
{
    if (reason == Reason::kFileMissing && !path.empty()) {
        if (InspectPath(path, true) == PathKind::kMissing) return "no such file";
    }
    const std::string sentence = ReasonSentence(reason);
    return sentence.empty() ? ConsoleText(coreText, path) : sentence;
}

std::string RefusalText(Reason reason, const char* coreText, const std::string& path)
{
    const std::string text = ReasonText(reason, coreText, path);
    return path.empty() ? text : path + ": " + text;
}
