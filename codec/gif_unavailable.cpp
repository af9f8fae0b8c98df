// The Windows build writes no animated GIF: giflib is not at hand for the cross compiler, and
// under Wine the platform's GIF encoder refuses the frames' delays. The Linux build's quillon-cli
// writes them.
#include "codec/gif_codec.h"

bool EncodeAnimatedGif(const GifFrames&, std::vector<uint8_t>*, std::string* error)
{
    *error = "this build writes no GIF; the Linux build of quillon-cli does";
    return false;
}
