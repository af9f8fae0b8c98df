#include "cli/paths.h"

#ifdef _WIN32
#include "platform/win32.h"
#else
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#endif

#ifdef _WIN32

std::wstring WideFromUtf8(const std::string& text)
{
    if (text.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), int(text.size()), &wide[0], length);
    return wide;
}

std::string Utf8FromWide(const wchar_t* text)
{
    if (text == nullptr || *text == 0) return std::string();
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return std::string();
    std::string narrow(size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &narrow[0], length, nullptr, nullptr);
    narrow.pop_back();  // the terminating zero
    return narrow;
}

std::string SystemErrorText(unsigned long code)
{
    // The system's own texts follow the user's language; the command line speaks English.
    switch (code) {
    case ERROR_FILE_NOT_FOUND: return "No such file or directory";
    case ERROR_PATH_NOT_FOUND: return "No such file or directory (a folder on the way is missing)";
    case ERROR_ACCESS_DENIED: return "Permission denied";
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: return "The file is in use by another program";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return "No space left on device";
    case ERROR_WRITE_PROTECT: return "The disk is write-protected";
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return "File exists";
    case ERROR_DIR_NOT_EMPTY: return "Directory not empty";
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_NO_UNICODE_TRANSLATION: return "Not a valid file name";
    case ERROR_NOT_SAME_DEVICE: return "The folders are on different drives";
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: return "Out of memory";
    default: return "Windows error " + std::to_string(code);
    }
}

namespace {

bool Failed(std::string* reason)
{
    if (reason != nullptr) *reason = SystemErrorText(GetLastError());
    return false;
}

PathKind KindFromAttributes(DWORD attributes, bool followLinks)
{
    if (!followLinks && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) return PathKind::kSymlink;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return PathKind::kFolder;
    if ((attributes & FILE_ATTRIBUTE_DEVICE) != 0) return PathKind::kDevice;
    return PathKind::kRegular;
}

}  // namespace

PathKind InspectPath(const std::string& path, bool followLinks, uint64_t* size)
{
    if (size != nullptr) *size = 0;
    const std::wstring wide = WideFromUtf8(path);
    if (wide.empty()) return PathKind::kMissing;
    // Opening with no access asks nothing of the file and tells devices and pipes (NUL, CON,
    // \\.\pipe\...) from files on a disk.
    DWORD flags = FILE_FLAG_BACKUP_SEMANTICS;  // needed to open a folder
    if (!followLinks) flags |= FILE_FLAG_OPEN_REPARSE_POINT;
    HANDLE handle = CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME)
            return PathKind::kMissing;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data)) return PathKind::kMissing;
        const PathKind kind = KindFromAttributes(data.dwFileAttributes, followLinks);
        if (kind == PathKind::kRegular && size != nullptr)
            *size = (uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        return kind;
    }
    PathKind kind = PathKind::kOther;
    switch (GetFileType(handle)) {
    case FILE_TYPE_CHAR: kind = PathKind::kDevice; break;
    case FILE_TYPE_PIPE: kind = PathKind::kFifo; break;
    case FILE_TYPE_DISK: {
        BY_HANDLE_FILE_INFORMATION information;
        if (GetFileInformationByHandle(handle, &information)) {
            kind = KindFromAttributes(information.dwFileAttributes, followLinks);
            if (kind == PathKind::kRegular && size != nullptr)
                *size = (uint64_t(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
        }
        break;
    }
    default: break;
    }
    CloseHandle(handle);
    return kind;
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

bool ListFolder(const std::string& folder, std::vector<std::string>* names)
{
    const std::wstring pattern = WideFromUtf8(folder + "\\*");
    if (pattern.empty()) return false;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    do {
        const std::string name = Utf8FromWide(found.cFileName);
        if (!name.empty() && name != "." && name != "..") names->push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return true;
}

bool MovePath(const std::string& from, const std::string& to, std::string* reason)
{
    const std::wstring wideFrom = WideFromUtf8(from), wideTo = WideFromUtf8(to);
    if (wideFrom.empty() || wideTo.empty()) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return Failed(reason);
    }
    return MoveFileExW(wideFrom.c_str(), wideTo.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0 ||
           Failed(reason);
}

bool MakeFolder(const std::string& path, std::string* reason)
{
    const std::wstring wide = WideFromUtf8(path);
    if (wide.empty()) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return Failed(reason);
    }
    return CreateDirectoryW(wide.c_str(), nullptr) != 0 || Failed(reason);
}

bool RemoveFile(const std::string& path, std::string* reason)
{
    const std::wstring wide = WideFromUtf8(path);
    if (wide.empty()) {
        SetLastError(ERROR_NO_UNICODE_TRANSLATION);
        return Failed(reason);
    }
    return DeleteFileW(wide.c_str()) != 0 || Failed(reason);
}

unsigned long ProcessNumber() { return GetCurrentProcessId(); }

#else

namespace {

bool Failed(std::string* reason)
{
    if (reason != nullptr) *reason = std::strerror(errno);
    return false;
}

}  // namespace

PathKind InspectPath(const std::string& path, bool followLinks, uint64_t* size)
{
    if (size != nullptr) *size = 0;
    struct stat info;
    if ((followLinks ? stat(path.c_str(), &info) : lstat(path.c_str(), &info)) != 0) return PathKind::kMissing;
    if (S_ISREG(info.st_mode)) {
        if (size != nullptr) *size = uint64_t(info.st_size);
        return PathKind::kRegular;
    }
    if (S_ISLNK(info.st_mode)) return PathKind::kSymlink;
    if (S_ISDIR(info.st_mode)) return PathKind::kFolder;
    if (S_ISFIFO(info.st_mode)) return PathKind::kFifo;
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) return PathKind::kDevice;
    return PathKind::kOther;
}

bool IsSeparator(char c) { return c == '/'; }

size_t LastSeparator(const std::string& path) { return path.find_last_of('/'); }

bool ListFolder(const std::string& folder, std::vector<std::string>* names)
{
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return false;
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names->push_back(name);
    }
    closedir(dir);
    return true;
}

bool MovePath(const std::string& from, const std::string& to, std::string* reason)
{
    return std::rename(from.c_str(), to.c_str()) == 0 || Failed(reason);
}

bool MakeFolder(const std::string& path, std::string* reason) { return mkdir(path.c_str(), 0777) == 0 || Failed(reason); }

bool RemoveFile(const std::string& path, std::string* reason) { return unlink(path.c_str()) == 0 || Failed(reason); }

unsigned long ProcessNumber() { return static_cast<unsigned long>(getpid()); }

#endif
