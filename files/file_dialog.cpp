// Shell code: the record that every File command's dialog is made from, and the turning of the
// program's UTF-8 names into the dialog's UTF-16 and back.
#include "files/file_dialog.h"

#include <cstddef>
#include <cstring>
#include <string>

#include "kit/text.h"

OPENFILENAMEW g_fileDialog;

static_assert(sizeof(void*) != 8 ||
                  offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR) == 136,
              "the 64-bit pre-Windows 2000 record is 136 bytes");

namespace {

wchar_t s_path[kFilePathSize];
wchar_t s_title[kFileTitleSize];
std::wstring s_filter;
std::wstring s_extension;

// A filter's pairs of zero-terminated texts, up to and with the final zero.
std::wstring WideFilter(const char* filter)
{
    std::wstring wide;
    for (const char* p = filter; *p != '\0'; p += std::strlen(p) + 1) {
        wide += WideFromText(p);
        wide.push_back(L'\0');
    }
    wide.push_back(L'\0');
    return wide;
}

// Copies UTF-8 `name` into a UTF-16 buffer of `capacity` characters, cut short when longer.
void CopyWide(const char* name, wchar_t* buffer, size_t capacity)
{
    const std::wstring wide = WideFromUtf8(name);
    const size_t length = wide.size() < capacity ? wide.size() : capacity - 1;
    std::memcpy(buffer, wide.data(), length * sizeof(wchar_t));
    buffer[length] = L'\0';
}

// Copies a UTF-16 name into a UTF-8 buffer of `capacity` bytes (large enough by its size).
void CopyUtf8(const wchar_t* wide, char* buffer, size_t capacity)
{
    const std::string name = Utf8FromWide(wide);
    const size_t length = name.size() < capacity ? name.size() : capacity - 1;
    std::memcpy(buffer, name.data(), length);
    buffer[length] = '\0';
}

void Prepare(HWND owner, const char* filter, const char* path, DWORD flags, const char* extension)
{
    std::memset(&g_fileDialog, 0, sizeof g_fileDialog);
    s_filter = WideFilter(filter);
    s_extension = WideFromText(extension);
    CopyWide(path, s_path, kFilePathSize);
    s_title[0] = L'\0';
    // The pre-Windows 2000 record (no places bar, as the program has always looked), at its
    // size in this 64-bit build: 136 bytes, where the 32-bit record was 76.
    g_fileDialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    g_fileDialog.hwndOwner = owner;
    g_fileDialog.lpstrFilter = s_filter.c_str();
    g_fileDialog.lpstrFile = s_path;
    g_fileDialog.nMaxFile = kFilePathSize;
    g_fileDialog.lpstrFileTitle = s_title;
    g_fileDialog.nMaxFileTitle = kFileTitleSize;
    g_fileDialog.Flags = flags;
    g_fileDialog.lpstrDefExt = s_extension.c_str();
}

bool Chosen(BOOL answer, char* path, char* title)
{
    if (!answer) return false;
    CopyUtf8(s_path, path, kFilePathBytes);
    CopyUtf8(s_title, title, kFileTitleBytes);
    return true;
}

}  // namespace

bool AskOpenFile(HWND owner, const char* filter, char* path, char* title, const char* extension)
{
    Prepare(owner, filter, path, kOpenDialogFlags, extension);
    return Chosen(GetOpenFileNameW(&g_fileDialog), path, title);
}

bool AskSaveFile(HWND owner, const char* filter, char* path, char* title, const char* extension)
{
    Prepare(owner, filter, path, kSaveDialogFlags, extension);
    return Chosen(GetSaveFileNameW(&g_fileDialog), path, title);
}

const char* FileTitleOf(const char* path)
{
    const char* title = path;
    for (const char* p = path; *p != '\0'; ++p)
        if (*p == '\\' || *p == '/' || *p == ':') title = p + 1;
    return title;
}
