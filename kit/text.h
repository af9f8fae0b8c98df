// The program's texts are code page 949 bytes (every narrow literal is compiled that way). They
// are shown through these helpers, which turn them into UTF-16 and call the wide Windows
// functions, so they read right on any Windows code page, not only a Korean one.
#pragma once

#include <string>

#include "platform/win32.h"

constexpr UINT kTextCodePage = 949;

std::wstring WideFromText(const char* text);
std::string TextFromWide(const wchar_t* wide);
// UTF-8 (the core's names of things, such as the history's steps) as UTF-16.
std::wstring WideFromUtf8(const std::string& text);

int MessageBoxText(HWND owner, const char* text, const char* caption, UINT type);
BOOL SetWindowTextText(HWND window, const char* text);
BOOL TextOutText(HDC dc, int x, int y, const char* text);
int DrawTextText(HDC context, const char* text, RECT* rect, UINT format);
