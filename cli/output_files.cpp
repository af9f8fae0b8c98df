#include "cli/output_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>

namespace {

bool Fail(const std::string& path, int code, std::string* error)
{
    *error = path + ": " + std::strerror(code);
    return false;
}

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

std::string Parent(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Leaf(const std::string& path)
{
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    const size_t slash = trimmed.find_last_of('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

unsigned g_serial = 0;

std::string Unique(const std::string& base)
{
    return base + std::to_string(getpid()) + "-" + std::to_string(g_serial++);
}

}  // namespace

bool CheckOutputPath(const std::string& path, std::string* error)
{
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) return true;  // not there: it will be made
    if (S_ISREG(info.st_mode)) return true;
    const char* what = S_ISLNK(info.st_mode)    ? "a symbolic link"
                       : S_ISDIR(info.st_mode)  ? "a folder"
                       : S_ISFIFO(info.st_mode) ? "a FIFO"
                       : S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode) ? "a device"
                                                                        : "not a regular file";
    *error = path + ": " + what + "; only a regular file is replaced";
    return false;
}

bool WriteWholeFile(const std::string& path, const void* data, size_t size, std::string* error)
{
    if (!CheckOutputPath(path, error)) return false;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = Unique(path + ".tmp-");
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return Fail(path, errno, error);
    }
    if (fd < 0) return Fail(path, EEXIST, error);
    if (int code = WriteAllAndClose(fd, data, size)) {
        unlink(temp.c_str());
        return Fail(path, code, error);
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        int code = errno;
        unlink(temp.c_str());
        return Fail(path, code, error);
    }
    return true;
}

bool WriteStandardOutput(const void* data, size_t size, std::string* error)
{
    if (size > 0 && std::fwrite(data, 1, size, stdout) != size) return Fail("standard output", errno, error);
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
    if (code != 0) return Fail("standard output", code, error);
    *error = "standard output: the write failed";
    return false;
}

StagedFolder::~StagedFolder() { Discard(); }

void StagedFolder::Discard()
{
    if (staging_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove_all(staging_, ignored);
    staging_.clear();
}

bool StagedFolder::Begin(const std::string& folder, std::string* error)
{
    folder_ = folder;
    while (folder_.size() > 1 && folder_.back() == '/') folder_.pop_back();
    struct stat info;
    if (stat(folder_.c_str(), &info) == 0) {
        if (!S_ISDIR(info.st_mode)) {
            *error = folder_ + ": not a folder";
            return false;
        }
        folderIsNew_ = false;
        staging_ = Unique(folder_ + "/.quillon-export-");
    } else {
        // Made beside, and renamed into the folder at the end: a failure leaves no folder.
        std::error_code code;
        const std::string parent = Parent(folder_);
        std::filesystem::create_directories(parent, code);
        if (code) {
            *error = parent + ": " + code.message();
            return false;
        }
        folderIsNew_ = true;
        staging_ = Unique(parent + "/." + Leaf(folder_) + ".quillon-export-");
    }
    if (mkdir(staging_.c_str(), 0777) != 0) {
        int code = errno;
        staging_.clear();
        return Fail(folder_, code, error);
    }
    return true;
}

bool StagedFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes, std::string* error)
{
    // The target is checked now, so that nothing moves at all when one of them cannot be replaced.
    if (!folderIsNew_ && !CheckOutputPath(folder_ + "/" + name, error)) return false;
    const std::string path = staging_ + "/" + name;
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return Fail(folder_ + "/" + name, errno, error);
    if (int code = WriteAllAndClose(fd, bytes.data(), bytes.size())) return Fail(folder_ + "/" + name, code, error);
    names_.push_back(name);
    return true;
}

bool StagedFolder::Commit(const Family& family, std::string* error)
{
    if (folderIsNew_) {
        if (std::rename(staging_.c_str(), folder_.c_str()) != 0) return Fail(folder_, errno, error);
        staging_.clear();
        return true;
    }
    for (const std::string& name : names_) {
        const std::string from = staging_ + "/" + name, to = folder_ + "/" + name;
        if (std::rename(from.c_str(), to.c_str()) != 0) return Fail(to, errno, error);
    }
    Discard();
    // What an earlier export left that this one did not write again.
    const std::set<std::string> written(names_.begin(), names_.end());
    std::vector<std::string> stale;
    if (DIR* dir = opendir(folder_.c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (family && family(name) && written.count(name) == 0) stale.push_back(name);
        }
        closedir(dir);
    }
    for (const std::string& name : stale) {
        const std::string path = folder_ + "/" + name;
        struct stat info;
        if (lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && unlink(path.c_str()) != 0)
            return Fail(path, errno, error);
    }
    return true;
}
