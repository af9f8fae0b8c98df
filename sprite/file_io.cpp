#include "sprite/file_io.h"

#include "platform/win32.h"

#include <cstdio>

SafeFileWriter::~SafeFileWriter() { Discard(); }

bool SafeFileWriter::Open(const char* target)
{
    Discard();
    failed_ = false;
    if (target == nullptr || *target == '\0') return false;
    target_ = target;
#ifdef _WIN32
    // Windows will not replace a read-only file, but Wine's MoveFileEx does: refuse it here, so
    // that both keep the file as its owner marked it (and nothing is written in vain).
    DWORD attributes = GetFileAttributesA(target);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return false;
#endif
    // A name beside the target that is not in use yet.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        std::string name = target_ + ".~" + std::to_string(attempt);
        if (std::FILE* existing = std::fopen(name.c_str(), "rb")) {
            std::fclose(existing);
            continue;
        }
        file_ = std::fopen(name.c_str(), "wb");
        if (file_ == nullptr) return false;
        temp_ = name;
        return true;
    }
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
    bool ok = !failed_ && std::fflush(file_) == 0;
    ok = (std::fclose(file_) == 0) && ok;
    file_ = nullptr;
    if (ok) {
#ifdef _WIN32
        ok = MoveFileExA(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
        ok = std::rename(temp_.c_str(), target_.c_str()) == 0;
#endif
    }
    if (!ok) {
        std::remove(temp_.c_str());
        failed_ = true;
    }
    temp_.clear();
    return ok;
}

void SafeFileWriter::Discard()
{
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        std::remove(temp_.c_str());
        temp_.clear();
    }
}
