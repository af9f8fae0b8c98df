// The monkey driver's shared state: the program under test, the seeded random source the whole
// run is made from, and the action log.
#pragma once

#include <windows.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

struct Monkey {
    std::mt19937 rng;
    // The program under test: its main window and process.
    HWND main = nullptr;
    DWORD pid = 0;
    // The program's working folder (Windows path, no trailing backslash): files are saved here,
    // and its samples\ and junk\ folders hold what the file dialogs are given to open.
    std::string workDir;
    std::vector<std::string> openable;  // full paths of the files under samples\ and junk\.
    int namesMade = 0;                  // new sprite and palette names typed so far
    // The monkey's few purposeful moves: the next file dialog saves a new sprite file, or opens
    // the sample sheet. Each lapses after a few actions when no file dialog came.
    int saveWanted = 0;
    int sheetWanted = 0;
    int saves = 0;      // sprite file dialogs answered with a new file's name
    int actions = 0;
    DWORD start = 0;
    HWND own = nullptr;  // the driver's own window, which takes the focus away now and then
    FILE* log = nullptr;

    int Pick(int count);                // 0 .. count - 1
    int Between(int low, int high);     // low .. high
    bool Chance(int percent);
    // One action: numbered, timed and written to the log at once (the log survives a crash).
    void Action(const char* format, ...);
    // A line of the log that is no action.
    void Note(const char* format, ...);
};

// Brings the driver's own window forward, as another program taking the focus would; and
// hides it again and gives the program the foreground back.
void TakeTheFocus(Monkey& monkey);
void GiveTheFocusBack(Monkey& monkey);

// The class name of `window`.
std::string ClassOf(HWND window);
// `window`'s rectangle on the screen, cut to the screen.
RECT ScreenRect(HWND window);
// A random point of `rect` (its centre when it is empty).
POINT PointIn(Monkey& monkey, const RECT& rect);
// The text of `window` (of any process) in UTF-8, as the log is written.
std::string TextOf(HWND window);
// What lies under `at`, for the log: class, control identifier and text.
std::string Describe(POINT at);
