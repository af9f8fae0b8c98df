// Answers modal UI in GUI tests. A thread-local WH_CBT hook sees every dialog (class "#32770":
// message boxes, file dialogs, the program's own dialogs) as it is activated, records its caption,
// text, font and controls, sets the scripted controls and presses the next scripted button.
// Anything unscripted is cancelled, so a test can never hang on a box nobody answers.
#pragma once

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

// One control of a scripted dialog, set as the user would before the button is pressed.
struct ControlSetting {
    enum Kind { kClick, kCheck, kText, kUpDown, kArrow, kListItem };
    Kind kind;
    int id;
    int value;         // kCheck: 1 checked, 0 clear; kUpDown: the position; kArrow: presses;
                       // kListItem: the item's place in the list
    std::string text;  // kText: code page 949
};

// Clicks a button (a radio button, say); the dialog hears BN_CLICKED.
ControlSetting ClickControl(int id);
// Clicks a check box if its state is not `checked` yet.
ControlSetting SetCheck(int id, bool checked);
// Replaces an edit field's text.
ControlSetting SetText(int id, const std::string& text);
// Moves an up-down control to `position` (its buddy follows when the control sets it).
ControlSetting SetUpDown(int id, int position);
// Chooses item `index` of a drop-down list (a file dialog's file types, say); the dialog hears
// the choice as it hears the user's.
ControlSetting ChooseListItem(int id, int index);
// Clicks an up-down control's up arrow `presses` times (its down arrow for a negative number),
// with the mouse, so the dialog hears each step as a user's click makes it.
ControlSetting PressArrow(int id, int presses);

// A control of a dialog as the dialog came up.
struct SeenControl {
    int id;
    std::string className;
    std::string text;  // code page 949
    int checked;       // buttons: BST_CHECKED, BST_UNCHECKED...; others 0
    bool enabled;
};

struct SeenDialog {
    std::string caption;   // code page 949, comparable with the program's literals
    std::string text;      // a message box's text; empty for other dialogs
    std::wstring wideText;  // the same as the box shows it (names outside code page 949 too)
    std::string fontFace;  // the dialog's font, code page 949
    std::vector<SeenControl> controls;

    // The first control with this identifier, or null.
    const SeenControl* Control(int id) const;
    bool Checked(int id) const;
    std::string Text(int id) const;
};

struct DialogAnswer {
    int button;            // IDOK, IDCANCEL, IDYES, IDNO, ...
    std::string fileName;  // for file dialogs (UTF-8): typed into the name box before pressing
    std::vector<ControlSetting> settings;  // done in order once the dialog is up
    bool again = false;  // for a dialog answered before that comes up again
};

class ModalResponder {
public:
    ModalResponder();
    ~ModalResponder();
    ModalResponder(const ModalResponder&) = delete;
    ModalResponder& operator=(const ModalResponder&) = delete;

    // Queues the answer to the next dialog.
    void Answer(int button, const std::string& fileName = std::string());
    void Answer(int button, std::vector<ControlSetting> settings);
    // A file dialog: the name typed, then the settings made.
    void Answer(int button, const std::string& fileName, std::vector<ControlSetting> settings);
    // Queues the answer to a dialog that becomes active again once a box of its own (a file
    // dialog's word that a file is not there) has been answered.
    void AnswerAgain(int button);

    const std::vector<SeenDialog>& Seen() const { return seen_; }
    size_t Pending() const { return answers_.size(); }
    void ClearSeen() { seen_.clear(); }
    // Settings that could not be made (no such control): a mistake in the test's script.
    const std::vector<std::string>& Problems() const { return problems_; }
    void ClearProblems() { problems_.clear(); }

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnActivate(HWND dialog);
    void ApplyNext();
    void Apply(HWND dialog, const ControlSetting& setting);

    HHOOK hook_ = nullptr;
    HWND helper_ = nullptr;  // message-only window: settings wait there until the dialog is up
    std::deque<DialogAnswer> answers_;
    std::deque<std::pair<HWND, DialogAnswer>> toApply_;
    std::vector<SeenDialog> seen_;
    std::vector<HWND> handled_;
    std::vector<std::string> problems_;
};
