// The document's wiring in the window: the Edit menu's items and names, the keys that reach them
// wherever the focus is, the title, and the views that follow a change.
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

#include "app/document.h"
#include "app/entry.h"
#include "panels/delete_dialog.h"
#include "panels/edit_mode_window.h"
#include "panels/info_window.h"
#include "panels/sprite_info_window.h"
#include "resources/resource.h"
#include "tests/core/image_test_files.h"
#include "tests/gui/document_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "views/canvas.h"
#include "views/edit_mode_dialog.h"
#include "views/selection.h"

namespace {

using HistoryTest = MainWindowTest;

struct MenuItem {
    std::wstring text;
    bool greyed;
};

MenuItem Item(HWND window, int command)
{
    wchar_t text[128] = L"";
    GetMenuStringW(GetMenu(window), UINT(command), text, 128, MF_BYCOMMAND);
    return {text, (GetMenuState(GetMenu(window), UINT(command), MF_BYCOMMAND) & MF_GRAYED) != 0};
}

std::wstring Title(HWND window)
{
    wchar_t text[128] = L"";
    GetWindowTextW(window, text, 128);
    return text;
}

// A key pressed while the focus is in `target`, through the program's own message loop.
void PressKey(HWND target, WPARAM key, bool shift)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    PostMessageW(target, WM_KEYDOWN, key, 1);
    // The program's own loop, while there is something to handle.
    MSG waiting;
    int quit = 0;
    while (PeekMessageW(&waiting, nullptr, 0, 0, PM_NOREMOVE)) RunLoopPass(&quit);
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    PumpMessages();
}

}  // namespace

TEST_F(HistoryTest, TheEditMenuNamesWhatUndoAndRedoWouldTake)
{
    OpenDocument({{1, 1}, {2, 1}, {3, 1}, {4, 1}});
    const MenuItem fresh[] = {Item(window, ID_UNDO), Item(window, ID_REDO)};
    EXPECT_EQ(fresh[0].text, L"&Undo\tCtrl+Z");
    EXPECT_TRUE(fresh[0].greyed);
    EXPECT_EQ(fresh[1].text, L"&Redo\tCtrl+Y");
    EXPECT_TRUE(fresh[1].greyed);

    bool missing = false;
    ASSERT_EQ(g_document.DeleteRange(1, 2, &missing), 1);
    EXPECT_EQ(Item(window, ID_UNDO).text, L"&Undo Delete sprites 1\u20132\tCtrl+Z");
    EXPECT_FALSE(Item(window, ID_UNDO).greyed);
    EXPECT_TRUE(Item(window, ID_REDO).greyed);

    Command(ID_UNDO);
    EXPECT_EQ(Widths(workSet), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_TRUE(Item(window, ID_UNDO).greyed);
    EXPECT_EQ(Item(window, ID_REDO).text, L"&Redo Delete sprites 1\u20132\tCtrl+Y");
    Command(ID_REDO);
    EXPECT_EQ(Widths(workSet), (std::vector<int>{1, 4}));
    Command(ID_REDO);  // nothing left to redo: nothing happens
    EXPECT_EQ(Widths(workSet), (std::vector<int>{1, 4}));
    EXPECT_TRUE(modal.Seen().empty());
}

TEST_F(HistoryTest, TheTitleNamesTheFileAndMarksChanges)
{
    EXPECT_EQ(Title(window), L"Quillon for Windows95 - noname.spr");
    GuiTempDir dir;
    MakeSprites(workSet, {{2, 2}});
    const std::string path = dir.File("hero.spr");
    ASSERT_EQ(workSet.Save(path.c_str()), 1);
    modal.Answer(IDOK, path);
    Command(ID_OPEN_SPRITE);
    EXPECT_EQ(Title(window), L"Quillon for Windows95 - hero.spr");
    ASSERT_EQ(g_document.SetCenter(0, 0, 0), 1);
    EXPECT_EQ(Title(window), L"Quillon for Windows95 - hero.spr *");
    Command(ID_UNDO);
    EXPECT_EQ(Title(window), L"Quillon for Windows95 - hero.spr") << "undone back to the file";
    Command(ID_REDO);
    EXPECT_EQ(Title(window), L"Quillon for Windows95 - hero.spr *");
    modal.Answer(IDNO);
    Command(ID_NEW);
    EXPECT_EQ(Title(window), L"Quillon for Windows95 - noname.spr");
}

// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z from a control of the edit-mode panel, from the strip and from
// the canvas.
TEST_F(HistoryTest, TheKeysWorkWhereverTheFocusIs)
{
    OpenDocument({{1, 1}, {2, 1}, {3, 1}});
    SelectInfoTab(kEditModePage);
    const HWND places[] = {GetDlgItem(g_editMode.dialog, IDC_TOOL_HIT_BOX), GetDlgItem(g_editMode.dialog, IDC_BOX_LIST),
                           g_selChild.window, g_bmpChild.window};
    for (HWND place : places) {
        ASSERT_NE(place, nullptr);
        SetFocus(place);
        ASSERT_EQ(g_document.Delete(0), 1);
        PressKey(place, 'Z', false);
        EXPECT_EQ(workSet.Count(), 3) << "Ctrl+Z";
        PressKey(place, 'Y', false);
        EXPECT_EQ(workSet.Count(), 2) << "Ctrl+Y";
        PressKey(place, 'Z', false);
        PressKey(place, 'Z', true);
        EXPECT_EQ(workSet.Count(), 2) << "Ctrl+Shift+Z";
        PressKey(place, 'Z', false);
    }
    EXPECT_TRUE(modal.Seen().empty());
}

// Deleting the current sprite on the Edit Mode page: the box list and the compression box show
// the sprite that is current now; with no sprite left, the box does nothing.
TEST_F(HistoryTest, TheEditPageFollowsADeletionAndItsUndo)
{
    MakeSprites(workSet, {{4, 3}, {5, 3}});
    ASSERT_EQ(workSet.Compress(0), 1);
    ASSERT_EQ(workSet.InsertHitBox(0, 0, {0, 0, 1, 1}), 1);
    ASSERT_EQ(workSet.InsertHitBox(0, 1, {1, 1, 2, 2}), 1);
    ReopenDocument(0);
    SelectInfoTab(kEditModePage);
    SendMessageA(g_editMode.dialog, WM_COMMAND, IDC_TOOL_HIT_BOX, 0);
    auto rows = [] { return int(SendMessageA(g_editMode.boxList, LVM_GETITEMCOUNT, 0, 0)); };
    auto compressed = [] { return IsDlgButtonChecked(g_editMode.dialog, IDC_EDIT_COMPRESS) == BST_CHECKED; };
    EXPECT_EQ(rows(), 2);
    EXPECT_TRUE(compressed());

    DeleteSingleSprite(0);
    EXPECT_EQ(rows(), 0) << "sprite 1, now 0, has no boxes";
    EXPECT_FALSE(compressed());
    Command(ID_UNDO);
    EXPECT_EQ(g_document.Current(), 0);
    EXPECT_EQ(rows(), 2);
    EXPECT_TRUE(compressed());

    DeleteSingleSprite(0);
    DeleteSingleSprite(0);
    EXPECT_EQ(workSet.Count(), 0);
    SendMessageA(g_editMode.dialog, WM_COMMAND, IDC_EDIT_COMPRESS, 0);
    EXPECT_TRUE(modal.Seen().empty()) << "nothing to compress, nothing to say";
    EXPECT_EQ(g_document.UndoName(), "Delete sprite 0");
}

// Open Bitmap and Open Palette repaint the Sprite Info page (which shows the set); a new sheet
// starts a new history, and the set stays as changed as it was.
TEST_F(HistoryTest, OpeningASheetOrAPaletteRepaintsTheSpriteInformation)
{
    GuiTempDir dir;
    const std::string palette = dir.File("colors.pal"), sheet = dir.File("sheet.bmp");
    ASSERT_TRUE(WriteFileBytes(palette, ByteBlock(1024, 7)));
    const ByteBlock bmp = MakeBmp8(PatternPicture(8, 6));
    ASSERT_TRUE(WriteFileBytes(sheet, ByteBlock(bmp.begin(), bmp.end())));
    MakeModifiedDocument();
    struct Case {
        int command;
        std::string file;
        bool undoAfter;
    };
    const Case cases[] = {{ID_OPEN_PALETTE, palette, true}, {ID_OPEN_BITMAP, sheet, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        ValidateRect(g_sprInfo.window, nullptr);
        modal.Answer(IDOK, c.file);
        Command(c.command);
        EXPECT_NE(GetUpdateRect(g_sprInfo.window, nullptr, FALSE), FALSE);
        EXPECT_EQ(g_document.CanUndo(), c.undoAfter);
        EXPECT_TRUE(g_document.Modified());
    }
    EXPECT_EQ(modal.Seen().size(), 2u) << "the two file dialogs, nothing else";
}
