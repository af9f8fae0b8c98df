// Edit > Copy Boxes...: the dialog answered as a user would, its result in the set, the step named
// in the Edit menu and taken back by one Undo; its choices remembered for the next opening.
#include <string>
#include <vector>

#include "app/document.h"
#include "resources/resource.h"
#include "tests/gui/document_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "tests/gui/panel_helpers.h"

namespace {

using CopyBoxesTest = MainWindowTest;

std::wstring MenuItemText(HWND window, int command)
{
    wchar_t text[128] = L"";
    GetMenuStringW(GetMenu(window), UINT(command), text, 128, MF_BYCOMMAND);
    return text;
}

// Sprite n's hit and attack box counts, for every sprite.
std::vector<std::pair<int, int>> BoxCounts()
{
    std::vector<std::pair<int, int>> counts;
    for (int n = 0; n < workSet.Count(); ++n) counts.push_back({workSet.sprites[n].hitCount, workSet.sprites[n].atckCount});
    return counts;
}

// Six sprites; sprite 1 current, with two hit boxes and an attack box; sprite 3 with a hit box.
void MakeBoxedSprites()
{
    MakeNumberedSprites(6, 1);
    ASSERT_EQ(workSet.InsertHitBox(1, 0, {0, 0, 1, 1}), 1);
    ASSERT_EQ(workSet.InsertHitBox(1, 1, {1, 0, 1, 1}), 1);
    ASSERT_EQ(workSet.InsertAtckBox(1, 0, {0, 1, 1, 1}), 1);
    ASSERT_EQ(workSet.InsertHitBox(3, 0, {0, 0, 0, 0}), 1);
    ReopenDocument(1);
}

}  // namespace

TEST_F(CopyBoxesTest, ARangeOfHitBoxesAddedIsOneStepThatOneUndoTakesBack)
{
    MakeBoxedSprites();
    const auto before = BoxCounts();
    modal.Answer(IDOK, {ClickControl(IDC_COPY_TO_RANGE), SetText(IDC_COPY_FIRST, "2"), SetText(IDC_COPY_LAST, "4"),
                        SetCheck(IDC_COPY_ATCK_BOXES, false), ClickControl(IDC_COPY_ADD)});
    Command(ID_COPY_BOXES);
    EXPECT_EQ(modal.Pending(), 0u);
    EXPECT_TRUE(modal.Problems().empty());
    ASSERT_EQ(modal.Seen().size(), 1u) << "no message after a copy within the set";
    const SeenDialog& dialog = modal.Seen()[0];
    EXPECT_EQ(dialog.caption, "Copy boxes of sprite 1");
    EXPECT_EQ(dialog.fontFace, "굴림");
    EXPECT_TRUE(dialog.Checked(IDC_COPY_TO_NEXT)) << "first opening: the next sprite";
    EXPECT_EQ(dialog.Text(IDC_COPY_FIRST), "2") << "the range proposed: the sprites after the current one";
    EXPECT_EQ(dialog.Text(IDC_COPY_LAST), "5");
    EXPECT_FALSE(dialog.Control(IDC_COPY_FIRST)->enabled);

    const std::vector<std::pair<int, int>> copied = {{0, 0}, {2, 1}, {2, 0}, {3, 0}, {2, 0}, {0, 0}};
    EXPECT_EQ(BoxCounts(), copied);
    EXPECT_EQ(MenuItemText(window, ID_UNDO), L"&Undo Copy hit boxes to sprites 2\u20134\tCtrl+Z");
    EXPECT_EQ(g_document.Current(), 1);
    Command(ID_UNDO);
    EXPECT_EQ(BoxCounts(), before);
    EXPECT_FALSE(g_document.Modified());
    Command(ID_REDO);
    EXPECT_EQ(BoxCounts(), copied);

    // The choices come back at the next opening; Cancel copies nothing.
    modal.Answer(IDCANCEL);
    Command(ID_COPY_BOXES);
    ASSERT_EQ(modal.Seen().size(), 2u);
    EXPECT_TRUE(modal.Seen()[1].Checked(IDC_COPY_TO_RANGE));
    EXPECT_TRUE(modal.Seen()[1].Control(IDC_COPY_FIRST)->enabled);
    EXPECT_TRUE(modal.Seen()[1].Checked(IDC_COPY_HIT_BOXES));
    EXPECT_FALSE(modal.Seen()[1].Checked(IDC_COPY_ATCK_BOXES));
    EXPECT_TRUE(modal.Seen()[1].Checked(IDC_COPY_ADD));
    EXPECT_EQ(BoxCounts(), copied);
}

// To all sprites: the current sprite's lists everywhere. A range past the end copies to the sprites
// there are and names the rest in one message; with no sprite, no dialog.
TEST_F(CopyBoxesTest, AllSpritesAndARangePastTheEndNamed)
{
    MakeBoxedSprites();
    modal.Answer(IDOK, {ClickControl(IDC_COPY_TO_ALL)});
    Command(ID_COPY_BOXES);
    EXPECT_EQ(BoxCounts(), (std::vector<std::pair<int, int>>(6, {2, 1})));

    MakeBoxedSprites();
    modal.ClearSeen();
    modal.Answer(IDOK, {ClickControl(IDC_COPY_TO_RANGE), SetText(IDC_COPY_FIRST, "4"), SetText(IDC_COPY_LAST, "9")});
    modal.Answer(IDOK);
    Command(ID_COPY_BOXES);
    ASSERT_EQ(modal.Seen().size(), 2u);
    EXPECT_EQ(modal.Seen()[1].text, "6~9번 스프라이트는 존재하지 않습니다");
    EXPECT_EQ(BoxCounts(), (std::vector<std::pair<int, int>>{{0, 0}, {2, 1}, {0, 0}, {1, 0}, {2, 1}, {2, 1}}));

    g_document.New();
    modal.ClearSeen();
    Command(ID_COPY_BOXES);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].text, "스프라이트 파일을 먼저 읽으세요");
}

namespace {

// Once the refusal's message box has gone, a thread timer mends the choice in the copy dialog, if
// it is still there, and presses Copy again.
void CALLBACK MendTheChoice(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (FindWindowA("#32770", "Error Messages...") != nullptr) return;  // the reason still shown
    KillTimer(nullptr, timer);
    HWND dialog = FindWindowA("#32770", "Copy boxes of sprite 1");
    if (dialog == nullptr) return;
    CheckDlgButton(dialog, IDC_COPY_ATCK_BOXES, BST_CHECKED);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

}  // namespace

// A refused copy (no kind of box chosen) shows its reason and leaves the dialog open, so the
// choice can be mended and the copy made.
TEST_F(CopyBoxesTest, ARefusedCopyKeepsTheDialogOpen)
{
    MakeBoxedSprites();
    int dialogs = 0;
    DialogWatcher watcher([&dialogs] {
        if (++dialogs == 2) SetTimer(nullptr, 0, 10, MendTheChoice);
    });
    modal.Answer(IDOK, {SetCheck(IDC_COPY_HIT_BOXES, false), SetCheck(IDC_COPY_ATCK_BOXES, false)});
    modal.Answer(IDOK);
    Command(ID_COPY_BOXES);
    PumpMessages();
    ASSERT_EQ(modal.Seen().size(), 2u);
    EXPECT_EQ(modal.Seen()[1].text, "복사할 상자를 고르세요(충돌상자, 공격상자)");
    EXPECT_EQ(BoxCounts(), (std::vector<std::pair<int, int>>{{0, 0}, {2, 1}, {0, 1}, {1, 0}, {0, 0}, {0, 0}}));
    EXPECT_EQ(g_document.UndoName(), "Copy attack boxes to sprite 2");
}
