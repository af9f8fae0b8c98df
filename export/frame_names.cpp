#include "export/frame_names.h"

#include <cstdio>

namespace {

// Walks the pattern: calls text(c) for each literal character, input() for %s and
// number(width, zeros) for the index; false at anything else after a %.
template <class Text, class Input, class Number>
bool Walk(const std::string& pattern, Text text, Input input, Number number)
{
    for (size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%') {
            text(pattern[i]);
            continue;
        }
        if (++i >= pattern.size()) return false;
        if (pattern[i] == '%') {
            text('%');
            continue;
        }
        if (pattern[i] == 's') {
            input();
            continue;
        }
        const bool zeros = pattern[i] == '0';
        if (zeros) ++i;
        int width = 0;
        while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9' && width < 100)
            width = width * 10 + (pattern[i++] - '0');
        if (i >= pattern.size() || pattern[i] != 'd' || width > 9) return false;
        number(width, zeros);
    }
    return true;
}

}  // namespace

std::string NamePatternProblem(const std::string& pattern)
{
    int numbers = 0;
    if (!Walk(pattern, [](char) {}, [] {}, [&](int, bool) { ++numbers; }))
        return "a name pattern knows %s, %d (or %05d and the like, up to 9 digits) and %%";
    if (numbers != 1) return "a name pattern holds the sprite's number once (%d, or %05d and the like)";
    return "";
}

bool NamePatternHasInput(const std::string& pattern)
{
    bool has = false;
    Walk(pattern, [](char) {}, [&] { has = true; }, [](int, bool) {});
    return has;
}

std::string FrameName(const std::string& pattern, const std::string& input, int index)
{
    std::string name;
    Walk(pattern, [&](char c) { name += c; }, [&] { name += input; },
         [&](int width, bool zeros) {
             char digits[32];
             std::snprintf(digits, sizeof digits, zeros ? "%0*d" : "%*d", width, index);
             name += digits;
         });
    return name;
}

std::string InputName(const std::string& path)
{
    if (path == "-") return "stdin";
#ifdef _WIN32
    const size_t slash = path.find_last_of("/\\");  // either separates folders on Windows
#else
    const size_t slash = path.find_last_of('/');
#endif
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos && dot > 0) name.erase(dot);
    return name;
}

bool MatchesNamePattern(const std::string& file, const std::string& pattern, const std::string& input,
                        const std::string& extension)
{
    if (file.size() < extension.size() || file.compare(file.size() - extension.size(), extension.size(), extension) != 0)
        return false;
    const std::string stem = file.substr(0, file.size() - extension.size());
    // Literal pieces must match in order; the number takes one or more digits (or spaces, for a
    // width without zeros).
    size_t at = 0;
    bool ok = true;
    Walk(pattern,
         [&](char c) { ok = ok && at < stem.size() && stem[at++] == c; },
         [&] {
             ok = ok && stem.compare(at, input.size(), input) == 0;
             at += input.size();
         },
         [&](int, bool) {
             const size_t start = at;
             while (at < stem.size() && stem[at] == ' ') ++at;
             const size_t digits = at;
             while (at < stem.size() && stem[at] >= '0' && stem[at] <= '9') ++at;
             ok = ok && at > digits && at > start;
         });
    return ok && at == stem.size();
}

bool MatchesPageName(const std::string& file, const std::string& name)
{
    if (file == name) return true;
    const size_t dot = name.find_last_of('.');
    const std::string stem = dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
    const std::string extension = dot == std::string::npos || dot == 0 ? "" : name.substr(dot);
    if (file.size() <= stem.size() + 1 + extension.size() || file.compare(0, stem.size(), stem) != 0 ||
        file[stem.size()] != '-' || file.compare(file.size() - extension.size(), extension.size(), extension) != 0)
        return false;
    for (size_t i = stem.size() + 1; i < file.size() - extension.size(); ++i)
        if (file[i] < '0' || file[i] > '9') return false;
    return true;
}
