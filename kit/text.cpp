#include "kit/text.h"

std::wstring WideFromText(const char* text)
{
    if (text == nullptr || *text == '\0') return std::wstring();
    int length = MultiByteToWideChar(kTextCodePage, 0, text, -1, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(kTextCodePage, 0, text, -1, wide.data(), length);
    wide.resize(size_t(length - 1));
    return wide;
}

std::wstring WideFromUtf8(const std::string& text)
{
    if (text.empty()) return std::wstring();
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), wide.data(), length);
    return wide;
}

std::string TextFromWide(const wchar_t* wide)
{
    if (wide == nullptr || *wide == L'\0') return std::string();
    int length = WideCharToMultiByte(kTextCodePage, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string text(size_t(length), '\0');
    WideCharToMultiByte(kTextCodePage, 0, wide, -1, text.data(), length, nullptr, nullptr);
    text.resize(size_t(length - 1));
    return text;
}

int MessageBoxText(HWND owner, const char* text, const char* caption, UINT type)
{
    return MessageBoxW(owner, WideFromText(text).c_str(), WideFromText(caption).c_str(), type);
}

BOOL SetWindowTextText(HWND window, const char* text)
{
    return SetWindowTextW(window, WideFromText(text).c_str());
}

BOOL TextOutText(HDC dc, int x, int y, const char* text)
{
    std::wstring wide = WideFromText(text);
    return TextOutW(dc, x, y, wide.c_str(), int(wide.size()));
}

int DrawTextText(HDC context, const char* text, RECT* rect, UINT format)
{
    std::wstring wide = WideFromText(text);
    return DrawTextW(context, wide.c_str(), int(wide.size()), rect, format);
}
