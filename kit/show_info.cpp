#include "kit/show_info.h"

#include <cstdarg>
#include <cstdio>

#include "kit/text.h"

int ShowInfo(HWND owner, const char* format, ...)
{
    char text[kShowInfoSize];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return MessageBoxText(owner, text, "Message", MB_OK);
}
