#include "settings/editor_options.h"

#include <cstdio>
#include <sstream>

#include "sprite/file_io.h"

namespace {

// The settings by name, in the order they are written.
struct Setting {
    const char* name;
    bool EditorOptions::*field;
};
const Setting kSettings[] = {
    {"onion-previous", &EditorOptions::onionPrevious},
    {"onion-next", &EditorOptions::onionNext},
};

constexpr size_t kMostBytes = 64 * 1024;  // a longer file is not ours

}  // namespace

EditorOptions ParseEditorOptions(const std::string& text)
{
    EditorOptions options;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string name = line.substr(0, equals), value = line.substr(equals + 1);
        for (const Setting& setting : kSettings)
            if (name == setting.name && (value == "0" || value == "1")) options.*setting.field = value == "1";
    }
    return options;
}

std::string FormatEditorOptions(const EditorOptions& options)
{
    std::string text;
    for (const Setting& setting : kSettings)
        text += std::string(setting.name) + "=" + (options.*setting.field ? "1" : "0") + "\n";
    return text;
}

EditorOptions ReadEditorOptions(const char* path)
{
    std::string text;
    if (std::FILE* file = std::fopen(path, "rb")) {
        char chunk[4096];
        size_t got = 0;
        while (text.size() < kMostBytes && (got = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, got);
        std::fclose(file);
    }
    if (text.size() >= kMostBytes) return EditorOptions();
    return ParseEditorOptions(text);
}

int WriteEditorOptions(const char* path, const EditorOptions& options)
{
    const std::string text = FormatEditorOptions(options);
    SafeFileWriter writer;
    if (!writer.Open(path)) return 0;
    if (!writer.Write(reinterpret_cast<const uint8_t*>(text.data()), text.size())) return 0;
    return writer.Commit() ? 1 : 0;
}
