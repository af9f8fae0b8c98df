#include "settings/recent_files.h"

#include "sprite/file_io.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char Folded(char c)
{
    if (c >= 'A' && c <= 'Z') return char(c - 'A' + 'a');
    return c == '/' ? '\\' : c;
}

// Length of the UTF-8 character at `p` (of `left` bytes), or 0 when it is not well formed:
// shortest form only, no surrogate halves, nothing past U+10FFFF.
size_t Utf8Length(const uint8_t* p, size_t left)
{
    const uint8_t b = p[0];
    if (b < 0x80) return 1;
    size_t length;
    uint8_t low = 0x80, high = 0xBF;  // the bounds of the second byte
    if (b >= 0xC2 && b <= 0xDF) length = 2;
    else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0) low = 0xA0;
        if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0) low = 0x90;
        if (b == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (left < length || p[1] < low || p[1] > high) return 0;
    for (size_t i = 2; i < length; ++i)
        if (p[i] < 0x80 || p[i] > 0xBF) return 0;
    return length;
}

// Whether a line can be a name: UTF-8 without control characters, not too long.
bool IsName(const uint8_t* p, size_t size)
{
    if (size > kRecentNameBytes) return false;
    for (size_t i = 0; i < size;) {
        if (p[i] < 0x20 || p[i] == 0x7F) return false;
        const size_t length = Utf8Length(p + i, size - i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

// Characters (code points) of a UTF-8 text.
size_t CharCount(const std::string& text)
{
    size_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

// A long name with its middle folders given as "...".
std::string Shortened(const std::string& name)
{
    if (CharCount(name) <= size_t(kRecentMenuChars)) return name;
    // The first folder: up to the first separator that follows something else ("C:\", "/home/").
    size_t headEnd = 0;
    for (size_t i = 1; i < name.size() && headEnd == 0; ++i)
        if (IsSeparator(name[i]) && !IsSeparator(name[i - 1])) headEnd = i + 1;
    size_t tailStart = name.size();
    while (tailStart > 0 && !IsSeparator(name[tailStart - 1])) --tailStart;
    if (headEnd == 0 || tailStart <= headEnd) return name;  // no folders between to leave out
    const std::string gap = std::string("...") + name[tailStart - 1];
    const std::string head = name.substr(0, headEnd);
    // Whole parts from the end while they fit; the file's own name always.
    size_t start = tailStart;
    while (start > headEnd) {
        size_t before = start - 1;
        while (before > headEnd && !IsSeparator(name[before - 1])) --before;
        if (CharCount(head + gap + name.substr(before)) > size_t(kRecentMenuChars)) break;
        start = before;
    }
    if (start <= headEnd) return name;
    const std::string tail = name.substr(start);
    if (CharCount(head + gap + tail) > size_t(kRecentMenuChars)) return gap + tail;
    return head + gap + tail;
}

}  // namespace

bool SameFileName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Folded(a[i]) != Folded(b[i])) return false;
    return true;
}

void AddRecentFile(RecentList* list, const std::string& name)
{
    if (name.empty()) return;
    RemoveRecentFile(list, name);
    list->insert(list->begin(), name);
    if (list->size() > size_t(kRecentFilesMax)) list->resize(size_t(kRecentFilesMax));
}

void RemoveRecentFile(RecentList* list, const std::string& name)
{
    for (size_t i = 0; i < list->size();) {
        if (SameFileName((*list)[i], name)) list->erase(list->begin() + long(i));
        else ++i;
    }
}

RecentList DecodeRecentFiles(const uint8_t* bytes, size_t size)
{
    RecentList names;
    bool header = true;
    for (size_t at = 0; bytes != nullptr && at < size;) {
        size_t end = at;
        while (end < size && bytes[end] != '\n') ++end;
        size_t length = end - at;
        if (length > 0 && bytes[at + length - 1] == '\r') --length;
        const std::string line(reinterpret_cast<const char*>(bytes + at), length);
        if (header) {
            if (line != kRecentFilesHeader) return RecentList();
            header = false;
        } else if (length > 0) {
            if (!IsName(bytes + at, length)) return RecentList();
            // A name again keeps its first (latest) place.
            bool again = false;
            for (const std::string& kept : names) again = again || SameFileName(kept, line);
            if (!again && names.size() < size_t(kRecentFilesMax)) names.push_back(line);
        }
        at = end + 1;
    }
    return names;
}

std::string EncodeRecentFiles(const RecentList& list)
{
    std::string text = std::string(kRecentFilesHeader) + "\r\n";
    for (const std::string& name : list) text += name + "\r\n";
    return text;
}

RecentList ReadRecentFiles(const char* path)
{
    // Eight names and the header fit well within this; a larger file is no list of ours.
    constexpr uint64_t kLimit = 64 * 1024;
    FileBytes file;
    if (file.Read(path, kLimit + 1) != FileBytes::kRead || file.Size() > kLimit) return RecentList();
    return DecodeRecentFiles(file.Data(), file.Size());
}

int WriteRecentFiles(const char* path, const RecentList& list)
{
    const std::string text = EncodeRecentFiles(list);
    SafeFileWriter writer;
    if (!writer.Open(path)) return 0;
    if (!writer.Write(text.data(), text.size())) return 0;
    return writer.Commit() ? 1 : 0;
}

std::string RecentMenuText(int index, const std::string& name)
{
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : Shortened(name)) {
        text.push_back(c);
        if (c == '&') text.push_back('&');
    }
    return text;
}
