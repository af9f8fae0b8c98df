// Edit mode on the real canvas with the edit-mode panel and its dialog: coordinates moved and
// boxes drawn and removed with mouse messages, the dialog's tool, view and compression boxes
// clicked, and the sprite, the box list's rows and cells, the status line and the page's pixels
// checked.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/document.h"
#include "app/options.h"
#include "app/pages.h"
#include "kit/status_bar.h"
#include "kit/text.h"
#include "panels/edit_mode_window.h"
#include "panels/info_window.h"
#include "resources/resource.h"
#include "tests/gui/canvas_fixture.h"
#include "tests/gui/document_helpers.h"
#include "views/canvas.h"
#include "views/edit_mode_dialog.h"
#include "views/selection.h"

namespace {

constexpr int kPageWidth = 320, kPageHeight = 200;
constexpr int kSpriteWidth = 20, kSpriteHeight = 16;
constexpr uint8_t kSpriteColor = 1;  // MakeSprites paints sprite 0 in color 1

using Rows = std::vector<std::vector<std::string>>;

class EditModeTest : public CanvasTest {
protected:
    void SetUp() override
    {
        CanvasTest::SetUp();
        // The information window made the edit-mode panel and its dialog with the window tree.
        ASSERT_NE(g_statusBar, nullptr);
        ASSERT_NE(g_editMode.window, nullptr);
        ASSERT_NE(g_editMode.dialog, nullptr);
        ASSERT_NE(g_editMode.boxList, nullptr);
        MoveWindow(g_editMode.window, 420, 0, 320, 520, TRUE);
        g_options = kDefaultOptions;
        g_options.crossHair = 0;
        OpenDocument({{kSpriteWidth, kSpriteHeight}});
        g_bmpChild.animWidth = kPageWidth;
        g_bmpChild.animHeight = kPageHeight;
        g_bmpChild.editMode = 1;
        g_bmpChild.StartEditPage();
        Paint();
    }

    Sprite& S() { return workSet.sprites[0]; }

    // The window point of a sprite-local point, through the anchor and the sprite's rx, ry now.
    POINT LocalWindowPoint(int x, int y)
    {
        return WindowPoint(g_bmpChild.anchorX + S().rx + x, g_bmpChild.anchorY + S().ry + y);
    }
    void DragLocal(POINT from, POINT to)
    {
        POINT a = LocalWindowPoint(from.x, from.y), b = LocalWindowPoint(to.x, to.y);
        Mouse(WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, b.x, b.y, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, b.x, b.y);
        PumpMessages();
    }
    void RightClick()
    {
        Mouse(WM_RBUTTONDOWN, 10, 10, MK_RBUTTON);
        Mouse(WM_RBUTTONUP, 10, 10);
        PumpMessages();
    }
    // A click on one of the dialog's buttons, as the user makes it.
    void ClickDialog(int id)
    {
        SendMessageW(GetDlgItem(g_editMode.dialog, id), BM_CLICK, 0, 0);
        PumpMessages();
    }

    HWND List() const { return g_editMode.boxList; }
    std::string Header(int column)
    {
        wchar_t text[64] = L"";
        LVCOLUMNW info = {};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = 64;
        SendMessageW(List(), LVM_GETCOLUMNW, WPARAM(column), reinterpret_cast<LPARAM>(&info));
        return TextFromWide(text);
    }
    Rows ListRows()
    {
        Rows rows;
        int count = int(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            rows.emplace_back();
            for (int column = 0; column < 5; ++column) {
                wchar_t text[64] = L"";
                LVITEMW item = {};
                item.iSubItem = column;
                item.pszText = text;
                item.cchTextMax = 64;
                SendMessageW(List(), LVM_GETITEMTEXTW, WPARAM(row), reinterpret_cast<LPARAM>(&item));
                rows.back().push_back(TextFromWide(text));
            }
        }
        return rows;
    }
    std::string Status()
    {
        wchar_t text[300] = L"";
        SendMessageW(g_statusBar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
        return TextFromWide(text);
    }
    uint8_t AnimPixel(int x, int y) const { return g_animPage.pixels[size_t(y) * g_animPage.pitch + x]; }
};

std::vector<std::string> BoxRow(int i, const BoxRect& b)
{
    return {"Num " + std::to_string(i), std::to_string(b.x1), std::to_string(b.y1), std::to_string(b.x2),
            std::to_string(b.y2)};
}

struct BoxCase {
    int tool;
    POINT from, to;
    BoxRect stored;  // reserved words 0
};

}  // namespace

TEST_F(EditModeTest, BoxDragsAreStoredOrderedAndListedAndShown)
{
    const BoxCase cases[] = {
        {IDC_TOOL_HIT_BOX, {10, 10}, {4, 2}, {0, 4, 2, 10, 10, 0}},
        {IDC_TOOL_HIT_BOX, {3, 5}, {3, 5}, {0, 3, 5, 3, 5, 0}},  // press and release: one point
        {IDC_TOOL_ATCK_BOX, {10, 10}, {4, 2}, {0, 4, 2, 10, 10, 0}},
        {IDC_TOOL_ATCK_BOX, {-3, 5}, {25, 7}, {0, -3, 5, 25, 7, 0}},  // reaching past the sprite
    };
    for (const BoxCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "tool " << c.tool << " from " << c.from.x << "," << c.from.y);
        OpenDocument({{kSpriteWidth, kSpriteHeight}});
        ClickDialog(c.tool);
        const bool hit = c.tool == IDC_TOOL_HIT_BOX;
        DragLocal(c.from, c.to);

        ASSERT_EQ(hit ? S().hitCount : S().atckCount, 1);
        EXPECT_EQ(hit ? S().atckCount : S().hitCount, 0);
        const BoxRect& box = hit ? S().hitBoxes[0] : S().atckBoxes[0];
        EXPECT_EQ(std::vector<int>({box.x1, box.y1, box.x2, box.y2}),
                  std::vector<int>({c.stored.x1, c.stored.y1, c.stored.x2, c.stored.y2}));
        EXPECT_TRUE(g_document.Modified());
        EXPECT_EQ(g_bmpChild.editState, 2);
        EXPECT_EQ(GetCapture(), nullptr);

        EXPECT_EQ(CountColumns(List()), 5);
        EXPECT_EQ(Header(0), hit ? "충돌상자" : "공격상자");
        EXPECT_EQ(Header(4), "Y2");
        EXPECT_EQ(ListRows(), Rows({BoxRow(0, c.stored)}));
        std::string kind = hit ? "충돌상자" : "공격상자";
        EXPECT_EQ(Status(), "현재 그리는 중의 " + kind + " 좌표(x1,y1,x2,y2) = " + std::to_string(c.stored.x1) + ", " +
                                std::to_string(c.stored.y1) + ", " + std::to_string(c.stored.x2) + ", " +
                                std::to_string(c.stored.y2));

        Paint();
        const int left = g_bmpChild.anchorX + c.stored.x1, top = g_bmpChild.anchorY + c.stored.y1;
        const int color = hit ? g_options.hitBoxColor : g_options.atckBoxColor;
        EXPECT_EQ(AnimPixel(left, top), color);
        EXPECT_EQ(AnimPixel(g_bmpChild.anchorX + c.stored.x2, g_bmpChild.anchorY + c.stored.y2), color);
    }
}

TEST_F(EditModeTest, CoordinateToolsFollowTheMouseOnePagePixelPerPagePixel)
{
    struct Case {
        int tool, zoom, dx, dy;  // a drag of dx, dy window pixels, made in two equal moves
        int moved;               // page pixels each way
    };
    const Case cases[] = {
        {IDC_TOOL_RELATIVE, 3, 9, 0, 3},   // 9 window pixels at zoom 3 add 3 to rx
        {IDC_TOOL_RELATIVE, 1, -8, 6, 0},  // moved checked per axis below
        {IDC_TOOL_CENTER, 2, 8, -4, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "tool " << c.tool << " zoom " << c.zoom);
        OpenDocument({{kSpriteWidth, kSpriteHeight}});
        while (g_bmpChild.editZoom > 1) DispatchCommand(window, ID_ZOOM_OUT, 0);
        for (int z = 1; z < c.zoom; ++z) DispatchCommand(window, ID_ZOOM_IN, 0);
        ASSERT_EQ(g_bmpChild.curZoom, c.zoom);
        ClickDialog(c.tool);
        const Sprite before = S();

        POINT at = LocalWindowPoint(2, 2);
        Mouse(WM_LBUTTONDOWN, at.x, at.y, MK_LBUTTON);
        EXPECT_FALSE(g_document.Modified()) << "a press alone moves nothing";
        // The second move would count twice if the sprite-local point followed the moved rx.
        Mouse(WM_MOUSEMOVE, at.x + c.dx / 2, at.y + c.dy / 2, MK_LBUTTON);
        Mouse(WM_MOUSEMOVE, at.x + c.dx, at.y + c.dy, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, at.x + c.dx, at.y + c.dy);
        PumpMessages();

        const int mx = c.dx / c.zoom, my = c.dy / c.zoom;
        if (c.moved != 0) EXPECT_EQ(mx, c.moved);
        const bool relative = c.tool == IDC_TOOL_RELATIVE;
        EXPECT_EQ(S().rx, before.rx + (relative ? mx : 0));
        EXPECT_EQ(S().ry, before.ry + (relative ? my : 0));
        EXPECT_EQ(S().mx, before.mx + (relative ? 0 : mx));
        EXPECT_EQ(S().my, before.my + (relative ? 0 : my));
        EXPECT_EQ(S().hitCount, 0);
        EXPECT_TRUE(g_document.Modified());
        EXPECT_EQ(g_document.UndoName(), relative ? "Move relative coordinate" : "Move center coordinate");
        EXPECT_EQ(Status(), relative ? "상대좌표(rx,ry) = " + std::to_string(S().rx) + ", " + std::to_string(S().ry)
                                     : "중심좌표(mx,my) = " + std::to_string(S().mx) + ", " + std::to_string(S().my));
        // Coordinate tools have no list: no columns, greyed.
        EXPECT_EQ(CountColumns(List()), 0);
        EXPECT_FALSE(IsWindowEnabled(List()));
    }
}

TEST_F(EditModeTest, RightClickRemovesTheNewestBoxOfTheChosenKindAndItsRow)
{
    // Apart from each other: a press on a box takes that box instead of drawing a new one.
    ClickDialog(IDC_TOOL_HIT_BOX);
    DragLocal({1, 1}, {5, 5});
    DragLocal({8, 1}, {12, 5});
    DragLocal({1, 8}, {5, 12});
    ClickDialog(IDC_TOOL_ATCK_BOX);
    DragLocal({0, 0}, {9, 9});
    ClickDialog(IDC_TOOL_HIT_BOX);
    ASSERT_EQ(ListRows().size(), 3u);

    RightClick();
    ASSERT_EQ(S().hitCount, 2);
    EXPECT_EQ(S().atckCount, 1);
    EXPECT_EQ(S().hitBoxes[1].x1, 8);  // the newest went, the older stay in order
    EXPECT_EQ(ListRows(), Rows({BoxRow(0, S().hitBoxes[0]), BoxRow(1, S().hitBoxes[1])}));
    EXPECT_EQ(g_document.UndoName(), "Delete hit box");
    EXPECT_EQ(g_bmpChild.editState, 0);

    ClickDialog(IDC_TOOL_ATCK_BOX);
    RightClick();
    EXPECT_EQ(S().atckCount, 0);
    EXPECT_TRUE(ListRows().empty());
    EXPECT_EQ(CountColumns(List()), 5);  // the header stays

    // No box of the kind left, or a coordinate tool: nothing removed and nothing changed.
    EXPECT_EQ(g_document.UndoName(), "Delete attack box");
    RightClick();
    ClickDialog(IDC_TOOL_RELATIVE);
    RightClick();
    EXPECT_EQ(S().hitCount, 2);
    EXPECT_EQ(g_document.UndoName(), "Delete attack box") << "no step was added";
    EXPECT_EQ(modal.Seen().size(), 0u);
}

TEST_F(EditModeTest, CoordinateToolEmptiesAndGreysTheListAndABoxToolRebuildsIt)
{
    ASSERT_EQ(workSet.InsertHitBox(0, 0, {1, 2, 3, 4}), 1);
    ASSERT_EQ(workSet.InsertHitBox(0, 1, {5, 6, 7, 8}), 1);
    ASSERT_EQ(workSet.InsertHitBox(0, 2, {9, 9, 9, 9}), 1);
    g_bmpChild.adjustView = 1;
    ClickDialog(IDC_TOOL_RELATIVE);
    EXPECT_EQ(editTool, IDC_TOOL_RELATIVE);
    EXPECT_EQ(g_bmpChild.adjustView, 0);  // a tool choice leaves the adjust-view mode
    EXPECT_EQ(CountColumns(List()), 0);
    EXPECT_FALSE(IsWindowEnabled(List()));

    ClickDialog(IDC_TOOL_HIT_BOX);
    EXPECT_TRUE(IsWindowEnabled(List()));
    EXPECT_EQ(ListRows(), Rows({BoxRow(0, S().hitBoxes[0]), BoxRow(1, S().hitBoxes[1]), BoxRow(2, S().hitBoxes[2])}));
    EXPECT_EQ(ListRows()[1], std::vector<std::string>({"Num 1", "5", "6", "7", "8"}));
}

TEST_F(EditModeTest, CompressionBoxTogglesTheCurrentSpritesForm)
{
    for (int compressedAtStart : {1, 0}) {
        SCOPED_TRACE(testing::Message() << "compressed at start " << compressedAtStart);
        MakeSprites(workSet, {{kSpriteWidth, kSpriteHeight}});
        if (compressedAtStart) ASSERT_EQ(workSet.Compress(0), 1);
        ReopenDocument(0);  // the box follows the current sprite
        HWND box = GetDlgItem(g_editMode.dialog, IDC_EDIT_COMPRESS);
        EXPECT_EQ(SendMessageW(box, BM_GETCHECK, 0, 0), compressedAtStart ? BST_CHECKED : BST_UNCHECKED);
        const std::vector<uint8_t> pixels = SpritePixels(0);

        ClickDialog(IDC_EDIT_COMPRESS);
        EXPECT_EQ(S().compressed, compressedAtStart ? 0 : 1);
        EXPECT_EQ(SpritePixels(0), pixels);
        EXPECT_TRUE(g_document.Modified());
        ClickDialog(IDC_EDIT_COMPRESS);
        EXPECT_EQ(S().compressed, compressedAtStart);
        EXPECT_EQ(SpritePixels(0), pixels);
    }
    EXPECT_EQ(modal.Seen().size(), 0u);

    // With no sprite there is nothing to compress: nothing happens, and the box stays unchecked.
    g_document.New();
    ClickDialog(IDC_EDIT_COMPRESS);
    EXPECT_EQ(modal.Seen().size(), 0u);
    EXPECT_FALSE(g_document.Modified());
    EXPECT_EQ(SendMessageW(GetDlgItem(g_editMode.dialog, IDC_EDIT_COMPRESS), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(EditModeTest, StartEditPageResetsOnlyAnAnchorOffThePage)
{
    struct Case {
        int anchor, expected;
    };
    const Case xCases[] = {{0, kPageWidth / 2}, {1, 1}, {kPageWidth - 1, kPageWidth - 1},
                           {kPageWidth, kPageWidth / 2}, {-4, kPageWidth / 2}};
    const Case yCases[] = {{0, kPageHeight / 2}, {1, 1}, {kPageHeight, kPageHeight / 2}};
    for (const Case& c : xCases) {
        g_bmpChild.anchorX = c.anchor;
        g_bmpChild.anchorY = 1;
        g_bmpChild.StartEditPage();
        EXPECT_EQ(g_bmpChild.anchorX, c.expected) << "anchor x " << c.anchor;
        EXPECT_EQ(g_bmpChild.anchorY, 1);
    }
    for (const Case& c : yCases) {
        g_bmpChild.anchorY = c.anchor;
        g_bmpChild.StartEditPage();
        EXPECT_EQ(g_bmpChild.anchorY, c.expected) << "anchor y " << c.anchor;
    }
    EXPECT_EQ(g_bmpChild.pageWidth, kPageWidth);
    EXPECT_EQ(g_bmpChild.pageHeight, kPageHeight);
}

TEST_F(EditModeTest, MarksCoverInOrderAndAllFlagsOffLeaveTheSpriteAlone)
{
    ASSERT_EQ(workSet.InsertHitBox(0, 0, {-5, -5, 20, 5}), 1);    // its right edge on the anchor's column
    ASSERT_EQ(workSet.InsertAtckBox(0, 0, {-5, -5, 25, 25}), 1);  // its corner on the hit box's
    S().rx = -20;
    S().ry = -10;
    S().mx = 10;
    S().my = 8;
    Paint();
    const int ax = g_bmpChild.anchorX, ay = g_bmpChild.anchorY;
    const int left = ax - 20, top = ay - 10;  // the sprite's top-left pixel: rx -20 puts it at 130
    EXPECT_EQ(left, 130);
    EXPECT_EQ(AnimPixel(left + 1, top + 1), kSpriteColor);
    EXPECT_EQ(AnimPixel(ax, 0), g_options.relCrossColor);
    EXPECT_EQ(AnimPixel(0, ay), g_options.relCrossColor);
    EXPECT_EQ(AnimPixel(left + 3, ay), g_options.relCrossColor);  // the anchor line over the sprite
    EXPECT_EQ(AnimPixel(ax, top), g_options.hitBoxColor);          // the hit box over the anchor line
    EXPECT_EQ(AnimPixel(left - 5, top - 5), g_options.atckBoxColor);  // the attack box over the hit box
    EXPECT_EQ(AnimPixel(left + 10 - 7, top + 8), 255 - kSpriteColor);  // the center mark inverts
    EXPECT_EQ(AnimPixel(left + 10, top + 8 + 7), 255 - kSpriteColor);

    for (int id : {IDC_SHOW_ANCHOR, IDC_SHOW_CENTER, IDC_SHOW_HIT_BOXES, IDC_SHOW_ATCK_BOXES}) ClickDialog(id);
    EXPECT_EQ(std::vector<int>({showAnchor, showCenter, showHitBoxes, showAtckBoxes}), std::vector<int>(4, 0));
    Paint();
    for (int y = 0; y < kPageHeight; ++y)
        for (int x = 0; x < kPageWidth; ++x) {
            const bool inSprite = x >= left && x < left + kSpriteWidth && y >= top && y < top + kSpriteHeight;
            ASSERT_EQ(AnimPixel(x, y), inSprite ? kSpriteColor : g_options.backColor) << x << "," << y;
        }
}

TEST_F(EditModeTest, FailuresAreShownAndPressesWithoutSpritesDoNothing)
{
    // A page that cannot be made is reported; the next drawing finds no pixels and leaves edit mode.
    g_bmpChild.animWidth = 0;
    modal.Answer(IDOK);
    modal.Answer(IDOK);
    g_bmpChild.StartEditPage();
    Paint();
    ASSERT_EQ(modal.Seen().size(), 2u);
    EXPECT_EQ(modal.Seen()[0].text, "Edit Page 초기화 실패");
    EXPECT_EQ(modal.Seen()[1].text, "페이지가 초기화 되지 않았습니다.");
    EXPECT_EQ(g_bmpChild.editMode, 0);

    g_bmpChild.animWidth = kPageWidth;
    g_bmpChild.editMode = 1;
    g_bmpChild.StartEditPage();
    g_document.New();
    Mouse(WM_LBUTTONDOWN, 200, 200, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 210, 210, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 210, 210);
    PumpMessages();
    EXPECT_EQ(g_bmpChild.editState, 0);
    EXPECT_FALSE(g_document.Modified());
    EXPECT_EQ(Status(), "Ready");
}

TEST_F(EditModeTest, PanelShowsHidesAndHoldsTheDialog)
{
    g_editMode.Show(0);
    EXPECT_FALSE(IsWindowVisible(g_editMode.window));
    EXPECT_FALSE(IsWindowVisible(g_editMode.dialog));
    g_editMode.Place();  // hidden: not moved
    g_editMode.Show(1);
    EXPECT_TRUE(IsWindowVisible(g_editMode.dialog));
    g_editMode.Place();
    PumpMessages();
    RECT panel, parentArea, dialog;
    GetClientRect(g_infoChild.window, &parentArea);  // the panel rectangle: the tab's display area
    SendMessageA(g_infoChild.tabControl, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&parentArea));
    GetClientRect(g_editMode.window, &panel);
    GetWindowRect(g_editMode.dialog, &dialog);
    RECT outer;
    GetWindowRect(g_editMode.window, &outer);
    EXPECT_EQ(outer.right - outer.left, parentArea.right - 4);
    EXPECT_EQ(outer.bottom - outer.top, parentArea.bottom - 30);
    EXPECT_EQ(dialog.right - dialog.left, panel.right);  // the dialog fills the panel
    EXPECT_EQ(dialog.bottom - dialog.top, panel.bottom);
    g_editMode.Show(7);  // neither: nothing changes on screen
    EXPECT_TRUE(IsWindowVisible(g_editMode.dialog));
    EXPECT_EQ(g_editMode.visible, 7);
}
