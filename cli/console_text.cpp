#include "cli/console_text.h"

#ifdef _WIN32
#include "platform/win32.h"
#else
#include <iconv.h>

#include <cerrno>
#endif

#include <algorithm>

#include "image/image_buffer.h"

namespace {

#ifdef _WIN32

// Windows knows code page 949 itself; what is not code page 949 becomes its replacement character.
std::string FromCp949(const std::string& text)
{
    if (text.empty()) return std::string();
    const int wideLength = MultiByteToWideChar(949, 0, text.data(), int(text.size()), nullptr, 0);
    if (wideLength <= 0) return text;  // no converter: the bytes as they are
    std::wstring wide(size_t(wideLength), L'\0');
    MultiByteToWideChar(949, 0, text.data(), int(text.size()), &wide[0], wideLength);
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return text;
    std::string out(size_t(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, &out[0], length, nullptr, nullptr);
    return out;
}

#else

std::string FromCp949(const std::string& text)
{
    std::string out;
    if (text.empty()) return out;
    iconv_t cd = iconv_open("UTF-8", "CP949");
    if (cd == reinterpret_cast<iconv_t>(-1)) return text;  // no converter: the bytes as they are
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char buffer[512];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t done = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, size_t(outPtr - buffer));
        if (done == size_t(-1) && errno != E2BIG) {
            // An invalid or cut-off sequence: one replacement character, then go on after it.
            out += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return out;
}

#endif

}  // namespace

std::string ConsoleText(const char* message, const std::string& path)
{
    const std::string text = message != nullptr ? message : "";
    size_t at = std::string::npos;
    size_t length = 0;
    if (!path.empty()) {
        at = text.find(path);
        if (at != std::string::npos) {
            length = path.size();
        } else if (text.size() + 1 >= size_t(kImageMessageSize)) {
            // A message cut to fit (a picture's message holds 79 bytes) may end inside the path:
            // keep the longest beginning of it that the message ends with.
            for (size_t n = std::min(path.size(), text.size()); n > 0; --n) {
                if (text.compare(text.size() - n, n, path, 0, n) == 0) {
                    at = text.size() - n;
                    length = n;
                    break;
                }
            }
        }
    }
    if (at == std::string::npos) return FromCp949(text);
    return FromCp949(text.substr(0, at)) + text.substr(at, length) + FromCp949(text.substr(at + length));
}
