// The delete dialog behind the lower pane's "Delete" button: single deletion, range deletion
// after asking (one message naming the numbers that are not there), the remembered mode, and
// up-down arrows that keep the numbers inside the set.
#include <string>
#include <vector>

#include "app/document.h"
#include "panels/work_windows.h"
#include "resources/resource.h"
#include "tests/gui/gui_fixture.h"
#include "tests/gui/panel_helpers.h"

namespace {

using DeleteDialogTest = MainWindowTest;

void PressDelete() { SendMessageA(g_subWork2.deleteButton, BM_CLICK, 0, 0); }

std::vector<std::string> SeenTexts(const ModalResponder& modal, size_t from)
{
    std::vector<std::string> texts;
    for (size_t i = from; i < modal.Seen().size(); ++i) texts.push_back(modal.Seen()[i].text);
    return texts;
}

std::vector<ControlSetting> RangeSettings(int first, int last)
{
    return {ClickControl(IDC_DELETE_RANGE), SetText(IDC_RANGE_FIRST, std::to_string(first)),
            SetText(IDC_RANGE_LAST, std::to_string(last))};
}

}  // namespace

TEST_F(DeleteDialogTest, RangeDeletionAsksThenDeletesAtTheSameNumber)
{
    const struct {
        const char* name;
        int first, last;
        int answer;
        std::vector<std::string> boxes;  // the question, then each error
        std::vector<int> widthsLeft;
        int modified;
    } cases[] = {
        {"3 to 5 of 10", 3, 5, IDYES,
         {"3번부터 5번까지 3개의 스프라이트를 지울까요?"},
         {1, 2, 3, 7, 8, 9, 10}, 1},
        {"8 to 12 of 10: one message for the missing", 8, 12, IDYES,
         {"8번부터 12번까지 5개의 스프라이트를 지울까요?",
          "10~12번 스프라이트는 존재하지 않습니다(At Delete)"},
         WidthsFromTo(1, 8), 1},
        {"5 to 999 of 10", 5, 999, IDYES,
         {"5번부터 999번까지 995개의 스프라이트를 지울까요?",
          "10~999번 스프라이트는 존재하지 않습니다(At Delete)"},
         WidthsFromTo(1, 5), 1},
        {"first after last: nothing to delete", 5, 3, IDYES,
         {"5번부터 3번까지 -1개의 스프라이트를 지울까요?"}, WidthsFromTo(1, 10), 0},
        {"answered No", 3, 5, IDNO, {"3번부터 5번까지 3개의 스프라이트를 지울까요?"},
         WidthsFromTo(1, 10), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeNumberedSprites(10, 9);
        modal.ClearSeen();
        modal.Answer(IDOK, RangeSettings(c.first, c.last));
        modal.Answer(c.answer);
        for (size_t i = 1; i < c.boxes.size(); ++i) modal.Answer(IDOK);
        PressDelete();
        EXPECT_EQ(modal.Pending(), 0u);
        EXPECT_TRUE(modal.Problems().empty());
        EXPECT_EQ(SeenTexts(modal, 1), c.boxes);
        ASSERT_GE(modal.Seen().size(), 2u);
        EXPECT_EQ(modal.Seen()[1].caption, "Delete sprite");
        for (size_t i = 2; i < modal.Seen().size(); ++i)
            EXPECT_EQ(modal.Seen()[i].caption, "Error Messages...");
        EXPECT_EQ(Widths(workSet), c.widthsLeft);
        EXPECT_EQ(g_document.Current(), int(c.widthsLeft.size()) - 1);
        EXPECT_EQ(g_document.Modified(), c.modified == 1);
    }
}

TEST_F(DeleteDialogTest, SingleDeletionKeepsTheCurrentNumberInTheSet)
{
    const struct {
        const char* name;
        int count, current;
        std::vector<int> widthsLeft;
        int currentAfter;
    } cases[] = {
        {"a middle sprite", 10, 4, {1, 2, 3, 4, 6, 7, 8, 9, 10}, 4},
        {"the last sprite", 10, 9, WidthsFromTo(1, 9), 8},
        {"the only sprite", 1, 0, {}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeNumberedSprites(c.count, c.current);
        modal.ClearSeen();
        modal.Answer(IDOK);
        PressDelete();
        ASSERT_EQ(modal.Seen().size(), 1u);  // no question in this mode
        const SeenDialog& dialog = modal.Seen()[0];
        EXPECT_EQ(dialog.caption, "Dialog");
        EXPECT_EQ(dialog.fontFace, "Tahoma");
        EXPECT_TRUE(dialog.Checked(IDC_DELETE_SELECTED));
        EXPECT_EQ(dialog.Text(IDC_RANGE_FIRST), std::to_string(c.current));
        EXPECT_EQ(dialog.Text(IDC_RANGE_LAST), std::to_string(c.current));
        for (int id : {IDC_RANGE_GROUP, IDC_RANGE_FIRST, IDC_RANGE_LAST, IDC_RANGE_FIRST_SPIN,
                       IDC_RANGE_LAST_SPIN}) {
            ASSERT_NE(dialog.Control(id), nullptr) << id;
            EXPECT_FALSE(dialog.Control(id)->enabled) << id;
        }
        EXPECT_EQ(Widths(workSet), c.widthsLeft);
        EXPECT_EQ(g_document.Current(), c.currentAfter);
        EXPECT_TRUE(g_document.Modified());
    }
}

TEST_F(DeleteDialogTest, CancelInRangeModeOpensInRangeModeNextTime)
{
    MakeNumberedSprites(4, 2);
    modal.Answer(IDCANCEL, {ClickControl(IDC_DELETE_RANGE)});
    modal.Answer(IDCANCEL);
    PressDelete();
    PressDelete();
    ASSERT_EQ(modal.Seen().size(), 2u);
    EXPECT_TRUE(modal.Seen()[0].Checked(IDC_DELETE_SELECTED));
    EXPECT_TRUE(modal.Seen()[1].Checked(IDC_DELETE_RANGE));
    EXPECT_FALSE(modal.Seen()[1].Checked(IDC_DELETE_SELECTED));
    ASSERT_NE(modal.Seen()[1].Control(IDC_RANGE_FIRST), nullptr);
    EXPECT_TRUE(modal.Seen()[1].Control(IDC_RANGE_FIRST)->enabled);
    EXPECT_EQ(Widths(workSet), WidthsFromTo(1, 4));
    EXPECT_FALSE(g_document.Modified());
}

TEST_F(DeleteDialogTest, ArrowsNeverLeaveTheSet)
{
    // From 8 in a set of 10: three presses up stop at 9, ten presses down stop at 0. The question
    // shows what the edits hold; answering No deletes nothing.
    MakeNumberedSprites(10, 8);
    modal.Answer(IDOK, {ClickControl(IDC_DELETE_RANGE), PressArrow(IDC_RANGE_FIRST_SPIN, 3),
                        PressArrow(IDC_RANGE_LAST_SPIN, -10)});
    modal.Answer(IDNO);
    PressDelete();
    EXPECT_TRUE(modal.Problems().empty());
    ASSERT_EQ(modal.Seen().size(), 2u);
    EXPECT_EQ(modal.Seen()[1].text, "9번부터 0번까지 -8개의 스프라이트를 지울까요?");
    EXPECT_EQ(Widths(workSet), WidthsFromTo(1, 10));
}
