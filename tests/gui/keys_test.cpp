// The keys: one table of keys and commands, through the message loop's real step, wherever the
// focus is inside the main window; the menu showing them; what the commands that only keys have
// do; and Save, which writes to the set's own file.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "app/document.h"
#include "app/entry.h"
#include "app/main_window.h"
#include "panels/edit_mode_window.h"
#include "panels/info_window.h"
#include "resources/resource.h"
#include "tests/gui/document_helpers.h"
#include "tests/gui/gui_fixture.h"
#include "tests/gui/message_log.h"
#include "views/canvas.h"
#include "views/edit_mode_dialog.h"
#include "views/selection.h"

namespace {

using KeysTest = MainWindowTest;

constexpr unsigned kCtrl = 1, kShift = 2;

// Holds the modifier keys down in the thread's key state, as the keyboard would, while alive.
class HeldKeys {
public:
    explicit HeldKeys(unsigned keys)
    {
        GetKeyboardState(saved_);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = (keys & kCtrl) ? 0x80 : 0;
        state[VK_SHIFT] = (keys & kShift) ? 0x80 : 0;
        state[VK_MENU] = 0;
        SetKeyboardState(state);
    }
    ~HeldKeys() { SetKeyboardState(saved_); }

private:
    BYTE saved_[256];
};

// The message loop as the program runs it, until nothing waits.
void RunLoop()
{
    MSG waiting;
    int code = 0;
    for (int i = 0; i < 10000 && PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE); ++i)
        if (RunLoopPass(&code) == LoopPass::Quit) break;
}

// Presses `vk` with `modifiers` held, the key going to `focus`, through the loop's real step.
void PressKey(HWND focus, WORD vk, unsigned modifiers)
{
    HeldKeys held(modifiers);
    PostMessageA(focus, WM_KEYDOWN, vk, 1);
    PostMessageA(focus, WM_KEYUP, vk, LPARAM(0xC0000001));
    RunLoop();
}

// The first command that reached the main window, as a key sends it (1 in the high word).
int FirstKeyCommand(const MessageLog& log)
{
    for (const LoggedMessage& m : log.Messages())
        if (m.message == WM_COMMAND) return HIWORD(m.wParam) == 1 ? LOWORD(m.wParam) : -int(LOWORD(m.wParam));
    return 0;
}

struct KeyRow {
    WORD vk;
    unsigned modifiers;
    int command;  // 0: no command
};

// Every key of the program but Undo's and Redo's (the Edit menu's, whose items are greyed, and
// so their keys silent, while there is nothing to take back), and near misses that are none.
const KeyRow kKeys[] = {
    {'N', kCtrl, ID_NEW},
    {'O', kCtrl, ID_OPEN_SPRITE},
    {'B', kCtrl, ID_OPEN_BITMAP},
    {'S', kCtrl, ID_SAVE},
    {'S', kCtrl | kShift, ID_SAVE_SPRITE},
    {VK_OEM_PLUS, kCtrl, ID_ZOOM_IN},
    {VK_OEM_PLUS, kCtrl | kShift, ID_ZOOM_IN},
    {VK_ADD, kCtrl, ID_ZOOM_IN},
    {VK_OEM_MINUS, kCtrl, ID_ZOOM_OUT},
    {VK_SUBTRACT, kCtrl, ID_ZOOM_OUT},
    {VK_SPACE, 0, ID_PLAY_STOP},
    {VK_LEFT, 0, ID_PREVIOUS_SPRITE},
    {VK_RIGHT, 0, ID_NEXT_SPRITE},
    {VK_HOME, 0, ID_FIRST_SPRITE},
    {VK_END, 0, ID_LAST_SPRITE},
    {VK_DELETE, 0, ID_DELETE_SPRITE},
    {VK_ESCAPE, 0, ID_CANCEL},
    {'S', 0, 0},
    {'N', kCtrl | kShift, 0},
    {VK_SPACE, kCtrl, 0},
};

std::string MenuText(HMENU menu, UINT id)
{
    char text[128] = "";
    GetMenuStringA(menu, id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

// The key a menu text names after its tab, as the accelerator table writes it.
struct NamedKey {
    const char* name;
    WORD vk;
};
const NamedKey kKeyNames[] = {{"Space", VK_SPACE}, {"+", VK_OEM_PLUS}, {"-", VK_OEM_MINUS}};

bool ParseShortcut(std::string text, BYTE* flags, WORD* vk)
{
    *flags = FVIRTKEY;
    for (const auto& [prefix, flag] : {std::pair<std::string, BYTE>{"Ctrl+", FCONTROL}, {"Shift+", FSHIFT}})
        if (text.size() > prefix.size() && text.compare(0, prefix.size(), prefix) == 0) {
            *flags |= flag;
            text.erase(0, prefix.size());
        }
    if (text.size() == 1 && text[0] >= 'A' && text[0] <= 'Z') {
        *vk = WORD(text[0]);
        return true;
    }
    for (const NamedKey& key : kKeyNames)
        if (text == key.name) {
            *vk = key.vk;
            return true;
        }
    return false;
}

}  // namespace

TEST_F(KeysTest, EachKeySendsItsCommandWhereverTheFocusIsInTheWindow)
{
    MessageLog log({window}, {WM_COMMAND});
    // The program's own windows: the main window, the canvas, the selection strip.
    for (HWND focus : {window, g_bmpChild.window, g_selChild.window}) {
        for (const KeyRow& row : kKeys) {
            SetFocus(focus);
            ASSERT_EQ(GetFocus(), focus);
            log.Clear();
            PressKey(focus, row.vk, row.modifiers);
            EXPECT_EQ(FirstKeyCommand(log), row.command)
                << "key " << row.vk << " with " << row.modifiers << ", focus " << focus;
            SendMessageA(window, WM_COMMAND, ID_STOP, 0);
        }
    }
}

TEST_F(KeysTest, TheEditModeDialogsControlsKeepTheirKeysAndTabMovesBetweenThem)
{
    OpenDocument({{4, 3}, {5, 2}});
    SelectInfoTab(kEditModePage);
    PumpMessages();
    HWND dialog = g_editMode.dialog;
    HWND check = GetDlgItem(dialog, IDC_SHOW_ANCHOR);
    ASSERT_TRUE(IsWindowVisible(check));
    MessageLog log({window}, {WM_COMMAND});

    // Space toggles the focused check box; Left moves nothing of the program.
    SetFocus(check);
    const LRESULT before = SendMessageA(check, BM_GETCHECK, 0, 0);
    PressKey(check, VK_SPACE, 0);
    EXPECT_NE(SendMessageA(check, BM_GETCHECK, 0, 0), before) << "the check box took its Space";
    EXPECT_EQ(g_bmpChild.playing, 0);
    g_document.Select(1);
    PressKey(check, VK_LEFT, 0);
    EXPECT_EQ(g_document.Current(), 1);
    EXPECT_TRUE(IsChild(dialog, GetFocus()));
    EXPECT_EQ(FirstKeyCommand(log), 0);

    // Tab moves to the dialog's next control.
    SetFocus(check);
    PressKey(check, VK_TAB, 0);
    EXPECT_NE(GetFocus(), check);
    EXPECT_EQ(GetFocus(), GetNextDlgTabItem(dialog, check, FALSE));

    // Keys with Ctrl are the program's there too.
    log.Clear();
    PressKey(GetFocus(), 'N', kCtrl);
    EXPECT_EQ(FirstKeyCommand(log), ID_NEW);
}

TEST_F(KeysTest, AClickOnTheCanvasOrTheStripTakesTheFocus)
{
    OpenDocument({{4, 3}});
    SelectInfoTab(kEditModePage);
    for (HWND clicked : {g_bmpChild.window, g_selChild.window}) {
        SetFocus(GetDlgItem(g_editMode.dialog, IDC_SHOW_ANCHOR));
        SendMessageA(clicked, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(clicked, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        EXPECT_EQ(GetFocus(), clicked);
    }
}

TEST_F(KeysTest, TheMenuShowsEachItemsKeyAsTheTableHasIt)
{
    HACCEL table = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_KEYS));
    ASSERT_NE(table, nullptr);
    std::vector<ACCEL> keys(size_t(CopyAcceleratorTableA(table, nullptr, 0)));
    CopyAcceleratorTableA(table, keys.data(), int(keys.size()));
    auto inTable = [&](BYTE flags, WORD vk, int command) {
        for (const ACCEL& key : keys)
            if (key.fVirt == flags && key.key == vk && key.cmd == command) return true;
        return false;
    };
    const struct {
        int command;
        const char* text;
    } shown[] = {
        {ID_NEW, "&New\tCtrl+N"},           {ID_OPEN_BITMAP, "&Open Bitmap\tCtrl+B"},
        {ID_OPEN_SPRITE, "O&pen Sprite\tCtrl+O"}, {ID_SAVE, "Sav&e\tCtrl+S"},
        {ID_SAVE_SPRITE, "&Save Sprite\tCtrl+Shift+S"}, {ID_PLAY, "&Play\tSpace"},
        {ID_STOP, "&Stop\tSpace"},          {ID_ZOOM_IN, "Zoom &In\tCtrl++"},
        {ID_ZOOM_OUT, "Zoom &Out\tCtrl+-"},
    };
    HMENU menu = GetMenu(window);
    for (const auto& item : shown) {
        const std::string text = MenuText(menu, UINT(item.command));
        EXPECT_EQ(text, item.text);
        const size_t tab = text.find('\t');
        ASSERT_NE(tab, std::string::npos) << text;
        BYTE flags = 0;
        WORD vk = 0;
        ASSERT_TRUE(ParseShortcut(text.substr(tab + 1), &flags, &vk)) << text;
        // Space stands for Play and Stop both, through the one command that chooses.
        const int command = vk == VK_SPACE ? ID_PLAY_STOP : item.command;
        EXPECT_TRUE(inTable(flags, vk, command)) << text << ": the table has no such key";
    }

    // File: Save above Save Sprite, and its access key shared with no other item of the menu.
    HMENU file = GetSubMenu(menu, 0);
    std::vector<UINT> order;
    std::string accessKeys;
    for (int i = 0; i < GetMenuItemCount(file); ++i) {
        order.push_back(GetMenuItemID(file, i));
        char text[128] = "";
        GetMenuStringA(file, UINT(i), text, sizeof text, MF_BYPOSITION);
        const char* amp = std::strchr(text, '&');
        if (amp != nullptr && amp[1] != '\0') accessKeys.push_back(char(std::tolower(amp[1])));
    }
    EXPECT_EQ(order, (std::vector<UINT>{ID_NEW, 0, ID_OPEN_BITMAP, ID_OPEN_SPRITE, ID_OPEN_PALETTE, 0, ID_SAVE,
                                        ID_SAVE_SPRITE, ID_SAVE_PALETTE, ID_EXPORT, 0, ID_EXIT}));
    EXPECT_EQ(std::count(accessKeys.begin(), accessKeys.end(), 'e'), 1) << accessKeys;
    EXPECT_EQ(std::count(accessKeys.begin(), accessKeys.end(), 'r'), 1) << accessKeys;
}

TEST_F(KeysTest, CommandsOfTheKeysAloneDoWhatTheirKeysSay)
{
    struct Case {
        const char* what;
        int command;
        int playing, paused, current;  // before
        int playingAfter, pausedAfter, currentAfter, stepAfter;
    };
    const Case cases[] = {
        {"Space plays", ID_PLAY_STOP, 0, 0, 1, 1, 0, 1, 0},
        {"Space stops playing", ID_PLAY_STOP, 1, 0, 1, 0, 0, 1, 0},
        {"Space plays on when paused", ID_PLAY_STOP, 1, 1, 1, 1, 0, 1, 0},
        {"Left: the sprite before", ID_PREVIOUS_SPRITE, 0, 0, 1, 0, 0, 0, 0},
        {"Left at the first stays", ID_PREVIOUS_SPRITE, 0, 0, 0, 0, 0, 0, 0},
        {"Right: the sprite after", ID_NEXT_SPRITE, 0, 0, 1, 0, 0, 2, 0},
        {"Right at the last stays", ID_NEXT_SPRITE, 0, 0, 2, 0, 0, 2, 0},
        {"Left when paused steps back", ID_PREVIOUS_SPRITE, 1, 1, 1, 1, 1, 1, -1},
        {"Right when paused steps on", ID_NEXT_SPRITE, 1, 1, 1, 1, 1, 1, 1},
        {"Home", ID_FIRST_SPRITE, 0, 0, 2, 0, 0, 0, 0},
        {"End", ID_LAST_SPRITE, 0, 0, 0, 0, 0, 2, 0},
    };
    OpenDocument({{3, 3}, {4, 4}, {5, 5}});
    for (const Case& c : cases) {
        g_bmpChild.playing = c.playing;
        g_bmpChild.paused = c.paused;
        g_bmpChild.pendingStep = 0;
        SelectSprite(c.current);
        Command(c.command);
        EXPECT_EQ(g_bmpChild.playing, c.playingAfter) << c.what;
        EXPECT_EQ(g_bmpChild.paused, c.pausedAfter) << c.what;
        EXPECT_EQ(g_document.Current(), c.currentAfter) << c.what;
        EXPECT_EQ(g_bmpChild.pendingStep, c.stepAfter) << c.what;
        Command(ID_STOP);
    }
    // Delete: the delete dialog on the current sprite, none for an empty set.
    modal.Answer(IDCANCEL);
    Command(ID_DELETE_SPRITE);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].caption, "Dialog");
    EXPECT_EQ(modal.Seen()[0].Text(IDC_RANGE_FIRST), "2");
    g_document.New();
    Command(ID_DELETE_SPRITE);
    EXPECT_EQ(modal.Seen().size(), 1u) << "nothing to delete, nothing asked";
}

TEST_F(KeysTest, EscEndsADragAsIfItNeverBeganOrDropsTheCutRectangle)
{
    const PixelRect before = {1, 1, 4, 4}, moved = {5, 5, 8, 8};
    struct Case {
        const char* what;
        int cutState;
        int stateAfter;
        PixelRect rectAfter;
    };
    const Case cases[] = {
        {"a rectangle shown goes", kCutShown, kCutIdle, moved},
        {"a rectangle being drawn goes", kCutDrawing, kCutIdle, moved},
        {"a rectangle being moved goes back where the move began", kCutMoving, kCutShown, before},
    };
    for (const Case& c : cases) {
        g_bmpChild.cutState = c.cutState;
        g_bmpChild.cutRect = moved;
        g_bmpChild.savedCutRect = before;
        Command(ID_CANCEL);
        EXPECT_EQ(g_bmpChild.cutState, c.stateAfter) << c.what;
        EXPECT_EQ(g_bmpChild.cutRect.x1, c.rectAfter.x1) << c.what;
        EXPECT_EQ(g_bmpChild.cutRect.y2, c.rectAfter.y2) << c.what;
    }

    OpenDocument({{4, 4}});
    g_bmpChild.Play(0);
    g_bmpChild.StartAdjustView();
    Command(ID_CANCEL);
    EXPECT_EQ(g_bmpChild.adjustView, 0) << "adjust-view mode ends";
    Command(ID_STOP);

    // In edit mode a right click takes the last box back; Esc with no drag under way does not,
    // and a box being drawn is taken back as if it never began.
    SelectInfoTab(kEditModePage);
    ASSERT_EQ(g_document.AddBox(0, BoxKind::kHit, 0, PixelRect{0, 0, 2, 2}), 1);
    const int boxes = g_document.CurrentSprite()->hitCount;
    Command(ID_CANCEL);
    EXPECT_EQ(g_document.CurrentSprite()->hitCount, boxes);
    editTool = IDC_TOOL_HIT_BOX;
    const POINT at = {g_bmpChild.pageLeft + g_bmpChild.anchorX + 1, g_bmpChild.pageTop + g_bmpChild.anchorY + 1};
    SendMessageA(g_bmpChild.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageA(g_bmpChild.window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(at.x + 3, at.y + 3));
    EXPECT_EQ(g_document.CurrentSprite()->hitCount, boxes + 1) << "a box being drawn";
    PressKey(g_bmpChild.window, VK_ESCAPE, 0);
    EXPECT_EQ(g_document.CurrentSprite()->hitCount, boxes);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(KeysTest, WithABoxChosenLeftRightAndDeleteActOnTheBox)
{
    OpenDocument({{20, 20}, {5, 5}});
    SelectInfoTab(kEditModePage);
    editTool = IDC_TOOL_HIT_BOX;
    ASSERT_EQ(g_document.AddBox(0, BoxKind::kHit, 0, PixelRect{2, 3, 6, 7}), 1);
    g_bmpChild.SelectBox(0);
    Command(ID_NEXT_SPRITE);
    Command(ID_NEXT_SPRITE);
    Command(ID_PREVIOUS_SPRITE);
    EXPECT_EQ(g_document.Current(), 0) << "the box moved, not the current sprite";
    EXPECT_EQ(workSet.sprites[0].hitBoxes[0].x1, 3);
    EXPECT_EQ(workSet.sprites[0].hitBoxes[0].x2, 7);
    Command(ID_DELETE_SPRITE);
    EXPECT_EQ(workSet.sprites[0].hitCount, 0);
    EXPECT_TRUE(modal.Seen().empty()) << "no delete dialog while a box was chosen";
    Command(ID_NEXT_SPRITE);
    EXPECT_EQ(g_document.Current(), 1) << "none chosen: the next sprite";
}

TEST_F(KeysTest, SaveWritesTheSetsOwnFileAndAsksOnlyWhenItHasNone)
{
    GuiTempDir dir;
    const std::string first = dir.File("first.spr"), opened = dir.File("opened.spr");
    SpriteSet other;
    MakeSprites(other, {{2, 2}, {7, 1}});
    ASSERT_EQ(other.Save(opened.c_str()), 1);
    OpenDocument({{3, 1}, {5, 2}});

    struct Step {
        const char* what;
        int command;                // done before the Save
        std::string dialogName;     // the answer to the command's dialog, if it has one
        bool saveAsks;              // Save brings up the save dialog
        std::string written;        // the file Save writes
    };
    const Step steps[] = {
        {"a set of no file asks", 0, "", true, first},
        {"saved once, it writes there", 0, "", false, first},
        {"opened from a file, it writes there", ID_OPEN_SPRITE, opened, false, opened},
        {"after New it asks again", ID_NEW, "", true, first},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        if (step.command != 0) {
            if (!step.dialogName.empty()) modal.Answer(IDOK, step.dialogName);
            Command(step.command);
        }
        // A change of its own to each set saved: its relative x.
        const int mark = int(&step - steps) + 10;
        if (g_document.Count() == 0) OpenDocument({{3, 1}, {5, 2}});  // from memory: no file
        ASSERT_EQ(g_document.SetRelative(0, mark, 0), 1);
        modal.ClearSeen();
        const bool replaces = FileExistsA(step.written);
        if (step.saveAsks) modal.Answer(IDOK, step.written);
        if (step.saveAsks && replaces) modal.Answer(IDYES);  // the dialog's question to replace it
        Command(ID_SAVE);
        EXPECT_EQ(modal.Seen().size(), step.saveAsks ? (replaces ? 2u : 1u) : 0u);
        EXPECT_FALSE(g_document.Modified());
        SpriteSet reread;
        ASSERT_EQ(reread.Load(step.written.c_str()), 1);
        EXPECT_EQ(reread.sprites[0].rx, mark);
    }

    // A failed save says so and keeps the set marked changed; the file is as it was.
    const ByteBlock before = ReadFileBytes(first);
    SetFileAttributesA(first.c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_EQ(g_document.SetRelative(0, 99, 0), 1);
    modal.ClearSeen();
    modal.Answer(IDOK);
    Command(ID_SAVE);
    SetFileAttributesA(first.c_str(), FILE_ATTRIBUTE_NORMAL);
    ASSERT_EQ(modal.Seen().size(), 1u);
    EXPECT_EQ(modal.Seen()[0].text, "파일생성 실패 (" + first + ")");
    EXPECT_TRUE(g_document.Modified());
    EXPECT_EQ(ReadFileBytes(first), before);
}
