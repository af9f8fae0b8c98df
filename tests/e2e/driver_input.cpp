#include "driver_input.h"

namespace {

void SendKey(WORD vk, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = WORD(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    Sleep(30);
}

INPUT MouseInput(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

}  // namespace

void SendMouseButtons(const DWORD* flags, int count)
{
    INPUT inputs[8];
    if (count > 8) count = 8;
    for (int i = 0; i < count; ++i) inputs[i] = MouseInput(flags[i]);
    SendInput(UINT(count), inputs, sizeof(INPUT));
}

void TurnWheel(int delta)
{
    INPUT input = MouseInput(MOUSEEVENTF_WHEEL);
    input.mi.mouseData = DWORD(delta);
    SendInput(1, &input, sizeof input);
}

void PressKey(WORD vk) { SendKey(vk, 0); }
void ReleaseKey(WORD vk) { SendKey(vk, KEYEVENTF_KEYUP); }

void TapKey(WORD vk)
{
    PressKey(vk);
    ReleaseKey(vk);
}

void TypeText(const char* text)
{
    for (const char* c = text; *c != '\0'; ++c) {
        INPUT input[2] = {};
        for (int i = 0; i < 2; ++i) {
            input[i].type = INPUT_KEYBOARD;
            input[i].ki.wScan = WORD((unsigned char)*c);
            input[i].ki.dwFlags = KEYEVENTF_UNICODE | (i == 1 ? KEYEVENTF_KEYUP : 0);
        }
        SendInput(2, input, sizeof(INPUT));
        Sleep(10);
    }
}

void ChooseFileMenuItem(char letter)
{
    // Alt alone puts the menu bar in keyboard mode on its first menu; Down opens it.
    TapKey(VK_MENU);
    Sleep(200);
    TapKey(VK_DOWN);
    Sleep(300);
    TapKey(WORD(VkKeyScanA(letter) & 0xff));
}

bool MoveMouse(int x, int y)
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    // The smallest normalised value that lands on the pixel, whichever way it is rounded back.
    input.mi.dx = LONG((x * 65536LL + width - 1) / width);
    input.mi.dy = LONG((y * 65536LL + height - 1) / height);
    SendInput(1, &input, sizeof input);
    Sleep(15);
    POINT at;
    GetCursorPos(&at);
    return at.x == x && at.y == y;
}

bool DragMouse(POINT from, POINT to)
{
    if (!MoveMouse(from.x, from.y)) return false;
    DWORD down = MOUSEEVENTF_LEFTDOWN;
    SendMouseButtons(&down, 1);
    Sleep(60);
    const int steps = 8;
    for (int i = 1; i <= steps; ++i) {
        int x = from.x + (to.x - from.x) * i / steps;
        int y = from.y + (to.y - from.y) * i / steps;
        if (!MoveMouse(x, y)) return false;
        Sleep(25);
    }
    DWORD up = MOUSEEVENTF_LEFTUP;
    SendMouseButtons(&up, 1);
    Sleep(60);
    return true;
}

bool DoubleClick(POINT at)
{
    if (!MoveMouse(at.x, at.y)) return false;
    const DWORD clicks[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN,
                            MOUSEEVENTF_LEFTUP};
    SendMouseButtons(clicks, 4);
    return true;
}

bool RightClick(POINT at)
{
    if (!MoveMouse(at.x, at.y)) return false;
    const DWORD click[] = {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP};
    SendMouseButtons(click, 2);
    return true;
}

bool LeftClick(POINT at)
{
    if (!MoveMouse(at.x, at.y)) return false;
    const DWORD click[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    SendMouseButtons(click, 2);
    Sleep(60);
    return true;
}

bool SlowDrag(POINT from, POINT to, int steps, int pause)
{
    if (!MoveMouse(from.x, from.y)) return false;
    DWORD down = MOUSEEVENTF_LEFTDOWN;
    SendMouseButtons(&down, 1);
    Sleep(pause);
    for (int i = 1; i <= steps; ++i) {
        if (!MoveMouse(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps))
            return false;
        Sleep(pause);
    }
    DWORD up = MOUSEEVENTF_LEFTUP;
    SendMouseButtons(&up, 1);
    Sleep(pause);
    return true;
}
