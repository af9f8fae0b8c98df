// Answers modal UI in GUI tests. A thread-local WH_CBT hook sees every dialog (class "#32770":
// message boxes, file dialogs, the program's own dialogs) as it is activated, records its caption
// and text, and presses the next scripted button. Anything unscripted is cancelled, so a test can
// never hang on a box nobody answers.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include <windows.h>

struct SeenDialog {
    std::string caption;  // code page 949, comparable with the program's literals
    std::string text;     // a message box's text; empty for other dialogs
};

struct DialogAnswer {
    int button;            // IDOK, IDCANCEL, IDYES, IDNO, ...
    std::string fileName;  // for file dialogs: typed into the name box before pressing
};

class ModalResponder {
public:
    ModalResponder();
    ~ModalResponder();
    ModalResponder(const ModalResponder&) = delete;
    ModalResponder& operator=(const ModalResponder&) = delete;

    // Queues the answer to the next dialog.
    void Answer(int button, const std::string& fileName = std::string());

    const std::vector<SeenDialog>& Seen() const { return seen_; }
    size_t Pending() const { return answers_.size(); }
    void ClearSeen() { seen_.clear(); }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND dialog);

    HHOOK hook_ = nullptr;
    std::deque<DialogAnswer> answers_;
    std::vector<SeenDialog> seen_;
    std::vector<HWND> handled_;
};
