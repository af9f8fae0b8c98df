// OPTION.CFG: the nine fields of Options, in their order, each a signed 32-bit little-endian
// integer; 36 bytes, no header. Written field by field, never as the record's memory. Bytes past
// the 36th are ignored.
#include "settings/options_file.h"

#include <cstdio>

#include "sprite/file_io.h"

namespace {

// The fields in file order.
int32_t Options::*const kFields[] = {
    &Options::crossHair,       &Options::resolutionMode, &Options::backColor,
    &Options::relCrossColor,   &Options::hitBoxColor,    &Options::atckBoxColor,
    &Options::compressSprites, &Options::autoHitBox,     &Options::autoAtckBox,
};
constexpr size_t kFieldCount = sizeof kFields / sizeof kFields[0];
static_assert(kFieldCount * 4 == kOptionsFileSize, "nine fields");

}  // namespace

int DecodeOptions(const uint8_t* bytes, size_t size, Options* options)
{
    if (bytes == nullptr || size < size_t(kOptionsFileSize)) {
        // Missing, unreadable, or cut short: half a record is no settings at all.
        *options = kDefaultOptions;
        return 0;
    }
    for (size_t i = 0; i < kFieldCount; ++i) options->*kFields[i] = int32_t(ReadLe32(bytes + 4 * i));
    return 1;
}

void EncodeOptions(const Options& options, uint8_t bytes[kOptionsFileSize])
{
    for (size_t i = 0; i < kFieldCount; ++i) WriteLe32(bytes + 4 * i, uint32_t(options.*kFields[i]));
}

int ReadOptionsFile(const char* path, Options* options)
{
    uint8_t bytes[kOptionsFileSize];
    size_t got = 0;
    if (std::FILE* file = std::fopen(path, "rb")) {
        got = std::fread(bytes, 1, sizeof bytes, file);
        std::fclose(file);
    }
    return DecodeOptions(bytes, got, options);
}

int WriteOptionsFile(const char* path, const Options& options)
{
    uint8_t bytes[kOptionsFileSize];
    EncodeOptions(options, bytes);
    SafeFileWriter writer;
    if (!writer.Open(path)) return 0;
    if (!writer.Write(bytes, sizeof bytes)) return 0;
    return writer.Commit() ? 1 : 0;
}
