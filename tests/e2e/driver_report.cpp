#include "driver_report.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "driver_screen.h"

namespace {

int g_step = 0;
char g_shotFolder[MAX_PATH] = "";

void Say(const char* prefix, const char* format, va_list arguments)
{
    std::printf("%s", prefix);
    std::vprintf(format, arguments);
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

void Step(const char* format, ...)
{
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "e2e step %d: ", ++g_step);
    va_list arguments;
    va_start(arguments, format);
    Say(prefix, format, arguments);
    va_end(arguments);
}

void Note(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    Say("e2e: ", format, arguments);
    va_end(arguments);
}

void Fail(const char* format, ...)
{
    char prefix[48];
    std::snprintf(prefix, sizeof prefix, "e2e FAILED at step %d: ", g_step);
    va_list arguments;
    va_start(arguments, format);
    Say(prefix, format, arguments);
    va_end(arguments);
    Shot("failure");
    std::exit(1);
}

void SetShotFolder(const char* folder) { lstrcpynA(g_shotFolder, folder, MAX_PATH - 32); }

void Shot(const char* name)
{
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%s%s.bmp", g_shotFolder, name);
    if (SaveScreenshot(path)) Note("screenshot %s", path);
    else Note("could not write the screenshot %s", path);
}
