// SafeFileWriter (declared in file_io.h): a temporary file beside the target, created exclusively
// under the first free name, then moved over the target in one step.
//
// On Windows the names are UTF-8, turned into UTF-16 for the wide file functions that do the work;
// the temporary file takes the replaced file's attributes and moves over it with MoveFileExW
// (write-through).
// Elsewhere the temporary file takes the target's permission bits and rename() replaces it.
#include "sprite/file_io.h"

#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "platform/win32.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace {

constexpr int kNameAttempts = 1000;
constexpr size_t kSuffixRoom = 16;  // ".~" and up to three digits, with room to spare

char* CopyText(const char* text)
{
    const size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy != nullptr) std::memcpy(copy, text, size);
    return copy;
}

enum class Created { kYes, kNameTaken, kFailed };

#ifdef _WIN32

// Creates `name` only if nothing of that name exists, open for writing as a C stream.
Created CreateExclusive(const char* name, const char* /*target*/, std::FILE** file)
{
    WidePath wide(name);
    if (wide.text == nullptr) return Created::kFailed;
    HANDLE handle = CreateFileW(wide.text, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        // A file or a folder of that name: try the next name. Anything else (no such folder, no
        // right to write there) fails the same way for every name.
        return GetFileAttributesW(wide.text) != INVALID_FILE_ATTRIBUTES ? Created::kNameTaken : Created::kFailed;
    }
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (descriptor == -1) {
        CloseHandle(handle);
        DeleteFileW(wide.text);
        return Created::kFailed;
    }
    *file = _fdopen(descriptor, "wb");
    if (*file == nullptr) {
        _close(descriptor);
        DeleteFileW(wide.text);
        return Created::kFailed;
    }
    return Created::kYes;
}

bool Flush(std::FILE* file)
{
    if (std::fflush(file) != 0) return false;
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0;
}

// Attributes a replaced file hands on to the file that takes its place. A read-only file is not
// replaced at all, and the other attributes describe the file's kind, not the user's wishes.
constexpr DWORD kHandedOnAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The temporary file takes the target's attributes and then its place in one move. (ReplaceFileW
// would keep the attributes itself, but Wine's moves the old file away and deletes it before the
// new one is in place, and leaves a file of its own behind when that fails.)
bool Replace(const char* temp, const char* target)
{
    WidePath wideTemp(temp), wideTarget(target);
    if (wideTemp.text == nullptr || wideTarget.text == nullptr) return false;
    const DWORD attributes = GetFileAttributesW(wideTarget.text);
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // Windows refuses to move over a read-only file; Wine does not, so it is asked here.
        if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) return false;
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && (attributes & kHandedOnAttributes) != 0 &&
            !SetFileAttributesW(wideTemp.text, attributes & kHandedOnAttributes))
            return false;
    }
    return MoveFileExW(wideTemp.text, wideTarget.text, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void Remove(const char* name)
{
    WidePath wide(name);
    if (wide.text == nullptr) return;
    SetFileAttributesW(wide.text, FILE_ATTRIBUTE_NORMAL);  // a system file is not deleted otherwise
    DeleteFileW(wide.text);
}

#else  // !_WIN32

Created CreateExclusive(const char* name, const char* target, std::FILE** file)
{
    const int descriptor = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor == -1) return errno == EEXIST ? Created::kNameTaken : Created::kFailed;
    // A file that replaces another keeps the other's permission bits; a new one gets the usual
    // ones (0666 less the umask, as open gave it).
    struct stat old;
    if (stat(target, &old) == 0 && S_ISREG(old.st_mode)) fchmod(descriptor, old.st_mode & 07777);
    *file = fdopen(descriptor, "wb");
    if (*file == nullptr) {
        close(descriptor);
        unlink(name);
        return Created::kFailed;
    }
    return Created::kYes;
}

bool Flush(std::FILE* file) { return std::fflush(file) == 0; }

bool Replace(const char* temp, const char* target) { return std::rename(temp, target) == 0; }

void Remove(const char* name) { unlink(name); }

#endif  // _WIN32

}  // namespace

SafeFileWriter::~SafeFileWriter()
{
    Discard();
    std::free(target_);
}

bool SafeFileWriter::Open(const char* target)
{
    Discard();
    std::free(target_);
    target_ = nullptr;
    failed_ = false;
    if (target == nullptr || *target == '\0') return false;
    target_ = CopyText(target);
    const size_t size = std::strlen(target) + kSuffixRoom;
    char* name = static_cast<char*>(std::malloc(size));
    if (target_ == nullptr || name == nullptr) {
        std::free(name);
        return false;
    }
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::snprintf(name, size, "%s.~%d", target, attempt);
        const Created created = CreateExclusive(name, target, &file_);
        if (created == Created::kYes) {
            temp_ = name;
            return true;
        }
        if (created == Created::kFailed) break;
    }
    std::free(name);
    return false;
}

bool SafeFileWriter::Write(const void* data, size_t size)
{
    if (file_ == nullptr || failed_) return false;
    if (size != 0 && std::fwrite(data, 1, size, file_) != size) failed_ = true;
    return !failed_;
}

bool SafeFileWriter::Commit()
{
    if (file_ == nullptr) return false;
    bool ok = !failed_ && Flush(file_);
    ok = (std::fclose(file_) == 0) && ok;
    file_ = nullptr;
    ok = ok && Replace(temp_, target_);
    if (!ok) {
        Remove(temp_);
        failed_ = true;
    }
    std::free(temp_);
    temp_ = nullptr;
    return ok;
}

void SafeFileWriter::Discard()
{
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (temp_ != nullptr) {
        Remove(temp_);
        std::free(temp_);
        temp_ = nullptr;
    }
}
