// Documents and files for the GUI tests: sprite sets of given sizes, whole-file reads and writes,
// and a WH_CBT hook that notes program state as each dialog comes up.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <windows.h>

#include "app/document.h"
#include "tests/gui/gui_fixture.h"

struct SpriteSize {
    int width, height;
};

// Fills `set` with raw sprites of the given sizes; sprite i is painted all in color i + 1.
inline void MakeSprites(SpriteSet& set, const std::vector<SpriteSize>& sizes)
{
    set.Clear();
    for (size_t i = 0; i < sizes.size(); ++i) {
        size_t bytes = size_t(sizes[i].width) * size_t(sizes[i].height);
        auto* image = static_cast<uint8_t*>(std::malloc(bytes > 0 ? bytes : 1));
        std::memset(image, int(i + 1), bytes);
        ASSERT_EQ(set.Insert(int(i), sizes[i].width, sizes[i].height, image, 0), 1);
    }
}

// Makes the document what the set holds now, as if that file had just been opened: nothing to
// undo, nothing modified, sprite `current` current (an empty set gives a new document).
inline void ReopenDocument(int current = 0)
{
    uint8_t* data = nullptr;
    size_t size = 0;
    if (workSet.sprites == nullptr || !workSet.SaveToMemory(&data, &size)) {
        g_document.New();
        return;
    }
    const int loaded = g_document.LoadFromMemory(data, size, "test.spr");
    std::free(data);
    ASSERT_EQ(loaded, 1);
    g_document.Select(current);
}

// The document as a file of sprites of the given sizes (see MakeSprites), just opened.
inline void OpenDocument(const std::vector<SpriteSize>& sizes, int current = 0)
{
    MakeSprites(workSet, sizes);
    ReopenDocument(current);
}

// The widths of the set's sprites, in order: with distinct widths, the order of the sprites.
inline std::vector<int> Widths(const SpriteSet& set)
{
    std::vector<int> widths;
    for (int i = 0; set.sprites != nullptr && i < set.Count(); ++i)
        widths.push_back(set.sprites[i].width);
    return widths;
}

using ByteBlock = std::vector<uint8_t>;

inline bool WriteFileBytes(const std::string& path, const ByteBlock& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

inline ByteBlock ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return ByteBlock(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Calls `note` whenever a dialog (message box, file dialog) is about to come up, before the
// responder answers it, so a test can see the program's state at that moment.
class DialogWatcher {
public:
    explicit DialogWatcher(std::function<void()> note) : note_(std::move(note))
    {
        Current() = this;
        hook_ = SetWindowsHookExA(WH_CBT, HookProc, nullptr, GetCurrentThreadId());
    }
    ~DialogWatcher()
    {
        UnhookWindowsHookEx(hook_);
        Current() = nullptr;
    }
    DialogWatcher(const DialogWatcher&) = delete;
    DialogWatcher& operator=(const DialogWatcher&) = delete;

private:
    static DialogWatcher*& Current()
    {
        static thread_local DialogWatcher* current = nullptr;
        return current;
    }
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam)
    {
        DialogWatcher* watcher = Current();
        if (code == HCBT_ACTIVATE && watcher != nullptr) {
            HWND window = reinterpret_cast<HWND>(wParam);
            char className[32] = "";
            GetClassNameA(window, className, sizeof className);
            bool seen = false;
            for (HWND handled : watcher->handled_) seen = seen || handled == window;
            if (lstrcmpA(className, "#32770") == 0 && !seen) {
                watcher->handled_.push_back(window);
                watcher->note_();
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    std::function<void()> note_;
    std::vector<HWND> handled_;
    HHOOK hook_ = nullptr;
};
