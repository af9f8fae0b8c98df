#include "sprite/file_io.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include "platform/win32.h"
#endif

namespace {

// Bytes read at a time from a stream whose length cannot be known in advance (a pipe).
constexpr size_t kChunk = size_t(64) << 10;

// Length of the regular file behind `file` in bytes (64-bit everywhere), or -1 when it is no
// regular file (a folder, a pipe, a device).
int64_t RegularFileLength(std::FILE* file)
{
#ifdef _WIN32
    struct _stat64 info;
    if (_fstat64(_fileno(file), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG) return -1;
#else
    struct stat info;
    if (fstat(fileno(file), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
#endif
    return int64_t(info.st_size);
}

}  // namespace

#ifdef _WIN32

WidePath::WidePath(const char* path) : text(nullptr)
{
    if (path == nullptr) return;
    // Strict: a name that is not UTF-8 (one in the ANSI code page, say) is refused, not guessed.
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, nullptr, 0);
    if (length <= 0) return;
    text = static_cast<wchar_t*>(std::malloc(sizeof(wchar_t) * size_t(length)));
    if (text != nullptr && MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, text, length) != length) {
        std::free(text);
        text = nullptr;
    }
}

WidePath::~WidePath() { std::free(text); }

std::FILE* OpenStream(const char* path, const char* mode)
{
    WidePath widePath(path), wideMode(mode);
    if (widePath.text == nullptr || wideMode.text == nullptr) return nullptr;
    return _wfopen(widePath.text, wideMode.text);
}

#else

std::FILE* OpenStream(const char* path, const char* mode)
{
    return path != nullptr ? std::fopen(path, mode) : nullptr;
}

#endif

bool ByteReader::Read(void* destination, uint64_t size)
{
    const uint8_t* from = Take(size);
    if (from == nullptr) return false;
    if (size != 0) std::memcpy(destination, from, size_t(size));
    return true;
}

FileBytes::~FileBytes() { Reset(); }

void FileBytes::Reset()
{
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
}

FileBytes::Status FileBytes::Read(const char* path, uint64_t limit)
{
    Reset();
    FileCloser file{OpenStream(path, "rb")};
    if (file.file == nullptr) return kCannotOpen;

    // A regular file is read into one block of its own length; anything else grows a chunk at a
    // time until it ends.
    const int64_t length = RegularFileLength(file.file);
    const bool known = length >= 0;
    uint64_t capacity = known ? uint64_t(length) : kChunk;
    if (capacity > limit) capacity = limit;
    if (capacity >= SIZE_MAX) return kNoMemory;
    data_ = static_cast<uint8_t*>(std::malloc(capacity == 0 ? 1 : size_t(capacity)));
    if (data_ == nullptr) return kNoMemory;

    while (size_ < limit) {
        if (size_ == capacity) {
            if (known) break;  // bytes added since the length was taken are not read
            uint64_t grown = capacity * 2 < limit ? capacity * 2 : limit;
            if (grown >= SIZE_MAX) {
                Reset();
                return kNoMemory;
            }
            auto* larger = static_cast<uint8_t*>(std::realloc(data_, size_t(grown)));
            if (larger == nullptr) {
                Reset();
                return kNoMemory;
            }
            data_ = larger;
            capacity = grown;
        }
        const size_t wanted = size_t(capacity - size_);
        const size_t got = std::fread(data_ + size_, 1, wanted, file.file);
        size_ += got;
        if (got < wanted) {
            if (std::ferror(file.file)) return kReadError;
            break;  // the end of the file, maybe sooner than its length said
        }
    }
    return kRead;
}
