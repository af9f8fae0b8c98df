// Byte and file I/O shared by every reader and writer of the core (sprite files, BMP, PCX and
// palette files): explicit little-endian fields (files are never read or written by dumping
// structs), a bounded cursor over bytes in memory, the whole of a file read into memory, and a
// writer that replaces its target only once everything was written.
//
// Names of files: in the Windows build a name is UTF-8 and the file is opened through the wide
// calls, so a name in any script opens, whatever the system's code page; elsewhere a name is
// bytes, as the system takes them.
//
// Nothing here throws: every allocation is std::malloc and every failure is a result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

inline uint16_t ReadLe16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t ReadLe32(const uint8_t* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}
inline void WriteLe16(uint8_t* p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void WriteLe32(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

// Reads bytes held in memory from front to back and never past their end: every read either
// gets all it asks for or nothing.
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : data_(data), size_(data != nullptr ? size : 0) {}

    size_t Size() const { return size_; }
    size_t Position() const { return position_; }
    size_t Left() const { return size_ - position_; }

    // Moves to byte `offset` from the start; false (and no move) past the end.
    bool Seek(uint64_t offset)
    {
        if (offset > size_) return false;
        position_ = size_t(offset);
        return true;
    }
    // The next `size` bytes, stepped over; null when fewer are left.
    const uint8_t* Take(uint64_t size)
    {
        if (size > Left()) return nullptr;
        const uint8_t* at = data_ + position_;
        position_ += size_t(size);
        return at;
    }
    // Copies the next `size` bytes; false (and nothing read) when fewer are left.
    bool Read(void* destination, uint64_t size);
    // The next byte, or -1 at the end (as getc gives EOF).
    int Next() { return position_ < size_ ? data_[position_++] : -1; }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

// Opens the file at `path` as a C stream in `mode` ("rb", "wb"...); null when it cannot be opened
// (or, in the Windows build, when the name is not UTF-8).
std::FILE* OpenStream(const char* path, const char* mode);

#ifdef _WIN32
// A UTF-8 name as UTF-16 for the wide file calls, in a std::malloc block of its own; `text` is
// null when the name is not valid UTF-8 or no memory could be had.
struct WidePath {
    explicit WidePath(const char* path);
    ~WidePath();
    WidePath(const WidePath&) = delete;
    WidePath& operator=(const WidePath&) = delete;
    wchar_t* text;
};
#endif

// Closes a C stream when it goes out of scope.
struct FileCloser {
    std::FILE* file;
    ~FileCloser()
    {
        if (file != nullptr) std::fclose(file);
    }
};

// The whole of a file, in one std::malloc block owned by this object.
class FileBytes {
public:
    enum Status {
        kRead,        // every byte of the file
        kCannotOpen,  // the file cannot be opened for reading (missing, no right to read)
        kNoMemory,    // the file is larger than the memory that could be had
        kReadError,   // reading failed part way (a folder, a device error): holds what came first
    };

    FileBytes() = default;
    ~FileBytes();
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    // Reads the file at `path`, replacing what was held; at most `limit` bytes when given.
    Status Read(const char* path, uint64_t limit = UINT64_MAX);

    const uint8_t* Data() const { return data_; }
    size_t Size() const { return size_; }

private:
    void Reset();

    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

// Writes a file through a temporary file in the same folder. Nothing touches the target until
// Commit, which checks the close and then moves the temporary file over the target. Dropping the
// writer without a successful Commit removes the temporary file and leaves the target as it was.
//
// The temporary file is `<target>.~N` for the first N from 0 whose name nothing (file or folder)
// uses yet; it is created exclusively, so a name taken meanwhile is passed over too. A replaced
// file hands on its attributes (hidden, system, archive on Windows) or its permission bits
// (elsewhere); on Windows a read-only file is not replaced.
class SafeFileWriter {
public:
    SafeFileWriter() = default;
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the temporary file beside `target`. False when it cannot be created.
    bool Open(const char* target);
    // Appends bytes; a failed write makes this and every later Write and the Commit fail.
    bool Write(const void* data, size_t size);
    // Closes the temporary file and moves it over the target. False on any failure so far.
    bool Commit();

private:
    void Discard();

    std::FILE* file_ = nullptr;
    char* target_ = nullptr;  // std::malloc'd copies of the two names
    char* temp_ = nullptr;
    bool failed_ = false;
};
