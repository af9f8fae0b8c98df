#include "monkey.h"

#include <cstdarg>

namespace {

void WriteLine(Monkey& monkey, const char* mark, const char* format, va_list arguments)
{
    if (monkey.log == nullptr) return;
    double seconds = (GetTickCount() - monkey.start) / 1000.0;
    std::fprintf(monkey.log, "%6d %8.1f %s", monkey.actions, seconds, mark);
    std::vfprintf(monkey.log, format, arguments);
    std::fputc('\n', monkey.log);
    std::fflush(monkey.log);
}

}  // namespace

int Monkey::Pick(int count)
{
    if (count <= 1) return 0;
    return int(std::uniform_int_distribution<int>(0, count - 1)(rng));
}

int Monkey::Between(int low, int high)
{
    if (high <= low) return low;
    return int(std::uniform_int_distribution<int>(low, high)(rng));
}

bool Monkey::Chance(int percent) { return Pick(100) < percent; }

void Monkey::Action(const char* format, ...)
{
    ++actions;
    va_list arguments;
    va_start(arguments, format);
    WriteLine(*this, "", format, arguments);
    va_end(arguments);
}

void Monkey::Note(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    WriteLine(*this, "  ", format, arguments);
    va_end(arguments);
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

RECT ScreenRect(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT cut;
    if (!IntersectRect(&cut, &rect, &screen)) return {0, 0, 0, 0};
    return cut;
}

POINT PointIn(Monkey& monkey, const RECT& rect)
{
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    return {monkey.Between(rect.left, rect.right - 1), monkey.Between(rect.top, rect.bottom - 1)};
}

std::string TextOf(HWND window)
{
    if (window == nullptr) return "";
    wchar_t wide[256] = {};
    // Another process's window: its text comes by message, with a bound on the wait.
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(wide), SMTO_ABORTIFHUNG, 500,
                        &length);
    char text[768] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    // One line of the log each: line breaks become spaces.
    for (char& c : text)
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    return text;
}

std::string Describe(POINT at)
{
    HWND window = WindowFromPoint(at);
    if (window == nullptr) return "nothing";
    std::string text = TextOf(window);
    if (text.size() > 40) text.resize(40);
    char line[256];
    std::snprintf(line, sizeof line, "%s#%d \"%s\" at (%ld, %ld)", ClassOf(window).c_str(),
                  int(GetDlgCtrlID(window)), text.c_str(), at.x, at.y);
    return line;
}

namespace {

// The driver's window handles its own messages only when asked: between actions it sleeps.
void PumpOwnMessages(DWORD ms)
{
    const DWORD until = GetTickCount() + ms;
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    } while (LONG(GetTickCount() - until) < 0);
}

}  // namespace

void TakeTheFocus(Monkey& monkey)
{
    if (monkey.own == nullptr) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = "MonkeyWindow";
        RegisterClassA(&windowClass);
        monkey.own = CreateWindowA("MonkeyWindow", "Another program", WS_OVERLAPPEDWINDOW, 40, 40, 240, 120,
                                   nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (monkey.own == nullptr) return;
    }
    ShowWindow(monkey.own, SW_SHOW);
    SetForegroundWindow(monkey.own);
    PumpOwnMessages(60);
}

void GiveTheFocusBack(Monkey& monkey)
{
    if (monkey.own == nullptr || !IsWindowVisible(monkey.own)) return;
    ShowWindow(monkey.own, SW_HIDE);
    PumpOwnMessages(20);
    if (monkey.main != nullptr && IsWindow(monkey.main)) SetForegroundWindow(monkey.main);
    PumpOwnMessages(20);
}
