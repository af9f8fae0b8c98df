#include "image/stream_io.h"

int64_t StreamLength(std::FILE* stream)
{
#ifdef _WIN32
    if (_fseeki64(stream, 0, SEEK_END) != 0) return -1;
    return _ftelli64(stream);
#else
    if (fseeko(stream, 0, SEEK_END) != 0) return -1;
    return ftello(stream);
#endif
}

bool SeekStream(std::FILE* stream, int64_t offset)
{
    if (offset < 0) return false;
#ifdef _WIN32
    return _fseeki64(stream, offset, SEEK_SET) == 0;
#else
    return fseeko(stream, off_t(offset), SEEK_SET) == 0;
#endif
}

bool ReadExact(std::FILE* stream, void* destination, size_t size)
{
    return size == 0 || std::fread(destination, 1, size, stream) == size;
}
