// Checked reads from the C library's buffered streams, with 64-bit positions on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Length of the file behind `stream` in bytes, or -1 when it cannot be told (not a regular file).
// Leaves the position at the end.
int64_t StreamLength(std::FILE* stream);

// Moves to byte `offset` from the start; false on failure.
bool SeekStream(std::FILE* stream, int64_t offset);

// Reads exactly `size` bytes; false when the stream ends or fails first.
bool ReadExact(std::FILE* stream, void* destination, size_t size);
