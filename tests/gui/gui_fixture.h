// The fixture of the GUI tests: the real main window and its tree, built with the function the
// entry function uses, driven with real messages. CTest runs every test in a process of its own,
// so each starts from freshly constructed global objects, as the program does.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/gui/modal_responder.h"

// Handles the posted and sent messages that are waiting (paints included), for at most `ms`
// milliseconds. Returns true when WM_QUIT came out of the queue.
bool PumpMessages(DWORD ms = 100);

// A folder of its own under the temporary folder, removed with everything in it at the end
// (read-only and hidden files, and folders one level down, included).
class GuiTempDir {
public:
    GuiTempDir();
    ~GuiTempDir();
    std::string File(const char* name) const { return path_ + "\\" + name; }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> List() const;

private:
    std::string path_;
};

bool FileExistsA(const std::string& path);

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    LRESULT Command(int id, LPARAM value = 0);
    // Gives the document one 2 x 1 sprite and marks it changed.
    void MakeModifiedDocument();

    ModalResponder modal;
    HWND window = nullptr;
};
