// The box workflow of the Edit Mode page in the real window: a box chosen on the canvas or in the
// list (each follows the other), moved and resized by its parts, typed in its cell, deleted; the
// coordinates typed; the onion skin and the mirrored preview. The geometry itself is the core's
// (box_geometry_test); here, the wiring.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/document.h"
#include "app/entry.h"
#include "app/options.h"
#include "app/pages.h"
#include "panels/edit_mode_window.h"
#include "render/sprite_draw.h"
#include "resources/resource.h"
#include "tests/gui/canvas_fixture.h"
#include "tests/gui/document_helpers.h"
#include "views/canvas.h"
#include "views/edit_mode_dialog.h"

namespace {

constexpr int kPageWidth = 320, kPageHeight = 200;

class BoxWorkflowTest : public CanvasTest {
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        g_options = kDefaultOptions;
        g_options.crossHair = 0;
        OpenSheet(PatternPicture(8, 8));  // for its colors
        MakeSprites(workSet, {{20, 16}, {6, 6}, {8, 4}});
        ASSERT_EQ(workSet.InsertHitBox(0, 0, {2, 2, 9, 9}), 1);
        ASSERT_EQ(workSet.InsertHitBox(0, 1, {12, 4, 17, 12}), 1);
        ReopenDocument(0);
        g_bmpChild.SetPageSize(kPageWidth, kPageHeight);
        g_bmpChild.EnterEditMode();
        Click(IDC_TOOL_HIT_BOX);
        Paint();
    }
    void Click(int id)
    {
        SendMessageW(GetDlgItem(g_editMode.dialog, id), BM_CLICK, 0, 0);
        PumpMessages();
    }
    // The window point of a sprite-local point of sprite 0 as the page shows it now.
    POINT Local(int x, int y)
    {
        const Sprite& s = workSet.sprites[0];
        return WindowPoint(g_bmpChild.anchorX + s.rx + x, g_bmpChild.anchorY + s.ry + y);
    }
    void DragLocal(POINT from, POINT to)
    {
        const POINT a = Local(from.x, from.y), b = Local(to.x, to.y);
        Mouse(WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, (a.x + b.x) / 2, (a.y + b.y) / 2, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, b.x, b.y, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, b.x, b.y);
        PumpMessages();
    }
    std::vector<int> Hit(int i) const
    {
        const BoxRect& b = workSet.sprites[0].hitBoxes[i];
        return {b.x1, b.y1, b.x2, b.y2};
    }
    int ChosenRow() const { return int(SendMessageW(g_editMode.boxList, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED)); }
    uint8_t AnimPixel(int x, int y) const { return g_animPage.pixels[size_t(y) * g_animPage.pitch + x]; }
    // Double-clicks the list cell of a box and a corner, types `text` and presses `key`.
    void TypeInCell(int row, int column, const wchar_t* text, WPARAM key)
    {
        RECT cell = {};
        cell.top = column;
        cell.left = LVIR_BOUNDS;
        SendMessageW(g_editMode.boxList, LVM_GETSUBITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&cell));
        const LPARAM at = MAKELPARAM(cell.left + 3, (cell.top + cell.bottom) / 2);
        // Posted, as the mouse gives them: a press makes the list wait for its release.
        PostMessageW(g_editMode.boxList, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(g_editMode.boxList, WM_LBUTTONUP, 0, at);
        PostMessageW(g_editMode.boxList, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageW(g_editMode.boxList, WM_LBUTTONUP, 0, at);
        PumpMessages();
        HWND editor = CellEditor();
        ASSERT_NE(editor, nullptr);
        SetWindowTextW(editor, text);
        SendMessageW(editor, WM_KEYDOWN, key, 0);
        PumpMessages();
    }
};

}  // namespace

TEST_F(BoxWorkflowTest, ABoxChosenOnTheCanvasOrInTheListIsChosenInBoth)
{
    DragLocal({14, 8}, {14, 8});  // a click inside box 1: chosen, not moved
    EXPECT_EQ(g_bmpChild.selectedBox, 1);
    EXPECT_EQ(ChosenRow(), 1);
    EXPECT_FALSE(g_document.CanUndo());

    LVITEMW item = {};
    item.stateMask = item.state = LVIS_SELECTED;
    SendMessageW(g_editMode.boxList, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
    PumpMessages();
    EXPECT_EQ(g_bmpChild.selectedBox, 0) << "the list's row chooses the box";
    Paint();
    const POINT corner = {g_bmpChild.anchorX + 2, g_bmpChild.anchorY + 2};
    EXPECT_EQ(AnimPixel(corner.x, corner.y), g_options.hitBoxColor) << "a handle on the chosen box's corner";

    Click(IDC_TOOL_ATCK_BOX);
    EXPECT_EQ(g_bmpChild.selectedBox, -1) << "another tool, another list";
}

TEST_F(BoxWorkflowTest, ADragOfAChosenBoxMovesOrResizesItInOneStep)
{
    struct Case {
        const char* what;
        POINT from, to;
        std::vector<int> made;
    };
    const Case cases[] = {
        {"the inside moves it", {5, 5}, {8, 3}, {5, 0, 12, 7}},
        {"the right edge resizes it", {9, 6}, {14, 6}, {2, 2, 14, 9}},
        {"the top-left corner", {2, 2}, {0, 1}, {0, 1, 9, 9}},
        {"outside the chosen box: a new box", {0, 14}, {3, 15}, {2, 2, 9, 9}},
        {"inside another box: a new box too", {14, 6}, {15, 8}, {2, 2, 9, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DragLocal({5, 5}, {5, 5});  // a click chooses box 0
        ASSERT_EQ(g_bmpChild.selectedBox, 0);
        DragLocal(c.from, c.to);
        EXPECT_EQ(Hit(0), c.made);
        const bool added = c.made == std::vector<int>({2, 2, 9, 9});
        EXPECT_EQ(g_document.UndoName(), added ? "Add hit box" : "Change hit box");
        ASSERT_EQ(g_document.Undo(), 1);
        EXPECT_EQ(Hit(0), (std::vector<int>{2, 2, 9, 9})) << "one step for the drag";
        EXPECT_EQ(workSet.sprites[0].hitCount, 2);
    }
}

TEST_F(BoxWorkflowTest, CellsAndCoordinatesTakeTypedNumbers)
{
    TypeInCell(1, 3, L"16", VK_RETURN);  // x2 of box 1
    EXPECT_EQ(Hit(1), (std::vector<int>{12, 4, 16, 12}));
    EXPECT_EQ(g_document.UndoName(), "Change hit box");
    TypeInCell(1, 1, L"3", VK_ESCAPE);
    EXPECT_EQ(Hit(1), (std::vector<int>{12, 4, 16, 12})) << "Esc takes the typing back";
    EXPECT_EQ(CellEditor(), nullptr);

    modal.Answer(IDOK);
    TypeInCell(0, 2, L"4x", VK_RETURN);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].text, "-32768부터 32767까지의 정수를 입력하세요");
    EXPECT_EQ(Hit(0), (std::vector<int>{2, 2, 9, 9}));
    EXPECT_NE(CellEditor(), nullptr) << "the typing stays for another try";
    CancelCellEdit();

    HWND rx = GetDlgItem(g_editMode.dialog, IDC_EDIT_RX), my = GetDlgItem(g_editMode.dialog, IDC_EDIT_MY);
    SetFocus(rx);
    SetWindowTextW(rx, L"-012");
    SendMessageW(rx, EM_SETMODIFY, TRUE, 0);  // as typing leaves it
    SendMessageW(rx, WM_KEYDOWN, VK_RETURN, 0);
    wchar_t taken[16] = L"";
    GetWindowTextW(rx, taken, 16);
    EXPECT_STREQ(taken, L"-12") << "the field shows the number as taken";
    SetFocus(my);
    SetWindowTextW(my, L"3");
    SendMessageW(my, WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages();
    EXPECT_EQ(workSet.sprites[0].rx, -12);
    EXPECT_EQ(workSet.sprites[0].my, 3);
    EXPECT_EQ(g_document.UndoName(), "Move center coordinate");
    g_document.Undo();
    wchar_t text[16] = L"";
    GetWindowTextW(my, text, 16);
    EXPECT_STREQ(text, L"8") << "the field follows the undo";
}

// The arrows through the program's own loop, with the focus on the canvas: a chosen box moves a
// pixel a press, eight with Shift; with none chosen they are not the box's.
TEST_F(BoxWorkflowTest, TheArrowsNudgeTheChosenBox)
{
    auto press = [](WPARAM key, bool shift) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageW(g_bmpChild.window, WM_KEYDOWN, key, 1);
        MSG waiting;
        int quit = 0;
        while (PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE)) RunLoopPass(&quit);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    };
    SetFocus(g_bmpChild.window);
    DragLocal({14, 8}, {14, 8});  // box 1 chosen
    press(VK_UP, false);
    press(VK_RIGHT, true);
    EXPECT_EQ(Hit(1), (std::vector<int>{20, 3, 25, 11}));
    EXPECT_EQ(g_document.UndoName(), "Change hit box");
    g_bmpChild.SelectBox(-1);
    press(VK_RIGHT, false);
    EXPECT_EQ(Hit(1), (std::vector<int>{20, 3, 25, 11})) << "no box chosen: Right is the next sprite's";
    EXPECT_EQ(g_document.Current(), 1);
}

TEST_F(BoxWorkflowTest, TheDeleteButtonDeletesTheChosenBoxOnly)
{
    Click(IDC_DELETE_BOX);
    EXPECT_EQ(workSet.sprites[0].hitCount, 2) << "nothing chosen, nothing deleted";
    DragLocal({5, 5}, {5, 5});
    Click(IDC_DELETE_BOX);
    ASSERT_EQ(workSet.sprites[0].hitCount, 1);
    EXPECT_EQ(Hit(0), (std::vector<int>{12, 4, 17, 12}));
    EXPECT_EQ(g_bmpChild.selectedBox, -1);
    EXPECT_TRUE(g_bmpChild.NudgeSelectedBox(1, 1) == false);
}

// The neighbours drawn faintly behind the current sprite, remembered in EDITOR.CFG.
TEST_F(BoxWorkflowTest, TheOnionSkinShowsTheNeighboursFaintlyAndIsRemembered)
{
    g_options.backColor = 200;  // a colour far from sprite 0's, so the half-tone is neither
    g_document.Select(1);
    Paint();
    const int x = g_bmpChild.anchorX + 15, y = g_bmpChild.anchorY + 10;  // in sprite 0, not in sprite 1
    EXPECT_EQ(AnimPixel(x, y), g_options.backColor);
    Click(IDC_ONION_PREVIOUS);
    Paint();
    EXPECT_TRUE(g_editorOptions.onionPrevious);
    const uint8_t faint = BlendTables[size_t(g_options.backColor) * 256 + 1];  // sprite 0 is painted in color 1
    EXPECT_NE(faint, g_options.backColor);
    EXPECT_NE(faint, 1);
    EXPECT_EQ(AnimPixel(x, y), faint);
    EXPECT_EQ(ReadEditorOptions(kEditorOptionsFileName).onionPrevious, true);
    Click(IDC_ONION_PREVIOUS);
    Paint();
    EXPECT_EQ(AnimPixel(x, y), g_options.backColor);
}

// Mirrored left-right, the sprite's column x (from the anchor) shows at -x - 1, and a box drawn
// on the mirrored page is kept as it lies in the sprite.
TEST_F(BoxWorkflowTest, TheMirroredPreviewDrawsAndTakesBoxesAboutTheAnchor)
{
    Command(ID_FLIP_HORIZONTAL);
    EXPECT_EQ(g_bmpChild.previewFlips, kFlipHorizontal);
    EXPECT_NE(GetMenuState(GetMenu(window), ID_FLIP_HORIZONTAL, MF_BYCOMMAND) & MF_CHECKED, 0u);
    Paint();
    const int ax = g_bmpChild.anchorX, ay = g_bmpChild.anchorY;
    // Box 0 spans sprite columns 2..9 at rx 0: mirrored, columns -10..-3 from the anchor.
    EXPECT_EQ(AnimPixel(ax - 10, ay + 5), g_options.hitBoxColor);
    EXPECT_EQ(AnimPixel(ax - 3, ay + 5), g_options.hitBoxColor);
    EXPECT_EQ(AnimPixel(ax + 5, ay + 5), g_options.backColor) << "nothing right of the anchor";

    const POINT from = WindowPoint(ax - 25, ay + 14), to = WindowPoint(ax - 23, ay + 15);
    Mouse(WM_LBUTTONDOWN, from.x, from.y, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, to.x, to.y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, to.x, to.y);
    ASSERT_EQ(workSet.sprites[0].hitCount, 3);
    EXPECT_EQ(Hit(2), (std::vector<int>{22, 14, 24, 15})) << "columns -25..-23 are sprite columns 24..22";
    Command(ID_FLIP_HORIZONTAL);
    EXPECT_EQ(g_bmpChild.previewFlips, 0);
}
