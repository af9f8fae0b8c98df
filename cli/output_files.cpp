#include "cli/output_files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

bool Fail(const std::string& path, int code, std::string* error)
{
    *error = path + ": " + std::strerror(code);
    return false;
}

}  // namespace

bool WriteWholeFile(const std::string& path, const void* data, size_t size, std::string* error)
{
    static unsigned serial = 0;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = path + ".tmp-" + std::to_string(getpid()) + "-" + std::to_string(serial++);
        fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return Fail(path, errno, error);
    }
    if (fd < 0) return Fail(path, EEXIST, error);

    const char* bytes = static_cast<const char*>(data);
    size_t left = size;
    while (left > 0) {
        ssize_t written = write(fd, bytes, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            int code = written < 0 ? errno : EIO;
            close(fd);
            unlink(temp.c_str());
            return Fail(path, code, error);
        }
        bytes += written;
        left -= size_t(written);
    }
    if (close(fd) != 0) {
        int code = errno;
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

bool MakeFolder(const std::string& path, std::string* error)
{
    std::error_code code;
    std::filesystem::create_directories(path, code);
    if (code || !std::filesystem::is_directory(path, code)) {
        *error = path + ": " + (code ? code.message() : std::string("not a folder"));
        return false;
    }
    return true;
}
