// The main window: its class, menu, close prompt and the messages it handles itself.
#include <windows.h>
#include <commctrl.h>

#include "app/document.h"
#include "app/main_window.h"
#include "resources/resource.h"
#include "tests/gui/gui_fixture.h"
#include "views/canvas.h"

namespace {

// An item's text before a tab; the key shown after it is the keys' tests' (keys_test.cpp).
std::string MenuText(HMENU menu, UINT id)
{
    char text[64] = "";
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    const std::string whole = text;
    return whole.substr(0, whole.find('\t'));
}

}  // namespace

TEST_F(MainWindowTest, WindowHasItsClassTitleIconAndMenu)
{
    char text[64] = "";
    GetClassNameA(window, text, sizeof text);
    EXPECT_STREQ(text, "Quillon");
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "Quillon for Windows95 - noname.spr");
    EXPECT_NE(GetClassLongPtrA(window, GCLP_HICON), 0);
    EXPECT_NE(GetClassLongPtrA(window, GCLP_HICONSM), 0);
    EXPECT_EQ(g_mainWnd, window);

    HMENU menu = GetMenu(window);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(g_mainMenu, menu);
    ASSERT_EQ(GetMenuItemCount(menu), 5);
    const char* tops[] = {"File", "&Edit", "Animation", "View", "Help"};
    for (int i = 0; i < 5; ++i) {
        GetMenuStringA(menu, UINT(i), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, tops[i]);
    }
    EXPECT_EQ(MenuText(menu, ID_NEW), "&New");
    EXPECT_EQ(MenuText(menu, ID_OPEN_BITMAP), "&Open Bitmap");
    EXPECT_EQ(MenuText(menu, ID_OPEN_SPRITE), "O&pen Sprite");
    EXPECT_EQ(MenuText(menu, ID_OPEN_PALETTE), "Open &Palette");
    EXPECT_EQ(MenuText(menu, ID_SAVE_SPRITE), "&Save Sprite");
    EXPECT_EQ(MenuText(menu, ID_SAVE_PALETTE), "S&ave Palette");
    EXPECT_EQ(MenuText(menu, ID_EXPORT), "Expo&rt...");
    EXPECT_EQ(MenuText(menu, ID_EXIT), "E&xit");
    EXPECT_EQ(MenuText(menu, ID_PLAY), "&Play");
    EXPECT_EQ(MenuText(menu, ID_STOP), "&Stop");
    EXPECT_EQ(MenuText(menu, ID_PAUSE), "Pa&use");
    EXPECT_EQ(MenuText(menu, ID_VIEW_ALL), "&All window");
    EXPECT_EQ(MenuText(menu, ID_VIEW_BITMAP), "&Bitmap window");
    EXPECT_EQ(MenuText(menu, ID_VIEW_INFO), "&Information window");
    EXPECT_EQ(MenuText(menu, ID_VIEW_SELECTION), "&Selection window");
    EXPECT_EQ(MenuText(menu, ID_ZOOM_IN), "Zoom &In");
    EXPECT_EQ(MenuText(menu, ID_ZOOM_OUT), "Zoom &Out");
    EXPECT_EQ(MenuText(menu, ID_SEL_ZOOM_IN), "Zoom &In");
    EXPECT_EQ(MenuText(menu, ID_SEL_ZOOM_OUT), "Zoom &Out");
    EXPECT_EQ(MenuText(menu, ID_ADJUST_VIEW), "Adjust view position");
    EXPECT_EQ(MenuText(menu, ID_OPTIONS), "&Options...");
    EXPECT_EQ(MenuText(menu, ID_ABOUT), "About");
    EXPECT_EQ(GetMenuState(menu, ID_VIEW_ALL, MF_BYCOMMAND) & MF_CHECKED, UINT(MF_CHECKED));
    EXPECT_EQ(GetMenuState(menu, ID_VIEW_BITMAP, MF_BYCOMMAND) & MF_CHECKED, 0u);

    // The two zoom submenus of View, in this order.
    HMENU view = GetSubMenu(menu, 3);
    GetMenuStringA(view, 5, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Zoom bitmap window");
    GetMenuStringA(view, 6, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Zoom select window");
}

TEST_F(MainWindowTest, CloseWithoutChangesQuitsAtOnce)
{
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpMessages());
    EXPECT_TRUE(modal.Seen().empty());
    EXPECT_TRUE(IsWindow(window)) << "the window lives until the loop ends";
}

TEST_F(MainWindowTest, CloseWithChangesAsksAndCancelKeepsEverything)
{
    MakeModifiedDocument();
    modal.Answer(IDCANCEL);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(PumpMessages());
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].caption, "Exit");
    EXPECT_EQ(modal.Seen()[0].text, "스프라이트 파일을 저장할까요?");
    EXPECT_EQ(workSet.Count(), 1);
    EXPECT_TRUE(g_document.Modified());
}

TEST_F(MainWindowTest, CloseAnsweredNoQuitsWithoutSaving)
{
    MakeModifiedDocument();
    modal.Answer(IDNO);
    Command(ID_EXIT);  // Exit posts WM_CLOSE: the same prompt
    EXPECT_TRUE(PumpMessages());
    EXPECT_EQ(modal.Seen().size(), 1u);
}

TEST_F(MainWindowTest, CloseAnsweredYesThenCancelledSaveKeepsRunning)
{
    MakeModifiedDocument();
    modal.Answer(IDYES);
    modal.Answer(IDCANCEL);  // the save dialog
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(PumpMessages());
    EXPECT_EQ(modal.Seen().size(), 2u);
    EXPECT_EQ(workSet.Count(), 1);
    EXPECT_TRUE(g_document.Modified());
}

TEST_F(MainWindowTest, CloseAnsweredYesSavesThenQuits)
{
    GuiTempDir dir;
    std::string path = dir.File("saved.spr");
    MakeModifiedDocument();
    modal.Answer(IDYES);
    modal.Answer(IDOK, path);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(PumpMessages());
    EXPECT_TRUE(FileExistsA(path));
    EXPECT_FALSE(g_document.Modified());
    EXPECT_STREQ(g_bmpChild.spritePath, path.c_str());
}

TEST_F(MainWindowTest, ToolTipsComeFromTheCommandTable)
{
    NMTTDISPINFOA request = {};
    request.hdr.hwndFrom = window;
    request.hdr.code = TTN_NEEDTEXTA;
    struct {
        int id;
        const char* tip;
    } cases[] = {{ID_NEW, "New"}, {ID_OPEN_BITMAP, "Open Bitmap files"},
                 {ID_VIEW_INFO, "View Only Information Window"}, {ID_PLAY, "Play"},
                 {ID_BACK, "Back"}, {ID_OPTIONS, "Option"}, {ID_EXIT, "Unknown"}, {12345, "Unknown"}};
    for (const auto& c : cases) {
        request.hdr.idFrom = UINT_PTR(c.id);
        request.szText[0] = '\0';
        EXPECT_EQ(SendMessageA(window, WM_NOTIFY, 0, LPARAM(&request)), 0);
        EXPECT_STREQ(request.szText, c.tip) << c.id;
    }
}

TEST_F(MainWindowTest, ActivateAppStoresTheLowByte)
{
    SendMessageA(window, WM_ACTIVATEAPP, 0, 0);
    EXPECT_EQ(g_appActive, 0);
    SendMessageA(window, WM_ACTIVATEAPP, 1, 0);
    EXPECT_EQ(g_appActive, 1);
    SendMessageA(window, WM_ACTIVATEAPP, 0x100, 0);
    EXPECT_EQ(g_appActive, 0);
}

TEST_F(MainWindowTest, UpKeyShowsItsMessage)
{
    modal.Answer(IDOK);
    SendMessageA(window, WM_KEYDOWN, VK_UP, 0);
    SendMessageA(window, WM_KEYDOWN, VK_DOWN, 0);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].caption, "Message");
    EXPECT_EQ(modal.Seen()[0].text, "Up key Pressed");
}
