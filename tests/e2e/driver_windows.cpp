#include "driver_windows.h"

#include <cstring>

namespace {

struct Search {
    const char* className;
    DWORD pid;
    HWND except;
    HWND found;
};

bool HasClass(HWND window, const char* className)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, className) == 0;
}

BOOL CALLBACK MatchTop(HWND window, LPARAM data)
{
    Search* search = reinterpret_cast<Search*>(data);
    if (window == search->except || !IsWindowVisible(window) || !HasClass(window, search->className))
        return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (search->pid != 0 && pid != search->pid) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK MatchChild(HWND window, LPARAM data)
{
    Search* search = reinterpret_cast<Search*>(data);
    if (!HasClass(window, search->className)) return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FirstStaticText(HWND window, LPARAM data)
{
    char* text = reinterpret_cast<char*>(data);
    if (!HasClass(window, "Static")) return TRUE;
    GetWindowTextA(window, text, 256);
    return text[0] == '\0';
}

}  // namespace

HWND WaitForTopWindow(const char* className, DWORD pid, DWORD ms)
{
    for (DWORD waited = 0;; waited += 50) {
        Search search = {className, pid, nullptr, nullptr};
        EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr || waited >= ms) return search.found;
        Sleep(50);
    }
}

bool WaitForWindowGone(HWND window, DWORD ms)
{
    for (DWORD waited = 0;; waited += 50) {
        if (!IsWindow(window) || !IsWindowVisible(window)) return true;
        if (waited >= ms) return false;
        Sleep(50);
    }
}

HWND FindDescendant(HWND parent, const char* className)
{
    Search search = {className, 0, nullptr, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool WaitForWindowText(HWND window, const char* text, DWORD ms)
{
    for (DWORD waited = 0;; waited += 50) {
        char now[512] = {};
        GetWindowTextA(window, now, sizeof now);
        if (std::strcmp(now, text) == 0) return true;
        if (waited >= ms) return false;
        Sleep(50);
    }
}

bool WaitForFocusIn(HWND window, DWORD ms)
{
    DWORD thread = GetWindowThreadProcessId(window, nullptr);
    for (DWORD waited = 0;; waited += 50) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(thread, &info) && info.hwndFocus != nullptr &&
            (info.hwndFocus == window || IsChild(window, info.hwndFocus)))
            return true;
        if (waited >= ms) return false;
        Sleep(50);
    }
}

HWND FindDialog(DWORD pid, HWND except)
{
    Search search = {"#32770", pid, except, nullptr};
    EnumWindows(MatchTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void DialogText(HWND dialog, char* text, int size)
{
    char buffer[256] = {};
    EnumChildWindows(dialog, FirstStaticText, reinterpret_cast<LPARAM>(buffer));
    lstrcpynA(text, buffer, size);
}
