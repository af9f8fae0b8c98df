// The GUI test helpers themselves: a helper that cannot fail would make every test built on it
// worthless.
#include "resources/resource.h"
#include "tests/gui/gui_fixture.h"
#include "tests/gui/message_log.h"

using GuiHelpersTest = MainWindowTest;

namespace {

constexpr int kUnknownA = 40100;  // numbers the dispatcher ignores
constexpr int kUnknownB = 40101;

}  // namespace

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
