// The core's texts are code page 949 (the program's own encoding); a terminal on Linux reads
// UTF-8, and so does the Windows console while the program runs. A core message often holds the
// file path as the user typed it, already UTF-8 (the Windows build turns its arguments into
// UTF-8), so that part is kept as it is and only the rest is converted.
#pragma once

#include <string>

// `message` (code page 949) as UTF-8, with the bytes of `path` (or of a beginning of it, where the
// message was cut short) kept unconverted. Bytes that are not code page 949 become U+FFFD.
std::string ConsoleText(const char* message, const std::string& path = std::string());
