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

// Shows `format` with the file name `name` (UTF-8) in place of its one "%s", in a message box as
// ShowInfo's; the name shows right in any script and is never cut short.
int ShowInfoNaming(HWND owner, const char* format, const char* name);
