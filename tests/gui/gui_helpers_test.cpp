// The GUI test helpers themselves: a helper that cannot fail would make every test built on it
// worthless.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "kit/text.h"
#include "resources/resource.h"
#include "tests/gui/gui_fixture.h"
#include "tests/gui/message_log.h"

using GuiHelpersTest = MainWindowTest;

namespace {

constexpr int kUnknownA = 40100;  // numbers the dispatcher ignores
constexpr int kUnknownB = 40101;

// A small dialog built in memory: an edit field with an up-down control, a check box, OK.
enum { kEditId = 10, kUpDownId = 11, kCheckId = 12 };

struct ScriptedResult {
    int position = -1;
    std::string text;
    bool checked = false;
};

void AddText(std::vector<WORD>& t, const wchar_t* text)
{
    do t.push_back(WORD(*text));
    while (*text++ != L'\0');
}

void AddItem(std::vector<WORD>& t, DWORD style, short x, short w, WORD id, const wchar_t* className,
             const wchar_t* title)
{
    if (t.size() % 2 != 0) t.push_back(0);  // items start on a DWORD
    style |= WS_CHILD | WS_VISIBLE;
    t.insert(t.end(), {LOWORD(style), HIWORD(style), 0, 0, WORD(x), 10, WORD(w), 14, id});
    AddText(t, className);
    AddText(t, title);
    t.push_back(0);  // no creation data
}

std::vector<WORD> ScriptedTemplate()
{
    std::vector<WORD> t;
    DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    t.insert(t.end(), {LOWORD(style), HIWORD(style), 0, 0, 4, 0, 0, 200, 40, 0, 0});
    AddText(t, L"Scripted");
    AddItem(t, WS_BORDER, 5, 40, kEditId, L"Edit", L"");
    AddItem(t, UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ALIGNRIGHT, 0, 0, kUpDownId, UPDOWN_CLASSW,
            L"");
    AddItem(t, BS_AUTOCHECKBOX, 60, 60, kCheckId, L"Button", L"Check");
    AddItem(t, BS_DEFPUSHBUTTON, 130, 50, IDOK, L"Button", L"OK");
    return t;
}

INT_PTR CALLBACK ScriptedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SendDlgItemMessageW(dialog, kUpDownId, UDM_SETRANGE32, 0, 100);
        return TRUE;
    }
    if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
        auto* result = reinterpret_cast<ScriptedResult*>(GetWindowLongPtrW(dialog, DWLP_USER));
        result->position = int(SendDlgItemMessageW(dialog, kUpDownId, UDM_GETPOS32, 0, 0));
        wchar_t text[32] = L"";
        GetDlgItemTextW(dialog, kEditId, text, 32);
        result->text = TextFromWide(text);
        result->checked = IsDlgButtonChecked(dialog, kCheckId) == BST_CHECKED;
        EndDialog(dialog, IDOK);
        return TRUE;
    }
    return FALSE;
}

ScriptedResult RunScripted(HWND owner)
{
    std::vector<WORD> dialogTemplate = ScriptedTemplate();
    ScriptedResult result;
    DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                            reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner,
                            ScriptedProc, reinterpret_cast<LPARAM>(&result));
    return result;
}

}  // namespace

TEST_F(GuiHelpersTest, ResponderSetsUpDownsTextsAndChecksBeforePressing)
{
    InitCommonControls();
    modal.Answer(IDOK, {SetUpDown(kUpDownId, 42), SetCheck(kCheckId, true)});
    ScriptedResult first = RunScripted(window);
    EXPECT_EQ(first.position, 42);
    EXPECT_EQ(first.text, "42") << "the buddy follows the up-down control";
    EXPECT_TRUE(first.checked);

    modal.Answer(IDOK, {SetText(kEditId, "7"), SetCheck(kCheckId, false)});
    ScriptedResult second = RunScripted(window);
    EXPECT_EQ(second.position, 7) << "the up-down control reads its buddy";
    EXPECT_FALSE(second.checked);

    modal.Answer(IDOK, {SetText(99, "no such control")});
    RunScripted(window);
    EXPECT_EQ(modal.Problems().size(), 1u);
    modal.ClearProblems();
}

TEST_F(GuiHelpersTest, MessageLogKeepsSentAndPostedApartAndInOrder)
{
    MessageLog log({window}, {WM_COMMAND});
    Command(kUnknownA);
    PostMessageA(window, WM_COMMAND, kUnknownB, 0);
    PumpMessages();
    SendMessageA(window, WM_NULL, 0, 0);  // not a chosen message: not logged

    EXPECT_TRUE(log.Matches({SentCommand(kUnknownA), PostedCommand(kUnknownB)}));
    EXPECT_TRUE(
        log.Matches({SentCommand(kUnknownA), {WM_CLOSE, kOptional}, PostedCommand(kUnknownB)}));
    EXPECT_FALSE(log.Matches({PostedCommand(kUnknownA), PostedCommand(kUnknownB)}));
    EXPECT_FALSE(log.Matches({SentCommand(kUnknownB), PostedCommand(kUnknownA)}));
    EXPECT_FALSE(log.Matches({SentCommand(kUnknownA)})) << "a message left over fails";
    EXPECT_FALSE(
        log.Matches({SentCommand(kUnknownA), PostedCommand(kUnknownB), SentCommand(ID_STOP)}))
        << "a missing message fails";
}

TEST_F(GuiHelpersTest, MessageLogPlacesDialogsInTheSequence)
{
    MessageLog log({window}, {WM_COMMAND}, true);
    modal.Answer(IDOK);
    Command(ID_PLAY);  // no sprites: a message box, then Stop
    EXPECT_TRUE(log.Matches({SentCommand(ID_PLAY), DialogStarts(), SentCommand(ID_STOP)}));
    EXPECT_FALSE(log.Matches({SentCommand(ID_PLAY), SentCommand(ID_STOP), DialogStarts()}));
}

TEST_F(GuiHelpersTest, PumpHandlesWhatItsMessagesPostInTurn)
{
    // Exit posts WM_CLOSE, which posts the quit message: one pump sees the chain to its end.
    PostMessageA(window, WM_COMMAND, ID_EXIT, 0);
    EXPECT_TRUE(PumpMessages());
    EXPECT_EQ(HIWORD(GetQueueStatus(QS_ALLINPUT)), 0u) << "nothing left in the queue";
    EXPECT_FALSE(PumpMessages()) << "the quit message came out once";
}

TEST_F(GuiHelpersTest, EachTestWorksInAFreshTemporaryFolder)
{
    char current[MAX_PATH] = "";
    char temp[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(std::string(current).rfind(temp, 0), 0u) << current << " is not under " << temp;

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("*", &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    int entries = 0;
    do {
        if (lstrcmpA(found.cFileName, ".") != 0 && lstrcmpA(found.cFileName, "..") != 0) ++entries;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(entries, 0) << "the program wrote nothing at start";

    HANDLE file = CreateFileA("made.txt", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    EXPECT_TRUE(FileExistsA(WorkFile("made.txt")));
}
