// OPTION.CFG: the nine fields of Options, in their order, each a signed 32-bit little-endian
// integer; 36 bytes, no header. Written field by field, never as the record's memory.
#include "app/options.h"

#include <cstdio>

#include "app/globals.h"
#include "resources/resource.h"
#include "sprite/file_io.h"

namespace {

struct ModeSize {
    int mode;
    PageSize size;
};

const ModeSize kModeSizes[] = {
    {IDC_MODE_320X200, {320, 200}},   {IDC_MODE_320X240, {320, 240}},
    {IDC_MODE_400X300, {400, 300}},   {IDC_MODE_512X384, {512, 384}},
    {IDC_MODE_640X480, {640, 480}},   {IDC_MODE_800X600, {800, 600}},
    {IDC_MODE_1024X768, {1024, 768}},
};

// The fields in file order.
int32_t Options::*const kFields[] = {
    &Options::crossHair,       &Options::resolutionMode, &Options::backColor,
    &Options::relCrossColor,   &Options::hitBoxColor,    &Options::atckBoxColor,
    &Options::compressSprites, &Options::autoHitBox,     &Options::autoAtckBox,
};
static_assert(sizeof kFields / sizeof kFields[0] * 4 == kOptionsFileSize, "nine fields");

}  // namespace

PageSize PageSizeOfMode(int mode)
{
    for (const ModeSize& entry : kModeSizes)
        if (entry.mode == mode) return entry.size;
    return {640, 480};
}

int LoadOptions()
{
    uint8_t bytes[kOptionsFileSize];
    size_t got = 0;
    if (std::FILE* file = std::fopen(kOptionsFileName, "rb")) {
        got = std::fread(bytes, 1, sizeof bytes, file);
        std::fclose(file);
    }
    if (got == sizeof bytes) {
        for (size_t i = 0; i < sizeof kFields / sizeof kFields[0]; ++i)
            g_options.*kFields[i] = int32_t(ReadLe32(bytes + 4 * i));
    } else {
        // Missing, unreadable, or cut short: half a record is no settings at all.
        g_options = kDefaultOptions;
    }
    PageSize size = PageSizeOfMode(g_options.resolutionMode);
    g_bmpChild.animWidth = size.width;
    g_bmpChild.animHeight = size.height;
    return 1;
}

int SaveOptions()
{
    uint8_t bytes[kOptionsFileSize];
    for (size_t i = 0; i < sizeof kFields / sizeof kFields[0]; ++i)
        WriteLe32(bytes + 4 * i, uint32_t(g_options.*kFields[i]));
    SafeFileWriter writer;
    if (!writer.Open(kOptionsFileName)) return 0;
    if (!writer.Write(bytes, sizeof bytes)) return 0;
    return writer.Commit() ? 1 : 0;
}
