#include "kit/show_info.h"

#include <cstdarg>
#include <cstdio>
#include <string>

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

int ShowInfoNaming(HWND owner, const char* format, const char* name)
{
    std::string text = format;
    const size_t at = text.find("%s");
    if (at != std::string::npos) text.replace(at, 2, name != nullptr ? name : "");
    return MessageBoxNaming(owner, text.c_str(), name, "Message", MB_OK);
}
