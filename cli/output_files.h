// Writing the command line's output files whole: each goes to a new file beside its target and
// replaces the target only once every byte was written and the file closed, so a failed export
// never leaves half a PNG where a good one was.
#pragma once

#include <cstddef>
#include <string>

// False with a UTF-8 text naming the path and the system's reason.
bool WriteWholeFile(const std::string& path, const void* data, size_t size, std::string* error);

// Creates the folder and its parents when missing. False with a text when it cannot.
bool MakeFolder(const std::string& path, std::string* error);
