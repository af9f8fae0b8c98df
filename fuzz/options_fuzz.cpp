// OPTION.CFG: any bytes decode to options (or the defaults) and a decoded record encodes back to
// the bytes it came from.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "settings/options_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Options options = {};
    const int whole = DecodeOptions(data, size, &options);
    if (whole != (size >= size_t(kOptionsFileSize) ? 1 : 0)) std::abort();
    uint8_t bytes[kOptionsFileSize];
    EncodeOptions(options, bytes);
    if (whole && std::memcmp(bytes, data, sizeof bytes) != 0) std::abort();
    if (!whole && !(options == kDefaultOptions)) std::abort();
    return 0;
}
