// Small file helpers shared by the readers and writers of the core: explicit little-endian
// fields (files are never read or written by dumping structs) and a writer that replaces its
// target only once everything was written.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

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

// Writes a file through a temporary file in the same folder. Nothing touches the target until
// Commit, which checks the close and then moves the temporary file over the target. Dropping the
// writer without a successful Commit removes the temporary file and leaves the target as it was.
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
    std::string target_;
    std::string temp_;
    bool failed_ = false;
};
