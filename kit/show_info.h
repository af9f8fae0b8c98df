#pragma once

#include "platform/win32.h"

constexpr int kShowInfoSize = 256;

// Formats at most 256 bytes and shows them in a message box captioned "Message" with an OK
// button, owned by `owner`. Returns the message box's result.
int ShowInfo(HWND owner, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
