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

// Names of files are UTF-8 in the program (see sprite/file_io.h); these turn them into UTF-16 and
// back. A name that is not UTF-8 gives an empty text.
std::wstring WideFromUtf8(const char* name);
std::string Utf8FromWide(const wchar_t* wide);

// A text of the program in which a file's name (UTF-8) stands, as UTF-16: where the name's bytes
// appear in the text they are read as UTF-8 and the rest as code page 949, so the name shows
// right in any script. A text cut short in the middle of the name (a set's 256-byte message)
// shows the part of the name it holds.
std::wstring WideFromTextNaming(const char* text, const char* name);
int MessageBoxNaming(HWND owner, const char* text, const char* name, const char* caption, UINT type);

int MessageBoxText(HWND owner, const char* text, const char* caption, UINT type);
BOOL SetWindowTextText(HWND window, const char* text);
BOOL TextOutText(HDC dc, int x, int y, const char* text);
int DrawTextText(HDC context, const char* text, RECT* rect, UINT format);
