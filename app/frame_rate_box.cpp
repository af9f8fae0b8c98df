#include "app/frame_rate_box.h"

#include <cstring>

#include "resources/resource.h"

namespace {

struct FrameRate {
    const char* text;
    int fps;
};

// The list, in its order (not sorted).
constexpr FrameRate kFrameRates[kFrameRateCount] = {
    {"No delay", 0}, {"05 fps", 5},  {"10 fps", 10}, {"15 fps", 15}, {"20 fps", 20},
    {"25 fps", 25},  {"30 fps", 30}, {"35 fps", 35}, {"40 fps", 40}, {"45 fps", 45},
    {"50 fps", 50},  {"55 fps", 55}, {"60 fps", 60}, {"65 fps", 65}, {"70 fps", 70},
};

constexpr DWORD kFrameRateBoxStyle = WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL;
constexpr int kEntryTextSize = 32;

WNDPROC g_frameRateBoxProc = nullptr;

int SelectedFrameRate(HWND box)
{
    return FrameRateAt(int(SendMessageA(box, CB_GETCURSEL, 0, 0)));
}

// Every WM_COMMAND the box gets is a notification of its edit field: the text may have changed,
// so the toolbar is told the selected rate.
LRESULT CALLBACK FrameRateBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND)
        PostMessageA(GetParent(box), WM_COMMAND, ID_FPS_CHANGED, SelectedFrameRate(box));
    return CallWindowProcA(g_frameRateBoxProc, box, message, wParam, lParam);
}

}  // namespace

HWND CreateFrameRateBox(HWND mainWindow, HWND toolbar)
{
    HINSTANCE instance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    HWND box = CreateWindowExA(0, "combobox", "", kFrameRateBoxStyle, 0, 0, kFrameRateBoxWidth,
                               kFrameRateBoxHeight, mainWindow,
                               reinterpret_cast<HMENU>(INT_PTR(ID_FPS_CHANGED)), instance, nullptr);
    if (box == nullptr) return nullptr;
    if (toolbar != nullptr) SetParent(box, toolbar);
    for (const FrameRate& rate : kFrameRates)
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rate.text));
    SendMessageA(box, CB_SETCURSEL, 0, 0);
    g_frameRateBoxProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameRateBoxProc)));
    return box;
}

int FrameRateAt(int position)
{
    return position >= 0 && position < kFrameRateCount ? kFrameRates[position].fps : 0;
}

int FrameRateForPlay()
{
    if (g_fpsCombo == nullptr) return 0;
    const LRESULT position = SendMessageA(g_fpsCombo, CB_GETCURSEL, 0, 0);
    char text[kEntryTextSize] = "";
    if (position < 0 ||
        SendMessageA(g_fpsCombo, CB_GETLBTEXTLEN, WPARAM(position), 0) >= kEntryTextSize)
        return 0;
    SendMessageA(g_fpsCombo, CB_GETLBTEXT, WPARAM(position), reinterpret_cast<LPARAM>(text));
    for (const FrameRate& rate : kFrameRates)
        if (std::strcmp(text, rate.text) == 0) return rate.fps;
    return 0;
}
