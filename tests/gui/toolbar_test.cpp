// The toolbar with its entries, check groups and tool tips; the frame-rate box feeding the frame
// rate to the main window and to Play; the status bar.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>

#include "app/frame_rate_box.h"
#include "app/toolbar.h"
#include "kit/status_bar.h"
#include "kit/text.h"
#include "resources/resource.h"
#include "tests/gui/gui_fixture.h"
#include "views/animation.h"
#include "views/canvas.h"

namespace {

// The frame-rate box's edit field.
HWND BoxEdit() { return FindWindowExA(g_fpsCombo, nullptr, "Edit", nullptr); }

// What the edit field tells the box when its text changes, as typing or choosing does.
void NotifyBoxChanged()
{
    HWND edit = BoxEdit();
    SendMessageA(g_fpsCombo, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit), EN_CHANGE), LPARAM(edit));
    PumpMessages(20);
}

void TypeIntoBox(const char* text)
{
    HWND edit = BoxEdit();
    SendMessageA(edit, EM_SETSEL, 0, -1);
    for (const char* c = text; *c != '\0'; ++c) SendMessageA(edit, WM_CHAR, WPARAM(*c), 1);
    PumpMessages(20);
}

std::wstring StatusText()
{
    wchar_t text[128] = L"";
    SendMessageW(g_statusBar, SB_GETTEXTW, 0, LPARAM(text));
    return text;
}

using ToolbarTest = MainWindowTest;

}  // namespace

TEST_F(ToolbarTest, EntriesImagesAndCheckGroups)
{
    // Commands of the 43 entries, 0 for a separator.
    const int entries[] = {
        0, 0, ID_NEW, ID_OPEN_BITMAP, ID_OPEN_SPRITE, ID_SAVE_SPRITE, 0, 0, 0,
        ID_VIEW_ALL, ID_VIEW_BITMAP, ID_VIEW_INFO, ID_VIEW_SELECTION, 0, 0, 0,
        ID_ZOOM_IN, ID_ZOOM_OUT, ID_ADJUST_VIEW, 0, 0, 0,
        ID_PLAY, ID_STOP, ID_PAUSE, ID_BACK, ID_FORWARD,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        ID_OPTIONS};
    const int checkGroups[] = {ID_VIEW_ALL, ID_VIEW_BITMAP, ID_VIEW_INFO, ID_VIEW_SELECTION,
                               ID_PLAY,     ID_STOP,        ID_PAUSE};
    ASSERT_EQ(SendMessageA(g_toolbar, TB_BUTTONCOUNT, 0, 0), 43);
    int image = 0;
    for (int i = 0; i < 43; ++i) {
        TBBUTTON button = {};
        ASSERT_TRUE(SendMessageA(g_toolbar, TB_GETBUTTON, WPARAM(i), LPARAM(&button)));
        SCOPED_TRACE(i);
        EXPECT_TRUE(button.fsState & TBSTATE_ENABLED);
        if (entries[i] == 0) {
            EXPECT_TRUE(button.fsStyle & TBSTYLE_SEP);
            continue;
        }
        EXPECT_EQ(button.idCommand, entries[i]);
        EXPECT_EQ(button.iBitmap, image++) << "the pictures follow the buttons' order";
        const bool grouped = std::find(std::begin(checkGroups), std::end(checkGroups),
                                       entries[i]) != std::end(checkGroups);
        EXPECT_EQ((button.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP, grouped);
        const bool checked = entries[i] == ID_VIEW_ALL || entries[i] == ID_STOP;
        EXPECT_EQ((button.fsState & TBSTATE_CHECKED) != 0, checked) << "at start";
    }
    EXPECT_EQ(image, 17);
}

TEST_F(ToolbarTest, PlaybackCommandsCheckTheirOwnButtons)
{
    MakeModifiedDocument();
    const struct {
        int command;
        int checked;
    } steps[] = {{ID_PLAY, ID_PLAY}, {ID_PAUSE, ID_PAUSE}, {ID_STOP, ID_STOP},
                 {ID_PAUSE, ID_STOP}};  // Pause while stopped is Stop
    for (const auto& step : steps) {
        Command(step.command);
        for (int button : {ID_PLAY, ID_STOP, ID_PAUSE})
            EXPECT_EQ(SendMessageA(g_toolbar, TB_ISBUTTONCHECKED, WPARAM(button), 0) != 0,
                      button == step.checked)
                << "after " << step.command << ", button " << button;
    }
}

TEST_F(ToolbarTest, ToolTipsAskTheMainWindowThroughTheToolbar)
{
    HWND tips = HWND(SendMessageA(g_toolbar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tips, nullptr);
    const struct {
        int command;
        const wchar_t* tip;
    } cases[] = {{ID_NEW, L"New"},
                 {ID_OPEN_BITMAP, L"Open Bitmap files"},
                 {ID_VIEW_SELECTION, L"View Only Selection Window"},
                 {ID_ADJUST_VIEW, L"Adjust view position"},
                 {ID_STOP, L"Stop"},
                 {ID_FORWARD, L"Forward"},
                 {ID_OPTIONS, L"Option"}};
    for (const auto& c : cases) {
        // What the tool-tip window asks its toolbar before it shows a button's tip.
        NMTTDISPINFOW request = {};
        request.hdr.hwndFrom = tips;
        request.hdr.idFrom = UINT_PTR(c.command);
        request.hdr.code = TTN_GETDISPINFOW;
        request.lpszText = request.szText;
        SendMessageW(g_toolbar, WM_NOTIFY, 0, LPARAM(&request));
        ASSERT_NE(request.lpszText, nullptr);
        EXPECT_STREQ(request.lpszText, c.tip) << c.command;
    }
}

TEST_F(ToolbarTest, FrameRateBoxHoldsFifteenRatesWithNoDelaySelected)
{
    const char* texts[] = {"No delay", "05 fps", "10 fps", "15 fps", "20 fps",
                           "25 fps",   "30 fps", "35 fps", "40 fps", "45 fps",
                           "50 fps",   "55 fps", "60 fps", "65 fps", "70 fps"};
    ASSERT_EQ(SendMessageA(g_fpsCombo, CB_GETCOUNT, 0, 0), 15);
    for (int i = 0; i < 15; ++i) {
        char text[32] = "";
        SendMessageA(g_fpsCombo, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
        EXPECT_STREQ(text, texts[i]);
    }
    EXPECT_EQ(SendMessageA(g_fpsCombo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(GetParent(g_fpsCombo), g_toolbar);
    EXPECT_TRUE(GetWindowLongA(g_fpsCombo, GWL_STYLE) & CBS_DROPDOWN);
}

TEST_F(ToolbarTest, ChoosingARateFeedsTheMainWindow)
{
    const struct {
        int position;
        int fps;
        int interval;  // "No delay" keeps the one before
    } steps[] = {{6, 30, 33}, {1, 5, 200}, {14, 70, 14}, {0, 0, 14}, {9, 45, 22}};
    for (const auto& step : steps) {
        SendMessageA(g_fpsCombo, CB_SETCURSEL, WPARAM(step.position), 0);
        NotifyBoxChanged();
        EXPECT_EQ(g_bmpChild.fps, step.fps) << step.position;
        EXPECT_EQ(g_frameInterval, step.interval) << step.position;
    }
}

TEST_F(ToolbarTest, PlayReadsTheRateFromTheBox)
{
    MakeModifiedDocument();
    SendMessageA(g_fpsCombo, CB_SETCURSEL, 8, 0);  // "40 fps", the main window not told
    Command(ID_PLAY);
    EXPECT_EQ(g_bmpChild.fps, 40);
    EXPECT_EQ(g_frameInterval, 25);

    // Typed text that is none of the entries: no rate, and the interval stays.
    TypeIntoBox("12 fps");
    EXPECT_EQ(g_bmpChild.fps, 0) << "the change notification found no selection";
    Command(ID_STOP);
    g_bmpChild.fps = 99;
    Command(ID_PLAY);
    EXPECT_EQ(g_bmpChild.fps, 0);
    EXPECT_EQ(g_frameInterval, 25);
}

TEST_F(ToolbarTest, StatusBarSaysReadyAndShowsKoreanTexts)
{
    EXPECT_EQ(StatusText(), L"Ready");
    SetStatusText("좌표 (12, 34)");
    EXPECT_EQ(StatusText(), WideFromText("좌표 (12, 34)"));
    EXPECT_EQ(StatusText().substr(0, 2), L"\xC88C\xD45C");  // two Hangul syllables, not bytes
}
