#include "kit/text.h"

#include <algorithm>
#include <cstring>

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

namespace {

std::wstring WideFrom(UINT codePage, DWORD flags, const char* text, size_t size)
{
    if (size == 0) return std::wstring();
    const int length = MultiByteToWideChar(codePage, flags, text, int(size), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(codePage, flags, text, int(size), wide.data(), length);
    return wide;
}

// The length of the longest start of `text` (of `size` bytes) that ends on a whole UTF-8
// character: a name cut short may end in the middle of one.
size_t WholeUtf8(const char* text, size_t size)
{
    size_t end = size;
    size_t back = 0;
    while (back < 3 && back < end && (static_cast<unsigned char>(text[end - 1 - back]) & 0xC0) == 0x80) ++back;
    if (back == end) return size;
    const unsigned char lead = static_cast<unsigned char>(text[end - 1 - back]);
    const size_t need = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return need > back + 1 ? end - 1 - back : size;
}

}  // namespace

std::wstring WideFromUtf8(const char* name)
{
    if (name == nullptr) return std::wstring();
    return WideFrom(CP_UTF8, MB_ERR_INVALID_CHARS, name, std::strlen(name));
}

std::string Utf8FromWide(const wchar_t* wide)
{
    if (wide == nullptr || *wide == L'\0') return std::string();
    int length = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string text(size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), length, nullptr, nullptr);
    text.resize(size_t(length - 1));
    return text;
}

std::wstring WideFromTextNaming(const char* text, const char* name)
{
    if (text == nullptr) return std::wstring();
    const std::string whole = text;
    const std::string named = name != nullptr ? name : "";
    size_t at = named.empty() ? std::string::npos : whole.find(named);
    size_t length = named.size();
    if (at == std::string::npos && !named.empty()) {
        // The text may end in the first part of the name.
        for (length = std::min(whole.size(), named.size()); length > 0; --length)
            if (whole.compare(whole.size() - length, length, named, 0, length) == 0) break;
        if (length > 0) at = whole.size() - length;
    }
    if (at == std::string::npos) return WideFromText(text);
    const size_t shown = WholeUtf8(whole.data() + at, length);
    return WideFrom(kTextCodePage, 0, whole.data(), at) + WideFrom(CP_UTF8, 0, whole.data() + at, shown) +
           WideFrom(kTextCodePage, 0, whole.data() + at + length, whole.size() - at - length);
}

int MessageBoxNaming(HWND owner, const char* text, const char* name, const char* caption, UINT type)
{
    return MessageBoxW(owner, WideFromTextNaming(text, name).c_str(), WideFromText(caption).c_str(), type);
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
