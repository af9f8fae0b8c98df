// Writing the command line's output files whole, and never over what is not a plain file.
//
// A single file goes to a new file beside its target and replaces the target only once every
// byte was written and the file closed. An export of several files goes to a new folder: beside
// the output folder when that does not exist yet (and becomes it whole), inside it otherwise; the
// files move into place only once every one was written, and files of an earlier export that
// this one does not write again are removed then. A failed export leaves the folder as it was.
//
// A target that exists and is not a regular file (a folder, a FIFO, a device) is refused, and so
// is a symbolic link: replacing it would turn the link into a file, and writing through it would
// write somewhere the user did not name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// False with a UTF-8 text naming the path and the system's reason.
bool WriteWholeFile(const std::string& path, const void* data, size_t size, std::string* error);

// False with a text when `path` exists and is not a regular file (a symbolic link included).
bool CheckOutputPath(const std::string& path, std::string* error);

// Writes the bytes to standard output. False with a text when the write fails.
bool WriteStandardOutput(const void* data, size_t size, std::string* error);

// Flushes standard output and checks that everything written to it arrived. False with a text
// (a full disk, a closed pipe) when not.
bool FinishStandardOutput(std::string* error);

// An export into a folder, written aside and moved into place whole.
class StagedFolder {
public:
    // Names (without folder) that belong to an export like this one: those of an earlier export
    // that this one does not write again are removed when it commits.
    using Family = std::function<bool(const std::string& name)>;

    StagedFolder() = default;
    ~StagedFolder();  // an export that did not commit leaves nothing behind
    StagedFolder(const StagedFolder&) = delete;
    StagedFolder& operator=(const StagedFolder&) = delete;

    // Makes the folder's parents when missing and the folder to write into. False with a text.
    bool Begin(const std::string& folder, std::string* error);
    // Writes one file into the staging folder. False with a text (the target's name in it).
    bool Write(const std::string& name, const std::vector<uint8_t>& bytes, std::string* error);
    // Moves every written file into place and removes the family's other files there.
    bool Commit(const Family& family, std::string* error);

private:
    void Discard();

    std::string folder_;
    std::string staging_;
    bool folderIsNew_ = false;
    std::vector<std::string> names_;
};
