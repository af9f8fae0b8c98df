// A log of the messages that chosen windows receive, and a check of it against an expected
// sequence. Two thread-local hooks feed it: WH_CALLWNDPROC sees every sent message before the
// window procedure runs (SendMessage from the program or the system), WH_GETMESSAGE every posted
// message as it leaves the queue. Tests use it where a message's effect alone would not show
// that it was sent, or in which order: ID_STOP sent by the save-changes prompt, a dialog coming
// up before or after it.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

struct LoggedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool posted;
    bool toDialog;  // a top-level dialog box's WM_INITDIALOG, logged for `withDialogs`
};

// What an expected entry checks besides the message number.
enum ExpectFlags : unsigned {
    kSent = 1u,        // must have been sent
    kPosted = 2u,      // must have been posted
    kWParam = 4u,      // wParam must be equal
    kLParam = 8u,      // lParam must be equal
    kOptional = 16u,   // may be missing
    kAnyDialog = 32u,  // received by a dialog box (any), not by one of the chosen windows
};

struct ExpectedMessage {
    UINT message;
    unsigned flags;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// A WM_COMMAND with this number, sent.
ExpectedMessage SentCommand(int id);
// A WM_COMMAND with this number, posted.
ExpectedMessage PostedCommand(int id);
// A dialog box (message box, file dialog, the program's own) starting up.
ExpectedMessage DialogStarts();

class MessageLog {
public:
    // Logs what `windows` receive, only `messages` when that list is not empty. With
    // `withDialogs`, every top-level dialog box's WM_INITDIALOG goes into the log too, so the
    // sequence shows where a modal box came up.
    explicit MessageLog(std::vector<HWND> windows, std::vector<UINT> messages = {},
                        bool withDialogs = false);
    ~MessageLog();
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    const std::vector<LoggedMessage>& Messages() const { return log_; }
    void Clear() { log_.clear(); }

    // The log against `expected`, in order: optional entries may be missing, nothing may be
    // left over. The failure names the first difference and lists the whole log.
    ::testing::AssertionResult Matches(const std::vector<ExpectedMessage>& expected) const;

private:
    static LRESULT CALLBACK SentHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PostedHook(int code, WPARAM wParam, LPARAM lParam);
    void Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool posted);
    std::string Describe() const;

    std::vector<HWND> windows_;
    std::vector<UINT> messages_;
    bool withDialogs_;
    HHOOK sentHook_ = nullptr;
    HHOOK postedHook_ = nullptr;
    MessageLog* previous_ = nullptr;
    std::vector<LoggedMessage> log_;
};
