// The information window: its pages switched by a click on a tab or by the program, each switch
// stopping playback and showing one panel; the canvas's edit mode entered on "Edit Mode" and
// left only on "Sprite Info"; the messages about an empty set; the sprite information lines.
#include <string>
#include <vector>

#include "app/document.h"
#include "app/pages.h"
#include "kit/text.h"
#include "panels/edit_mode_window.h"
#include "panels/info_window.h"
#include "panels/sprite_info_window.h"
#include "panels/tree_window.h"
#include "resources/resource.h"
#include "tests/gui/gui_fixture.h"
#include "tests/gui/layout_helpers.h"
#include "tests/gui/message_log.h"
#include "tests/gui/panel_helpers.h"
#include "views/canvas.h"
#include "views/selection.h"

namespace {

// The information window made wide enough that the three tabs fit side by side: in a narrower one
// the tab control scrolls the first tab out of reach of a click once the last is selected.
class InfoWindowTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        RECT place = {0, 0, 0, 0};
        GetWindowRect(g_infoChild.window, &place);
        MapWindowPoints(nullptr, GetParent(g_infoChild.window), reinterpret_cast<POINT*>(&place), 2);
        MoveWindow(g_infoChild.window, place.left, place.top, 420, place.bottom - place.top, TRUE);
        PumpMessages();
    }
};

const char kNoSpriteToEdit[] = "수정할 스프라이트가 없습니다.\n\r파일을 먼저 읽어주세요.";
const char kNoSpriteForTree[] =
    "에니메이션 데이타를 수정할 스프라이트가 없습니다.\n\r파일을 먼저 읽어주세요.";

// Which panels are shown: sprite information, edit mode (with its dialog), tree management.
struct PanelsShown {
    bool spriteInfo, editMode, tree;
};

void ExpectPanels(const PanelsShown& expected)
{
    EXPECT_EQ(IsWindowVisible(g_sprInfo.window) != FALSE, expected.spriteInfo);
    EXPECT_EQ(IsWindowVisible(g_editMode.window) != FALSE, expected.editMode);
    EXPECT_EQ(IsWindowVisible(g_editMode.dialog) != FALSE, expected.editMode);
    EXPECT_EQ(IsWindowVisible(g_tree.window) != FALSE, expected.tree);
    EXPECT_EQ(g_sprInfo.visible, expected.spriteInfo ? 1 : 0);
    EXPECT_EQ(g_editMode.visible, expected.editMode ? 1 : 0);
    EXPECT_EQ(g_tree.visible, expected.tree ? 1 : 0);
}

// Where `panel` lies in the information window.
RECT PanelRect(HWND panel)
{
    RECT place = {0, 0, 0, 0};
    GetWindowRect(panel, &place);
    MapWindowPoints(nullptr, g_infoChild.window, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

std::string TabText(int page)
{
    wchar_t text[64] = L"";
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(g_infoChild.tabControl, TCM_GETITEMW, WPARAM(page), reinterpret_cast<LPARAM>(&item));
    return TextFromWide(text);
}

}  // namespace

TEST_F(InfoWindowTest, StartsOnSpriteInfoWithThreeTabs)
{
    EXPECT_EQ(CurrentInfoPage(), kSpriteInfoPage);
    EXPECT_EQ(TabText(0), "Sprite Info");
    EXPECT_EQ(TabText(1), "Edit Mode");
    EXPECT_EQ(TabText(2), "Tree Management");
    ExpectPanels({true, false, false});
    EXPECT_EQ(GetParent(g_sprInfo.window), g_infoChild.window);
    EXPECT_EQ(GetParent(g_editMode.window), g_infoChild.window);
    EXPECT_EQ(GetParent(g_tree.window), g_infoChild.window);
    // Each page's panel lies in the tab control's display area, inset as the panels are.
    RECT area = {0, 0, 0, 0};
    GetClientRect(g_infoChild.window, &area);
    SendMessageA(g_infoChild.tabControl, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MakeNumberedSprites(1, 0);
    const HWND panels[] = {g_sprInfo.window, g_editMode.window, g_tree.window};
    for (int page : {kSpriteInfoPage, kEditModePage, kTreePage}) {
        SCOPED_TRACE("page " + std::to_string(page));
        SelectInfoTab(page);
        const RECT panel = PanelRect(panels[page]);
        EXPECT_EQ(panel.left, area.left);
        EXPECT_EQ(panel.top, area.top + 3);
        EXPECT_EQ(panel.right - panel.left, area.right - 4);
        EXPECT_EQ(panel.bottom - panel.top, area.bottom - 30);
    }
}

TEST_F(InfoWindowTest, TheEditModePanelFollowsTheMainWindowsSize)
{
    MakeNumberedSprites(2, 1);
    SelectInfoTab(kEditModePage);
    for (SIZE size : {SIZE{800, 600}, SIZE{1000, 720}, SIZE{700, 500}}) {
        SCOPED_TRACE(std::to_string(size.cx) + " x " + std::to_string(size.cy));
        ResizeMainClient(window, size.cx, size.cy);
        RECT area = ClientOf(g_infoChild.window);
        SendMessageA(g_infoChild.tabControl, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        const RECT panel = PanelRect(g_editMode.window);
        EXPECT_EQ(panel.top, area.top + 3);
        EXPECT_EQ(HeightOf(panel), area.bottom - 30);
        EXPECT_EQ(WidthOf(panel), area.right - 4);
        // The dialog fills the panel, and the canvas stays on the edit page.
        const RECT inside = ClientOf(g_editMode.window);
        EXPECT_EQ(WidthOf(RectInParent(g_editMode.dialog)), WidthOf(inside));
        EXPECT_EQ(HeightOf(RectInParent(g_editMode.dialog)), HeightOf(inside));
        ExpectPanels({false, true, false});
        EXPECT_EQ(g_bmpChild.editMode, 1);
        EXPECT_EQ(g_document.Current(), 1);
    }
}

TEST_F(InfoWindowTest, EveryPageSwitchStopsPlaybackAndShowsItsPanel)
{
    MakeNumberedSprites(3, 0);
    const struct {
        int page;
        PanelsShown panels;
        int editMode;
    } steps[] = {
        {kEditModePage, {false, true, false}, 1},
        {kTreePage, {false, false, true}, 1},  // tree management leaves the edit mode as it was
        {kSpriteInfoPage, {true, false, false}, 0},
        {kTreePage, {false, false, true}, 0},
        {kEditModePage, {false, true, false}, 1},
        {kSpriteInfoPage, {true, false, false}, 0},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE("page " + std::to_string(step.page));
        g_bmpChild.playing = 1;
        MessageLog log({window}, {WM_COMMAND});
        ClickInfoTab(step.page);
        EXPECT_TRUE(log.Matches({SentCommand(ID_STOP)}));
        EXPECT_EQ(CurrentInfoPage(), step.page);
        EXPECT_EQ(g_bmpChild.playing, 0);
        EXPECT_EQ(g_bmpChild.editMode, step.editMode);
        ExpectPanels(step.panels);
        if (step.page == kEditModePage) EXPECT_NE(g_animPage.pixels, nullptr) << "the edit page";
    }
    EXPECT_TRUE(modal.Seen().empty());
}

TEST_F(InfoWindowTest, EmptySetShowsItsMessageAndStillSwitches)
{
    const struct {
        int page;
        const char* text;
        PanelsShown panels;
        int editMode;
    } cases[] = {
        {kEditModePage, kNoSpriteToEdit, {false, true, false}, 1},
        {kTreePage, kNoSpriteForTree, {false, false, true}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("page " + std::to_string(c.page));
        modal.ClearSeen();
        modal.Answer(IDOK);
        ClickInfoTab(c.page);
        ASSERT_EQ(modal.Seen().size(), 1u);
        EXPECT_EQ(modal.Seen()[0].caption, "Message");
        EXPECT_EQ(modal.Seen()[0].text, c.text);
        EXPECT_EQ(CurrentInfoPage(), c.page);
        EXPECT_EQ(g_bmpChild.editMode, c.editMode);
        ExpectPanels(c.panels);
    }
}

TEST_F(InfoWindowTest, NewAndTheStripsDoubleClickSelectTheirPages)
{
    MakeNumberedSprites(3, 0);
    // A double-click on the first thumbnail opens Edit Mode.
    const LPARAM onThumbnail = MAKELPARAM(g_selChild.gap + 1, g_selChild.top + 1);
    SendMessageA(g_selChild.window, WM_LBUTTONDBLCLK, MK_LBUTTON, onThumbnail);
    SendMessageA(g_selChild.window, WM_LBUTTONUP, 0, onThumbnail);
    EXPECT_EQ(CurrentInfoPage(), kEditModePage);
    EXPECT_EQ(g_bmpChild.editMode, 1);
    // New (nothing changed, so no question) goes back to Sprite Info and ends adjust view.
    ClickInfoTab(kTreePage);
    g_bmpChild.adjustView = 1;
    Command(ID_NEW);
    EXPECT_EQ(CurrentInfoPage(), kSpriteInfoPage);
    EXPECT_EQ(g_bmpChild.editMode, 0);
    EXPECT_EQ(g_bmpChild.adjustView, 0);
    ExpectPanels({true, false, false});
    EXPECT_TRUE(modal.Seen().empty());
}

TEST_F(InfoWindowTest, SpriteInfoLines)
{
    const std::vector<InfoLine> noSprite = {
        {10, RGB(150, 0, 0), "총 스프라이트 개수 : 0"},
        {30, RGB(0, 0, 0), "총 액션 개수 : 0"},
    };
    const struct {
        const char* name;
        int count, current;
        bool compress;
        std::vector<InfoLine> lines;
    } cases[] = {
        {"empty set", 0, 0, false, noSprite},
        {"raw sprite", 3, 2, false,
         {{10, RGB(150, 0, 0), "총 스프라이트 개수 : 3"},
          {30, RGB(0, 0, 0), "총 액션 개수 : 0"},
          {60, RGB(0, 0, 200), "<선택된 스프라이트 번호 2>"},
          {80, RGB(0, 20, 120), "압축상태 : OFF"},
          {100, RGB(0, 20, 120), "충돌 좌표의 개수 : 2"},
          {120, RGB(0, 20, 120), "공격 좌표의 개수 : 1"},
          {140, RGB(0, 20, 120), "스프라이트 크기 : 가로=3 세로=2"}}},
        {"compressed sprite", 3, 2, true,
         {{10, RGB(150, 0, 0), "총 스프라이트 개수 : 3"},
          {30, RGB(0, 0, 0), "총 액션 개수 : 0"},
          {60, RGB(0, 0, 200), "<선택된 스프라이트 번호 2>"},
          {80, RGB(0, 20, 120), "압축상태 : ON"},
          {100, RGB(0, 20, 120), "충돌 좌표의 개수 : 2"},
          {120, RGB(0, 20, 120), "공격 좌표의 개수 : 1"},
          {140, RGB(0, 20, 120), "스프라이트 크기 : 가로=3 세로=2"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeNumberedSprites(c.count, c.current);
        if (c.count > 2) {
            ASSERT_EQ(workSet.InsertHitBox(2, 0, {0, 0, 1, 1}), 1);
            ASSERT_EQ(workSet.InsertHitBox(2, 1, {1, 0, 2, 1}), 1);
            ASSERT_EQ(workSet.InsertAtckBox(2, 0, {0, 0, 2, 1}), 1);
        }
        if (c.compress) {
            ASSERT_EQ(workSet.Compress(2), 1);
        }
        const std::vector<InfoLine> lines = SpriteInfoLines();
        ASSERT_EQ(lines.size(), c.lines.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].y, c.lines[i].y) << i;
            EXPECT_EQ(lines[i].color, c.lines[i].color) << i;
            EXPECT_EQ(lines[i].text, c.lines[i].text) << i;
        }
    }
}

TEST_F(InfoWindowTest, SelectingASpriteRepaintsTheInformation)
{
    MakeNumberedSprites(3, 0);
    ValidateRect(g_sprInfo.window, nullptr);
    SelectSprite(2);
    EXPECT_NE(GetUpdateRect(g_sprInfo.window, nullptr, FALSE), FALSE);
    // The painted summary: the first line in its dark red, the selected number's in blue.
    PumpMessages();
    HDC dc = GetDC(g_sprInfo.window);
    int red = 0, blue = 0;
    for (int y = 8; y < 80; ++y)
        for (int x = 8; x < 200; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            if (pixel == RGB(150, 0, 0)) ++red;
            if (pixel == RGB(0, 0, 200)) ++blue;
        }
    ReleaseDC(g_sprInfo.window, dc);
    EXPECT_GT(red, 0);
    EXPECT_GT(blue, 0);
}

