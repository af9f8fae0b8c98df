#include "cli/output_files.h"

#ifdef _WIN32
#include "platform/win32.h"
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

#include "cli/paths.h"

namespace {

bool Fail(const std::string& path, const std::string& reason, std::string* error)
{
    *error = path + ": " + reason;
    return false;
}

enum class Made { kDone, kNameTaken, kFailed };

#ifdef _WIN32

// Creates `path`, which must not exist yet, and writes every byte into it; a file that could not
// be written whole is removed again. kFailed comes with the system's reason.
Made WriteNewFile(const std::string& path, const void* data, size_t size, std::string* reason)
{
    const std::wstring wide = WideFromUtf8(path);
    if (wide.empty()) {
        *reason = SystemErrorText(ERROR_NO_UNICODE_TRANSLATION);
        return Made::kFailed;
    }
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) return Made::kNameTaken;
        *reason = SystemErrorText(code);
        return Made::kFailed;
    }
    const char* bytes = static_cast<const char*>(data);
    size_t left = size;
    DWORD code = 0;
    while (left > 0 && code == 0) {
        const DWORD chunk = left > (DWORD(1) << 30) ? (DWORD(1) << 30) : DWORD(left);
        DWORD written = 0;
        if (!WriteFile(file, bytes, chunk, &written, nullptr)) code = GetLastError();
        else if (written == 0) code = ERROR_WRITE_FAULT;
        bytes += written;
        left -= written;
    }
    if (!CloseHandle(file) && code == 0) code = GetLastError();
    if (code != 0) {
        DeleteFileW(wide.c_str());
        *reason = SystemErrorText(code);
        return Made::kFailed;
    }
    return Made::kDone;
}

#else

// Writes every byte to an open descriptor and closes it; false with errno's code.
int WriteAllAndClose(int fd, const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    size_t left = size;
    while (left > 0) {
        ssize_t written = write(fd, bytes, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            int code = written < 0 ? errno : EIO;
            close(fd);
            return code;
        }
        bytes += written;
        left -= size_t(written);
    }
    return close(fd) == 0 ? 0 : errno;
}

// Creates `path`, which must not exist yet, and writes every byte into it; a file that could not
// be written whole is removed again. kFailed comes with the system's reason.
Made WriteNewFile(const std::string& path, const void* data, size_t size, std::string* reason)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        if (errno == EEXIST) return Made::kNameTaken;
        *reason = std::strerror(errno);
        return Made::kFailed;
    }
    if (int code = WriteAllAndClose(fd, data, size)) {
        unlink(path.c_str());
        *reason = std::strerror(code);
        return Made::kFailed;
    }
    return Made::kDone;
}

#endif

std::string Parent(const std::string& path)
{
    const size_t slash = LastSeparator(path);
    if (slash == std::string::npos) return ".";
#ifdef _WIN32
    // "C:\out": the parent is the drive's root "C:\", not "C:" (the drive's current folder).
    if (slash == 2 && path[1] == ':') return path.substr(0, 3);
#endif
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

std::string Leaf(const std::string& path)
{
    std::string trimmed = path;
    while (trimmed.size() > 1 && IsSeparator(trimmed.back())) trimmed.pop_back();
    const size_t slash = LastSeparator(trimmed);
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

unsigned g_serial = 0;

std::string Unique(const std::string& base)
{
    return base + std::to_string(ProcessNumber()) + "-" + std::to_string(g_serial++);
}

}  // namespace

bool CheckOutputPath(const std::string& path, std::string* error)
{
    const PathKind kind = InspectPath(path, false);
    if (kind == PathKind::kMissing || kind == PathKind::kRegular) return true;  // made, or replaced
    const char* what = kind == PathKind::kSymlink  ? "a symbolic link"
                       : kind == PathKind::kFolder ? "a folder"
#ifdef _WIN32
                       : kind == PathKind::kFifo ? "a named pipe"
#else
                       : kind == PathKind::kFifo ? "a FIFO"
#endif
                       : kind == PathKind::kDevice ? "a device"
                                                   : "not a regular file";
    *error = path + ": " + what + "; only a regular file is replaced";
    return false;
}

bool WriteWholeFile(const std::string& path, const void* data, size_t size, std::string* error)
{
    if (!CheckOutputPath(path, error)) return false;
    std::string temp, reason;
    Made made = Made::kNameTaken;
    for (int attempt = 0; made == Made::kNameTaken && attempt < 100; ++attempt) {
        temp = Unique(path + ".tmp-");
        made = WriteNewFile(temp, data, size, &reason);
    }
    if (made == Made::kNameTaken) return Fail(path, std::strerror(EEXIST), error);
    if (made == Made::kFailed) return Fail(path, reason, error);
    if (!MovePath(temp, path, &reason)) {
        RemoveFile(temp, nullptr);
        return Fail(path, reason, error);
    }
    return true;
}

bool WriteStandardOutput(const void* data, size_t size, std::string* error)
{
    if (size > 0 && std::fwrite(data, 1, size, stdout) != size) return Fail("standard output", std::strerror(errno), error);
    return true;
}

bool FinishStandardOutput(std::string* error)
{
    // A write that failed before leaves its bytes in the buffer and the error flag set; this
    // flush tries them again and says why they do not go.
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    const int code = errno;
    if (flushed && !std::ferror(stdout)) return true;
    if (code != 0) return Fail("standard output", std::strerror(code), error);
    *error = "standard output: the write failed";
    return false;
}

StagedFolder::~StagedFolder() { Discard(); }

void StagedFolder::Discard()
{
    if (staging_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::u8path(staging_), ignored);
    staging_.clear();
}

bool StagedFolder::Begin(const std::string& folder, std::string* error)
{
    folder_ = folder;
    while (folder_.size() > 1 && IsSeparator(folder_.back())) folder_.pop_back();
    const PathKind kind = InspectPath(folder_, true);
    if (kind != PathKind::kMissing) {
        if (kind != PathKind::kFolder) {
            *error = folder_ + ": not a folder";
            return false;
        }
        folderIsNew_ = false;
        staging_ = Unique(folder_ + "/.quillon-export-");
    } else {
        // Made beside, and renamed into the folder at the end: a failure leaves no folder.
        std::error_code code;
        const std::string parent = Parent(folder_);
        std::filesystem::create_directories(std::filesystem::u8path(parent), code);
        if (code) {
            *error = parent + ": " + code.message();
            return false;
        }
        folderIsNew_ = true;
        staging_ = Unique(parent + "/." + Leaf(folder_) + ".quillon-export-");
    }
    std::string reason;
    if (!MakeFolder(staging_, &reason)) {
        staging_.clear();
        return Fail(folder_, reason, error);
    }
    return true;
}

bool StagedFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes, std::string* error)
{
    // The target is checked now, so that nothing moves at all when one of them cannot be replaced.
    if (!folderIsNew_ && !CheckOutputPath(folder_ + "/" + name, error)) return false;
    std::string reason;
    const Made made = WriteNewFile(staging_ + "/" + name, bytes.data(), bytes.size(), &reason);
    if (made == Made::kNameTaken) return Fail(folder_ + "/" + name, std::strerror(EEXIST), error);
    if (made == Made::kFailed) return Fail(folder_ + "/" + name, reason, error);
    names_.push_back(name);
    return true;
}

bool StagedFolder::Commit(const Family& family, std::string* error)
{
    std::string reason;
    if (folderIsNew_) {
        if (!MovePath(staging_, folder_, &reason)) return Fail(folder_, reason, error);
        staging_.clear();
        return true;
    }
    for (const std::string& name : names_) {
        const std::string from = staging_ + "/" + name, to = folder_ + "/" + name;
        if (!MovePath(from, to, &reason)) return Fail(to, reason, error);
    }
    Discard();
    // What an earlier export left that this one did not write again.
    const std::set<std::string> written(names_.begin(), names_.end());
    std::vector<std::string> present, stale;
    ListFolder(folder_, &present);
    for (const std::string& name : present)
        if (family && family(name) && written.count(name) == 0) stale.push_back(name);
    for (const std::string& name : stale) {
        const std::string path = folder_ + "/" + name;
        if (InspectPath(path, false) == PathKind::kRegular && !RemoveFile(path, &reason)) return Fail(path, reason, error);
    }
    return true;
}
