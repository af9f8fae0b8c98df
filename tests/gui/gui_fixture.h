// The fixture of the GUI tests: the real main window and its tree, built with the function the
// entry function uses, driven with real messages. CTest runs every test in a process of its own,
// so each starts from freshly constructed global objects, as the program does.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include "tests/gui/modal_responder.h"

// Handles what is waiting in the queue (posted messages, paints, and whatever they post in turn)
// and returns as soon as the queue is empty, the first moment the program would wait for input;
// after `limit` messages at most, against a window that keeps posting or never validates. A
// message may take long (a modal dialog inside it): the bound counts messages, not time.
// Returns true when WM_QUIT came out of the queue.
bool PumpMessages(int limit = 10000);

// A folder of its own under the temporary folder, removed with everything in it at the end
// (folders and read-only files included).
class GuiTempDir {
public:
    GuiTempDir();
    ~GuiTempDir();
    GuiTempDir(const GuiTempDir&) = delete;
    GuiTempDir& operator=(const GuiTempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const char* name) const { return path_ + "\\" + name; }
    // Names of the entries in the folder, sorted.
    std::vector<std::string> List() const;

private:
    std::string path_;
};

bool FileExistsA(const std::string& path);

// A window's client area as the screen holds it: 0x00RRGGBB pixels, top row first.
std::vector<uint32_t> ScreenPixels(HWND window);

// Every test runs in a fresh temporary working folder of its own, so OPTION.CFG and the files a
// test saves never reach another test; the folder goes when the test ends.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs in the working folder before the main window is made (files the program reads at
    // start go here).
    virtual void PrepareWorkDir() {}

    LRESULT Command(int id, LPARAM value = 0);
    // The full path of `name` in the test's working folder.
    std::string WorkFile(const char* name) const { return workDir_->File(name); }
    // Gives the document one 2 x 1 sprite and changes it, so it differs from its file.
    void MakeModifiedDocument();

    ModalResponder modal;
    HWND window = nullptr;

private:
    std::unique_ptr<GuiTempDir> workDir_;
    std::string previousDir_;
};
