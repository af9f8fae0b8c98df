// The command dispatcher: New and its save-changes prompt, playback states, zoom levels and the
// frame rate.
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/document.h"
#include "app/pages.h"
#include "resources/resource.h"
#include "tests/gui/document_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "tests/gui/message_log.h"
#include "views/animation.h"
#include "views/canvas.h"

using CommandsTest = MainWindowTest;

TEST_F(CommandsTest, NewWithoutChangesClearsButKeepsTheFileNames)
{
    OpenDocument({{2, 1}});
    lstrcpyA(g_bmpChild.spritePath, "C:\\work\\hero.spr");
    lstrcpyA(g_bmpChild.spriteTitle, "hero.spr");
    Command(ID_NEW);
    EXPECT_TRUE(modal.Seen().empty());
    EXPECT_EQ(workSet.sprites, nullptr);
    EXPECT_EQ(workSet.Count(), 0);
    EXPECT_STREQ(g_bmpChild.spritePath, "C:\\work\\hero.spr");
    EXPECT_STREQ(g_bmpChild.spriteTitle, "hero.spr");
}

TEST_F(CommandsTest, NewAnsweredNoDropsChangesAndResetsTheNames)
{
    MakeModifiedDocument();
    lstrcpyA(g_bmpChild.spritePath, "C:\\work\\hero.spr");
    lstrcpyA(g_bmpChild.spriteTitle, "hero.spr");
    g_bmpChild.playing = 1;
    modal.Answer(IDNO);
    Command(ID_NEW);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].caption, "New");
    EXPECT_EQ(modal.Seen()[0].text, "변경된 스프라이트 파일을 저장할까요?");
    EXPECT_EQ(workSet.Count(), 0);
    EXPECT_FALSE(g_document.Modified());
    EXPECT_EQ(g_bmpChild.playing, 0) << "the prompt stops playback";
    EXPECT_STREQ(g_bmpChild.spritePath, "noname.spr");
    EXPECT_STREQ(g_bmpChild.spriteTitle, "noname.spr");
}

TEST_F(CommandsTest, NewCancelledChangesNothing)
{
    MakeModifiedDocument();
    lstrcpyA(g_bmpChild.spritePath, "C:\\work\\hero.spr");
    modal.Answer(IDCANCEL);
    Command(ID_NEW);
    EXPECT_EQ(workSet.Count(), 1);
    EXPECT_TRUE(g_document.Modified());
    EXPECT_STREQ(g_bmpChild.spritePath, "C:\\work\\hero.spr");
}

TEST_F(CommandsTest, NewAnsweredYesSavesFirst)
{
    GuiTempDir dir;
    std::string path = dir.File("first.spr");
    MakeModifiedDocument();
    modal.Answer(IDYES);
    modal.Answer(IDOK, path);
    Command(ID_NEW);
    EXPECT_TRUE(FileExistsA(path));
    EXPECT_EQ(workSet.Count(), 0);
    EXPECT_FALSE(g_document.Modified());
    EXPECT_STREQ(g_bmpChild.spritePath, "noname.spr");
}

TEST_F(CommandsTest, NewAnsweredYesWithCancelledSaveAbandonsNew)
{
    MakeModifiedDocument();
    modal.Answer(IDYES);
    modal.Answer(IDCANCEL);
    EXPECT_EQ(ConfirmDiscard(window), IDCANCEL);
    EXPECT_EQ(workSet.Count(), 1);
    EXPECT_TRUE(g_document.Modified());
}

// Stop goes out with the save-changes prompt's answer, before New clears anything, and only when
// New goes on; a refused or cancelled prompt leaves playback as it was.
TEST_F(CommandsTest, NewSendsStopWithEveryAnswerThatGoesOn)
{
    struct Case {
        const char* what;
        bool modified;
        std::vector<int> answers;  // the prompt's, then the save dialog's
        std::vector<ExpectedMessage> sequence;
        bool goesOn;
    };
    const Case cases[] = {
        // New that goes on stops twice: in the prompt, and as it brings the Sprite Info page back.
        {"no changes", false, {},
         {SentCommand(ID_NEW), SentCommand(ID_STOP), SentCommand(ID_STOP)}, true},
        {"No", true, {IDNO},
         {SentCommand(ID_NEW), DialogStarts(), SentCommand(ID_STOP), SentCommand(ID_STOP)}, true},
        {"Cancel", true, {IDCANCEL}, {SentCommand(ID_NEW), DialogStarts()}, false},
        {"Yes, saved", true, {IDYES, IDOK},
         {SentCommand(ID_NEW), DialogStarts(), DialogStarts(), SentCommand(ID_STOP),
          SentCommand(ID_STOP)},
         true},
        {"Yes, save cancelled", true, {IDYES, IDCANCEL},
         {SentCommand(ID_NEW), DialogStarts(), DialogStarts()}, false},
    };
    int saved = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.modified) MakeModifiedDocument();
        else OpenDocument({{2, 1}});
        g_bmpChild.playing = 1;
        g_bmpChild.paused = 1;
        std::string path = WorkFile(("saved" + std::to_string(++saved) + ".spr").c_str());
        for (size_t i = 0; i < c.answers.size(); ++i)
            modal.Answer(c.answers[i], i == 1 ? path : std::string());

        MessageLog log({window}, {WM_COMMAND}, true);
        Command(ID_NEW);
        EXPECT_TRUE(log.Matches(c.sequence));
        EXPECT_EQ(g_bmpChild.playing, c.goesOn ? 0 : 1);
        EXPECT_EQ(g_bmpChild.paused, c.goesOn ? 0 : 1);
        EXPECT_EQ(workSet.Count(), c.goesOn ? 0 : 1);
        EXPECT_EQ(modal.Pending(), 0u);
    }
}

TEST_F(CommandsTest, PauseWhileStoppedSendsStopAndWhilePlayingDoesNot)
{
    MakeModifiedDocument();
    MessageLog log({window}, {WM_COMMAND});
    Command(ID_PAUSE);
    EXPECT_TRUE(log.Matches({SentCommand(ID_PAUSE), SentCommand(ID_STOP)}));
    EXPECT_EQ(g_bmpChild.paused, 0);

    Command(ID_PLAY);
    log.Clear();
    Command(ID_PAUSE);
    EXPECT_TRUE(log.Matches({SentCommand(ID_PAUSE)}));
    EXPECT_EQ(g_bmpChild.playing, 1);
    EXPECT_EQ(g_bmpChild.paused, 1);

    log.Clear();
    Command(ID_PAUSE);  // paused already: still playing, so no Stop
    EXPECT_TRUE(log.Matches({SentCommand(ID_PAUSE)}));
    EXPECT_EQ(g_bmpChild.paused, 1);
}

TEST_F(CommandsTest, SaveFailureShowsTheSetsMessage)
{
    GuiTempDir dir;
    std::string path = dir.File("empty.spr");
    modal.Answer(IDOK, path);  // the save dialog
    modal.Answer(IDOK);        // the error box
    Command(ID_SAVE_SPRITE);
    ASSERT_EQ(modal.Seen().size(), 2u);
    EXPECT_EQ(modal.Seen()[1].caption, "Error Messages...");
    EXPECT_EQ(modal.Seen()[1].text, "저장할 스프라이트가 없습니다.");
    EXPECT_FALSE(FileExistsA(path));
}

TEST_F(CommandsTest, PlayNeedsSprites)
{
    modal.Answer(IDOK);
    Command(ID_PLAY);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].caption, "Message");
    EXPECT_EQ(modal.Seen()[0].text, "스프라이트 파일을 먼저 읽으세요");
    EXPECT_EQ(g_bmpChild.playing, 0);
    EXPECT_EQ(g_bmpChild.paused, 0);
}

TEST_F(CommandsTest, PlaybackStates)
{
    MakeModifiedDocument();
    // Pause while stopped acts as Stop.
    Command(ID_PAUSE);
    EXPECT_EQ(g_bmpChild.playing, 0);
    EXPECT_EQ(g_bmpChild.paused, 0);
    // Back and Forward act only while paused.
    Command(ID_FORWARD);
    Command(ID_BACK);
    Command(ID_BACK);
    EXPECT_EQ(g_bmpChild.pendingStep, 0);

    Command(ID_PLAY);
    EXPECT_EQ(g_bmpChild.playing, 1);
    EXPECT_EQ(g_bmpChild.paused, 0);
    Command(ID_FORWARD);
    EXPECT_EQ(g_bmpChild.pendingStep, 0);

    Command(ID_PAUSE);
    EXPECT_EQ(g_bmpChild.playing, 1);
    EXPECT_EQ(g_bmpChild.paused, 1);
    Command(ID_FORWARD);
    Command(ID_FORWARD);
    Command(ID_BACK);
    EXPECT_EQ(g_bmpChild.pendingStep, 1);

    Command(ID_PLAY);  // resumes from Paused
    EXPECT_EQ(g_bmpChild.playing, 1);
    EXPECT_EQ(g_bmpChild.paused, 0);

    Command(ID_STOP);
    EXPECT_EQ(g_bmpChild.playing, 0);
    EXPECT_EQ(g_bmpChild.paused, 0);
}

TEST_F(CommandsTest, ZoomStaysWithinEachPagesLimits)
{
    for (int i = 0; i < 6; ++i) Command(ID_ZOOM_IN);
    EXPECT_EQ(g_bmpChild.bmpZoom, 5);
    for (int i = 0; i < 9; ++i) Command(ID_ZOOM_OUT);
    EXPECT_EQ(g_bmpChild.bmpZoom, 1);

    g_bmpChild.editMode = 1;
    for (int i = 0; i < 6; ++i) Command(ID_ZOOM_IN);
    EXPECT_EQ(g_bmpChild.editZoom, 5);
    EXPECT_EQ(g_bmpChild.bmpZoom, 1);

    g_bmpChild.playing = 1;  // the animation page wins over the edit page
    for (int i = 0; i < 6; ++i) Command(ID_ZOOM_IN);
    EXPECT_EQ(g_bmpChild.animZoom, 3);
    EXPECT_EQ(g_bmpChild.editZoom, 5);
    Command(ID_ZOOM_OUT);
    EXPECT_EQ(g_bmpChild.animZoom, 2);
}

TEST_F(CommandsTest, ZoomDoublesAndHalvesTheScrollPositions)
{
    // A sheet far larger than the canvas, so the positions stay within the useful range.
    ASSERT_EQ(g_bmpPage.Create(4000, 4000, 8, nullptr), 1);
    g_bmpChild.viewX = 3;
    g_bmpChild.viewY = 4;
    Command(ID_ZOOM_IN);
    EXPECT_EQ(g_bmpChild.viewX, 6);
    EXPECT_EQ(g_bmpChild.viewY, 8);
    g_bmpChild.viewX = 7;
    g_bmpChild.viewY = 9;
    Command(ID_ZOOM_OUT);
    EXPECT_EQ(g_bmpChild.viewX, 3) << "halving truncates";
    EXPECT_EQ(g_bmpChild.viewY, 4);
    // At a limit nothing changes, the scroll positions included.
    Command(ID_ZOOM_OUT);
    EXPECT_EQ(g_bmpChild.viewX, 3);
    EXPECT_EQ(g_bmpChild.viewY, 4);
}

TEST_F(CommandsTest, AdjustViewOnlyWhileEditingOrPlaying)
{
    Command(ID_ADJUST_VIEW);
    EXPECT_EQ(g_bmpChild.adjustView, 0);
    g_bmpChild.editMode = 1;
    Command(ID_ADJUST_VIEW);
    EXPECT_EQ(g_bmpChild.adjustView, 1);
}

TEST_F(CommandsTest, FrameRateSetsTheIntervalAndNoDelayKeepsIt)
{
    const int intervals[] = {200, 100, 66, 50, 40, 33, 28, 25, 22, 20, 18, 16, 15, 14};
    for (int i = 0; i < 14; ++i) {
        Command(ID_FPS_CHANGED, 5 * (i + 1));
        EXPECT_EQ(g_bmpChild.fps, 5 * (i + 1));
        EXPECT_EQ(g_frameInterval, intervals[i]);
    }
    Command(ID_FPS_CHANGED, 0);
    EXPECT_EQ(g_bmpChild.fps, 0);
    EXPECT_EQ(g_frameInterval, 14);
}

TEST_F(CommandsTest, UnknownNumbersAreIgnored)
{
    MakeModifiedDocument();
    Command(40007);
    Command(40049);  // a gap among the first numbers; 40100 is Copy Boxes now
    Command(0);
    EXPECT_TRUE(modal.Seen().empty());
    EXPECT_EQ(workSet.Count(), 1);
}
