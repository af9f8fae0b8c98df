// What is at a path, and where its name begins, as the system the command line runs on says.
//
// Names are UTF-8 in both builds. On Windows they go to the wide file calls (a name in any script
// works whatever the console's code page), and '\' separates folders as well as '/'.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class PathKind {
    kMissing,
    kRegular,
    kFolder,
    kSymlink,  // on Windows any reparse point (a symbolic link or a junction)
    kFifo,     // on Windows a named pipe
    kDevice,   // on Windows a device name such as NUL or CON
    kOther,
};

// What `path` names. With `followLinks` false a symbolic link is told as kSymlink, else as what
// it leads to. `size` (optional) receives a regular file's length in bytes.
PathKind InspectPath(const std::string& path, bool followLinks, uint64_t* size = nullptr);

// True for the characters that separate folders in a path ('/', and on Windows '\' too).
bool IsSeparator(char c);
// Position of the last separator in `path`, or std::string::npos.
size_t LastSeparator(const std::string& path);

// The names in a folder, without "." and ".."; false when it cannot be read.
bool ListFolder(const std::string& folder, std::vector<std::string>* names);

// Moves `from` to `to`, replacing a file at `to` in one step. False with the system's reason.
bool MovePath(const std::string& from, const std::string& to, std::string* reason);
// Makes one folder (not its parents). False with the system's reason.
bool MakeFolder(const std::string& path, std::string* reason);
// Removes one file. False with the system's reason.
bool RemoveFile(const std::string& path, std::string* reason);

// This process's number, for names no other run of the program uses at the same time.
unsigned long ProcessNumber();

#ifdef _WIN32
// UTF-8 to UTF-16 and back for the wide calls; an empty result for text that does not convert.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const wchar_t* text);
// An English sentence for a Windows error code (GetLastError), the console's language aside.
std::string SystemErrorText(unsigned long code);
#endif
