// The end-to-end driver. Started beside a running Quillon.exe (same Wine prefix, same display),
// it works the program as a user would, with real keys and clicks, through every menu item and
// toolbar button: options, opening the sheet, cutting sprites with each creation option, editing
// coordinates and boxes, copying boxes to other sprites (and undoing a copy), reordering and
// deleting in the selection strip, playback, view modes, zoom, saving (Ctrl+S, Save, Save Sprite),
// New with its question, opening the saved files again, palettes, cutting every figure of the
// sheet at once, exporting the set, About and Exit.
//
//   e2e_driver SHEET.bmp FIGURES.txt PALETTE.pal WORK_FOLDER SHOTS_FOLDER
//
// The folders are Windows paths ending in a backslash. WORK_FOLDER receives the sprite files and
// the palette it saves, with first.expect, second.expect and cutall.expect, what first.spr,
// second.spr and cutall.spr should hold (checked afterwards by check_spr.py); SHOTS_FOLDER the
// screenshots. Exit code 0 when every
// step went through.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "driver_commands.h"
#include "driver_expect.h"
#include "driver_input.h"
#include "driver_remote.h"
#include "driver_report.h"
#include "driver_screen.h"
#include "driver_ui.h"
#include "driver_windows.h"
#include "resources/resource.h"

namespace {

constexpr DWORD kStartTimeout = 40000;
// The options file of a fresh folder gives these; the run sets 320 x 240 first.
constexpr int kAnimWidth = 320, kAnimHeight = 240;
constexpr int kAnchor = 150;
// The selection strip's layout at scale 1: a gap each side of a thumbnail, thumbnails' top row.
constexpr int kStripGap = 15, kStripTop = 20;
constexpr int kInfoPage = 0, kEditPage = 1, kTreePage = 2;

struct Session {
    HWND main, toolbar, canvas, strip, info, tabs, status, fpsBox, lowerPane;
    DWORD pid;
    Sheet sheet;
    std::vector<Figure> figures;
    std::vector<ExpectedSprite> set;  // what the program's sprite set should hold now
    std::string work;
};

// Where the canvas puts a page's top-left corner along one axis with the scroll position at 0:
// centred when it fits, else at 0. `extent` is the client size plus one, as the canvas counts it.
int PagePlace(int extent, int shown) { return extent >= shown ? (extent - shown) / 2 : 0; }

// The screen point of page pixel (x, y) of a `width` x `height` page shown at zoom 1.
POINT PagePoint(HWND canvas, int width, int height, int x, int y)
{
    RECT client;
    GetClientRect(canvas, &client);
    POINT point = {PagePlace(client.right + 1, width) + x, PagePlace(client.bottom + 1, height) + y};
    ClientToScreen(canvas, &point);
    return point;
}

std::string StatusText(const Session& s)
{
    char text[256];
    StatusBarText(s.status, text, sizeof text);
    return text;
}

// The sheet on the canvas at `zoom`, pixel for pixel (the cross-hair's lines left out).
void CheckCanvasShowsSheet(const Session& s, const char* when, int zoom = 1)
{
    int compared = 0, mismatches = -1;
    WaitUntil([&] {
        RECT client;
        GetClientRect(s.canvas, &client);
        int left = PagePlace(client.right + 1, zoom * s.sheet.width);
        int top = PagePlace(client.bottom + 1, zoom * s.sheet.height);
        mismatches = CountSheetMismatches(s.canvas, s.sheet, left, top, &compared, zoom);
        return mismatches == 0 && compared >= 1000;
    }, kStepTimeout);
    Note("%s: %d of %d page pixels differ from the sheet", when, mismatches, compared);
    if (mismatches != 0 || compared < 1000) Fail("the canvas does not show the sheet %s", when);
}

void OpenFile(const Session& s, int command, bool viaMenu, const std::string& path)
{
    if (viaMenu) ChooseMenu(command);
    else ClickToolbar(s.toolbar, command);
    RunFileDialog(s.pid, path.c_str());
}

// Sets the resolution (unless 0) and the creation options in the options dialog and confirms
// them, or with `cancel` changes them and cancels.
void SetOptions(const Session& s, bool viaMenu, int resolution, bool compress, bool hit, bool attack,
                bool cancel = false)
{
    if (viaMenu) ChooseMenu(ID_OPTIONS);
    else ClickToolbar(s.toolbar, ID_OPTIONS);
    HWND dialog = WaitForDialog(s.pid, nullptr, "the options dialog");
    if (resolution != 0) SetButtonCheck(dialog, resolution, true);
    SetButtonCheck(dialog, IDC_COMPRESS_SPRITES, compress);
    SetButtonCheck(dialog, IDC_AUTO_HIT_BOX, hit);
    SetButtonCheck(dialog, IDC_AUTO_ATCK_BOX, attack);
    ClickDialogItem(dialog, cancel ? IDCANCEL : IDOK);
    if (!WaitForWindowGone(dialog, kStepTimeout)) Fail("the options dialog did not close");
}

// Drags a rectangle over the figure and double-clicks inside it, as the cut's creation options
// say; the figure joins the expected set with what those options give it.
void CutFigure(Session& s, const char* name, bool compress, bool hit, bool attack)
{
    const Figure& figure = FindFigure(s.figures, name);
    Note("cut %s", name);
    auto at = [&](int x, int y) { return PagePoint(s.canvas, s.sheet.width, s.sheet.height, x, y); };
    POINT topLeft = at(figure.left, figure.top);
    POINT bottomRight = at(figure.left + figure.width - 1, figure.top + figure.height - 1);
    // A right click drops the rectangle left by the last cut.
    if (!RightClick(at(figure.left + figure.width / 2, figure.top + figure.height / 2)))
        Fail("the pointer did not go where it was sent");
    Sleep(200);
    bool odd = s.set.size() % 2 == 1;  // every other figure is dragged from its bottom-right
    if (!(odd ? DragMouse(bottomRight, topLeft) : DragMouse(topLeft, bottomRight)))
        Fail("the pointer did not go where it was sent");
    // Far enough apart in time that the drag's press and the first click make no double click.
    Sleep(GetDoubleClickTime() + 100);
    if (!DoubleClick(at(figure.left + figure.width / 2, figure.top + figure.height / 2)))
        Fail("the pointer did not go where it was sent");
    Sleep(500);
    Box whole = {0, 0, figure.width - 1, figure.height - 1};
    ExpectedSprite sprite = {figure, compress ? 1 : 0, 0, 0, figure.width / 2, figure.height / 2, {}, {}};
    if (hit) sprite.hits.push_back(whole);
    if (attack) sprite.attacks.push_back(whole);
    s.set.push_back(sprite);
}

// The middle of thumbnail `index` of the selection strip, at scale 1 and not scrolled.
POINT Thumbnail(const Session& s, int index)
{
    int left = 0;
    for (int i = 0; i < index; ++i) left += s.set[i].figure.width + 2 * kStripGap;
    const Figure& figure = s.set[index].figure;
    POINT point = {left + kStripGap + figure.width / 2, kStripTop + figure.height / 2};
    ClientToScreen(s.strip, &point);
    return point;
}

// A key with Ctrl held, as the user presses it.
void PressCtrlKey(WORD vk)
{
    Note("Ctrl+%c", char(vk));
    PressKey(VK_CONTROL);
    TapKey(vk);
    ReleaseKey(VK_CONTROL);
    Sleep(200);
}

void DragThumbnail(Session& s, int from, int to)
{
    Note("drag thumbnail %d onto thumbnail %d", from, to);
    if (!SlowDrag(Thumbnail(s, from), Thumbnail(s, to), 6, 40)) Fail("the pointer did not go where it was sent");
    Sleep(300);
    MoveSprite(s.set, to, from);
}

int CurrentTab(const Session& s) { return int(SendMessageA(s.tabs, TCM_GETCURSEL, 0, 0)); }

void ClickTab(const Session& s, int page)
{
    RECT rect;
    // A tab scrolled out of the narrow tab control has no rectangle: its arrows bring it back.
    for (int tries = 0; !RemoteItemRect(s.tabs, TCM_GETITEMRECT, WPARAM(page), &rect); ++tries) {
        HWND arrows = FindDescendant(s.tabs, UPDOWN_CLASSA);
        RECT box;
        if (tries == 5 || arrows == nullptr || !GetWindowRect(arrows, &box)) Fail("no tab %d", page);
        POINT left = {box.left + (box.right - box.left) / 4, (box.top + box.bottom) / 2};
        if (!LeftClick(left)) Fail("the pointer did not go where it was sent");
        Sleep(200);
    }
    // Near the tab's left end: a narrow tab control shows only the first part of its last tab.
    POINT inside = {rect.left + 12, (rect.top + rect.bottom) / 2};
    ClientToScreen(s.tabs, &inside);
    if (!LeftClick(inside)) Fail("the pointer did not go where it was sent");
    if (!WaitUntil([&] { return CurrentTab(s) == page; }, kStepTimeout)) Fail("tab %d did not open", page);
    Sleep(300);
}

// The screen point of edit-page pixel (x, y).
POINT EditPoint(const Session& s, int x, int y) { return PagePoint(s.canvas, kAnimWidth, kAnimHeight, x, y); }

// Drags on the edit page from one sprite-local point of `sprite` to another.
void EditDrag(const Session& s, const ExpectedSprite& sprite, POINT from, POINT to)
{
    int x = kAnchor + sprite.rx, y = kAnchor + sprite.ry;
    if (!SlowDrag(EditPoint(s, x + from.x, y + from.y), EditPoint(s, x + to.x, y + to.y), 6, 40))
        Fail("the pointer did not go where it was sent");
    Sleep(200);
}

// Whether the edit page shows the anchor's horizontal line (palette color 3, the options'
// relative-cross color) along page row `y`.
bool AnchorLineAt(const Session& s, int y)
{
    POINT left = EditPoint(s, 0, y);
    ScreenToClient(s.canvas, &left);
    const RGBQUAD& c = s.sheet.palette[3];
    uint32_t rgb = (uint32_t(c.rgbRed) << 16) | (uint32_t(c.rgbGreen) << 8) | c.rgbBlue;
    return CountRowPixels(s.canvas, left.y, left.x, left.x + kAnimWidth, rgb) >= kAnimWidth * 8 / 10;
}

Box Ordered(POINT a, POINT b)
{
    return {a.x < b.x ? a.x : b.x, a.y < b.y ? a.y : b.y, a.x > b.x ? a.x : b.x, a.y > b.y ? a.y : b.y};
}

// The number after "Play Sprite Num :" in the status line, or -1.
int PlayedSprite(const Session& s)
{
    int number = -1;
    if (std::sscanf(StatusText(s).c_str(), "Play Sprite Num : %d", &number) != 1) return -1;
    return number;
}

void ExpectPlayedSprite(const Session& s, int number, const char* after)
{
    if (!WaitUntil([&] { return PlayedSprite(s) == number; }, 3000))
        Fail("after %s the status line reads \"%s\", not sprite %d", after, StatusText(s).c_str(), number);
    Note("after %s: \"%s\"", after, StatusText(s).c_str());
}

// Waits for the playback button of `command` to be the checked one of its group.
void ExpectChecked(const Session& s, int command, const char* after)
{
    if (!WaitUntil([&] { return SendMessageA(s.toolbar, TB_ISBUTTONCHECKED, WPARAM(command), 0) != 0; },
                   kStepTimeout))
        Fail("after %s the toolbar's button %d is not checked", after, command);
}

void ChooseFrameRate(const Session& s, int index, const char* text)
{
    RECT box;
    GetWindowRect(s.fpsBox, &box);
    POINT arrow = {box.right - GetSystemMetrics(SM_CXVSCROLL) / 2 - 1, (box.top + box.bottom) / 2};
    if (!LeftClick(arrow)) Fail("the pointer did not go where it was sent");
    HWND list = WaitForTopWindow("ComboLBox", s.pid, kStepTimeout);
    if (list == nullptr) Fail("the frame-rate list did not drop down");
    Sleep(200);
    int itemHeight = int(SendMessageA(s.fpsBox, CB_GETITEMHEIGHT, 0, 0));
    POINT item = {20, itemHeight * index + itemHeight / 2};
    ClientToScreen(list, &item);
    if (!LeftClick(item)) Fail("the pointer did not go where it was sent");
    if (!WaitUntil([&] { return SendMessageA(s.fpsBox, CB_GETCURSEL, 0, 0) == index; }, kStepTimeout))
        Fail("the frame rate \"%s\" was not chosen", text);
    Note("frame rate \"%s\" chosen", text);
    Sleep(200);
}

void CheckViewMode(const Session& s, int command, bool viaMenu, bool canvas, bool info, bool strip)
{
    if (viaMenu) ChooseMenu(command);
    else ClickToolbar(s.toolbar, command);
    auto shows = [&] {
        return (IsWindowVisible(s.canvas) != 0) == canvas && (IsWindowVisible(s.info) != 0) == info &&
               (IsWindowVisible(s.strip) != 0) == strip;
    };
    if (!WaitUntil(shows, kStepTimeout))
        Fail("view mode %d shows canvas %d, information %d, strip %d", command, IsWindowVisible(s.canvas) != 0,
             IsWindowVisible(s.info) != 0, IsWindowVisible(s.strip) != 0);
}

void SaveExpectation(const Session& s, const char* name)
{
    if (!WriteExpectation((s.work + name).c_str(), s.set)) Fail("cannot write %s", name);
}

void FindWindows(Session& s)
{
    s.main = WaitForTopWindow("Quillon", 0, kStartTimeout);
    if (s.main == nullptr) Fail("no window of class Quillon");
    GetWindowThreadProcessId(s.main, &s.pid);
    s.toolbar = FindDescendant(s.main, TOOLBARCLASSNAMEA);
    s.canvas = FindDescendant(s.main, "BmpChildWindow");
    s.strip = FindDescendant(s.main, "SelChildWindow");
    s.info = FindDescendant(s.main, "InfoChildWindow");
    s.tabs = FindDescendant(s.main, WC_TABCONTROLA);
    s.status = FindDescendant(s.main, STATUSCLASSNAMEA);
    s.fpsBox = s.toolbar != nullptr ? FindDescendant(s.toolbar, "ComboBox") : nullptr;
    s.lowerPane = FindDescendant(s.main, "SubWork2Window");
    if (!s.toolbar || !s.canvas || !s.strip || !s.info || !s.tabs || !s.status || !s.fpsBox || !s.lowerPane)
        Fail("one of the main window's parts is missing");
}

// About, the options with the first creation options, the sheet, and one cut per combination
// of creation options (set through both ways to the options dialog).
void OpenAndCut(Session& s, const std::string& sheetPath)
{
    Step("Help > About, answered with OK");
    ChooseMenu(ID_ABOUT);
    HWND about = WaitForDialog(s.pid, nullptr, "the About box");
    Shot("about");
    ClickDialogItem(about, IDOK);
    if (!WaitForWindowGone(about, kStepTimeout)) Fail("the About box did not close");

    Step("toolbar Options: 320 x 240, plain sprites with a hit box");
    SetOptions(s, false, IDC_MODE_320X240, false, true, false);

    Step("toolbar Open Bitmap: the sheet");
    OpenFile(s, ID_OPEN_BITMAP, false, sheetPath);
    const char* title = std::strrchr(sheetPath.c_str(), '\\');
    if (!WaitForWindowText(s.canvas, title != nullptr ? title + 1 : sheetPath.c_str(), kStepTimeout))
        Fail("the canvas did not take the sheet's name");
    CheckCanvasShowsSheet(s, "after opening the sheet");

    Step("cut ball: no compression, a hit box");
    CutFigure(s, "ball", false, true, false);
    Step("View > Options: compressed sprites with an attack box");
    SetOptions(s, true, 0, true, false, true);
    CutFigure(s, "star", true, false, true);
    Step("toolbar Options: plain sprites with both boxes; cut four more");
    SetOptions(s, false, 0, false, true, true);
    for (const char* name : {"heart", "gem", "tree", "house"}) CutFigure(s, name, false, true, true);
    Step("toolbar Options: compressed sprites without boxes, cancelled; cut fish as before");
    SetOptions(s, false, 0, true, false, false, true);
    CutFigure(s, "fish", false, true, true);
    Shot("after-cuts");
    Step("Esc drops the rectangle left by the last cut");
    MoveMouse(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    TapKey(VK_ESCAPE);
    CheckCanvasShowsSheet(s, "after the cuts and Esc");
}

void ZoomAround(Session& s)
{
    Step("zoom the bitmap page in and out, from the toolbar and the menu");
    ClickToolbar(s.toolbar, ID_ZOOM_IN);
    CheckCanvasShowsSheet(s, "after the toolbar's Zoom In", 2);
    Shot("bitmap-zoom-2");
    ClickToolbar(s.toolbar, ID_ZOOM_OUT);
    CheckCanvasShowsSheet(s, "after the toolbar's Zoom Out");
    ChooseMenu(ID_ZOOM_IN);
    CheckCanvasShowsSheet(s, "after the menu's Zoom In", 2);
    ChooseMenu(ID_ZOOM_OUT);
    CheckCanvasShowsSheet(s, "after the menu's Zoom Out");

    Step("zoom the selection strip in and out from the menu and its pane's buttons");
    ChooseMenu(ID_SEL_ZOOM_IN);
    Sleep(300);
    Shot("strip-zoom-in");
    ChooseMenu(ID_SEL_ZOOM_OUT);
    ClickControl(FindChildById(s.lowerPane, IDC_SEL_ZOOM_OUT_BUTTON));
    ClickControl(FindChildById(s.lowerPane, IDC_SEL_ZOOM_IN_BUTTON));
}

void ReorderAndDelete(Session& s)
{
    Step("drag thumbnail 0 onto thumbnail 2");
    DragThumbnail(s, 0, 2);
    Shot("after-reorder");

    Step("delete the selected sprite (the one just moved) through the delete dialog");
    ClickControl(FindChildById(s.lowerPane, IDC_DELETE_BUTTON));
    HWND dialog = WaitForDialog(s.pid, nullptr, "the delete dialog");
    SetButtonCheck(dialog, IDC_DELETE_SELECTED, true);
    ClickDialogItem(dialog, IDOK);
    if (!WaitForWindowGone(dialog, kStepTimeout)) Fail("the delete dialog did not close");
    s.set.erase(s.set.begin() + 2);
    Sleep(300);

    Step("delete sprites 4 to 5 through the delete dialog");
    ClickControl(FindChildById(s.lowerPane, IDC_DELETE_BUTTON));
    dialog = WaitForDialog(s.pid, nullptr, "the delete dialog");
    SetButtonCheck(dialog, IDC_DELETE_RANGE, true);
    TypeIntoEdit(dialog, IDC_RANGE_FIRST, "4");
    TypeIntoEdit(dialog, IDC_RANGE_LAST, "5");
    ClickDialogItem(dialog, IDOK);
    AnswerMessageBox(s.pid, dialog, "4", IDYES);
    if (!WaitForWindowGone(dialog, kStepTimeout)) Fail("the delete dialog did not close");
    s.set.erase(s.set.begin() + 4, s.set.begin() + 6);
    if (s.set.size() != 4) Fail("the run's own count of sprites went wrong");
    Sleep(300);
    Shot("after-delete");
}

// The Edit Mode page: coordinates dragged, boxes drawn, one taken back, compression switched.
void EditSprites(Session& s)
{
    Step("double-click thumbnail 0: the Edit Mode page");
    if (!DoubleClick(Thumbnail(s, 0))) Fail("the pointer did not go where it was sent");
    if (!WaitUntil([&] { return CurrentTab(s) == kEditPage; }, kStepTimeout))
        Fail("double-clicking a thumbnail did not open the Edit Mode page");
    Sleep(500);
    HWND tools = GetParent(FindChildById(s.info, IDC_TOOL_RELATIVE));
    if (tools == nullptr) Fail("the edit-mode tools are missing");
    ExpectedSprite& sprite = s.set[0];

    Step("drag the relative coordinate by (7, 5)");
    SetButtonCheck(tools, IDC_TOOL_RELATIVE, true);
    EditDrag(s, sprite, {10, 10}, {17, 15});
    sprite.rx += 7, sprite.ry += 5;

    Step("drag the center coordinate by (-4, 3)");
    SetButtonCheck(tools, IDC_TOOL_CENTER, true);
    EditDrag(s, sprite, {10, 10}, {6, 13});
    sprite.mx -= 4, sprite.my += 3;

    Step("draw a hit box; draw two attack boxes and take the second back with a right click");
    SetButtonCheck(tools, IDC_TOOL_HIT_BOX, true);
    EditDrag(s, sprite, {2, 3}, {20, 18});
    sprite.hits.push_back(Ordered({2, 3}, {20, 18}));
    SetButtonCheck(tools, IDC_TOOL_ATCK_BOX, true);
    EditDrag(s, sprite, {22, 21}, {5, 6});
    sprite.attacks.push_back(Ordered({22, 21}, {5, 6}));
    EditDrag(s, sprite, {1, 1}, {3, 4});
    Shot("edit-two-attack-boxes");
    RightClick(EditPoint(s, 20, 20));
    Sleep(300);

    Step("choose the hit box with a click; type 21 into its X2 cell; View > Flip Horizontal and Vertical, and back");
    SetButtonCheck(tools, IDC_TOOL_HIT_BOX, true);
    Sleep(200);
    if (!LeftClick(EditPoint(s, kAnchor + sprite.rx + 10, kAnchor + sprite.ry + 10)))
        Fail("the pointer did not go where it was sent");
    Sleep(300);
    HWND list = FindChildById(tools, IDC_BOX_LIST);
    if (SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED) != 0)
        Fail("a click on the hit box did not choose its row");
    // The list's columns are 70 pixels (the name) and 50 (each corner) wide; row 0 lies just
    // below the header.
    RECT header = {};
    GetWindowRect(FindDescendant(list, "SysHeader32"), &header);
    if (!DoubleClick({header.left + 70 + 50 + 50 + 25, header.bottom + 7})) Fail("the pointer did not go where it was sent");
    Sleep(300);
    TypeText("21");
    TapKey(VK_RETURN);
    Sleep(300);
    sprite.hits[0].x2 = 21;
    ChooseMenu(ID_FLIP_HORIZONTAL);
    ChooseMenu(ID_FLIP_VERTICAL);
    Shot("edit-flipped");
    ChooseMenu(ID_FLIP_HORIZONTAL);
    ChooseMenu(ID_FLIP_VERTICAL);

    Step("the compression box follows the sprite and switches it");
    if (SendMessageA(FindChildById(tools, IDC_EDIT_COMPRESS), BM_GETCHECK, 0, 0) != (sprite.compressed ? BST_CHECKED : BST_UNCHECKED))
        Fail("the compression box does not show sprite 0's compression");
    SetButtonCheck(tools, IDC_EDIT_COMPRESS, !sprite.compressed);
    sprite.compressed = !sprite.compressed;
    if (!LeftClick(Thumbnail(s, 1))) Fail("the pointer did not go where it was sent");
    Sleep(400);
    ExpectedSprite& second = s.set[1];
    if (SendMessageA(FindChildById(tools, IDC_EDIT_COMPRESS), BM_GETCHECK, 0, 0) != (second.compressed ? BST_CHECKED : BST_UNCHECKED))
        Fail("the compression box does not show sprite 1's compression");
    SetButtonCheck(tools, IDC_EDIT_COMPRESS, !second.compressed);
    second.compressed = !second.compressed;
    Shot("edit-mode");

    Step("View > Adjust view position: drag the anchor, right click to leave");
    MoveMouse(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    if (!WaitUntil([&] { return AnchorLineAt(s, kAnchor); }, kStepTimeout))
        Fail("the edit page shows no anchor line at row %d", kAnchor);
    ChooseMenu(ID_ADJUST_VIEW);
    if (!SlowDrag(EditPoint(s, 60, 60), EditPoint(s, 90, 80), 6, 40)) Fail("the pointer did not go where it was sent");
    RightClick(EditPoint(s, 90, 80));
    MoveMouse(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    if (!WaitUntil([&] { return AnchorLineAt(s, kAnchor + 20) && !AnchorLineAt(s, kAnchor); }, kStepTimeout))
        Fail("the anchor line did not move down by 20 rows");
    Shot("edit-anchor-moved");

    Step("the Tree Management and Sprite Info tabs");
    ClickTab(s, kTreePage);
    ClickTab(s, kInfoPage);
    MoveMouse(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    CheckCanvasShowsSheet(s, "back on the Sprite Info page");
}

// Edit > Copy Boxes...: sprite 0's boxes added to sprites 1 to 3; then its boxes put in place of
// every sprite's, and that taken back with Edit > Undo.
void CopyBoxes(Session& s)
{
    Step("click thumbnail 0; Edit > Copy Boxes...: both kinds added to sprites 1 to 3");
    if (!LeftClick(Thumbnail(s, 0))) Fail("the pointer did not go where it was sent");
    Sleep(300);
    ChooseMenu(ID_COPY_BOXES);
    HWND dialog = WaitForDialog(s.pid, nullptr, "the copy-boxes dialog");
    SetButtonCheck(dialog, IDC_COPY_TO_RANGE, true);
    TypeIntoEdit(dialog, IDC_COPY_FIRST, "1");
    TypeIntoEdit(dialog, IDC_COPY_LAST, "3");
    SetButtonCheck(dialog, IDC_COPY_HIT_BOXES, true);
    SetButtonCheck(dialog, IDC_COPY_ATCK_BOXES, true);
    SetButtonCheck(dialog, IDC_COPY_ADD, true);
    Shot("copy-boxes-dialog");
    ClickDialogItem(dialog, IDOK);
    if (!WaitForWindowGone(dialog, kStepTimeout)) Fail("the copy-boxes dialog did not close");
    const ExpectedSprite& source = s.set[0];
    for (size_t n = 1; n <= 3; ++n) {
        ExpectedSprite& target = s.set[n];
        target.hits.insert(target.hits.end(), source.hits.begin(), source.hits.end());
        target.attacks.insert(target.attacks.end(), source.attacks.begin(), source.attacks.end());
    }
    Sleep(300);

    Step("Edit > Copy Boxes...: to all sprites, replacing theirs; Edit > Undo takes it back");
    ChooseMenu(ID_COPY_BOXES);
    dialog = WaitForDialog(s.pid, nullptr, "the copy-boxes dialog");
    SetButtonCheck(dialog, IDC_COPY_TO_ALL, true);
    SetButtonCheck(dialog, IDC_COPY_REPLACE, true);
    ClickDialogItem(dialog, IDOK);
    if (!WaitForWindowGone(dialog, kStepTimeout)) Fail("the copy-boxes dialog did not close");
    Sleep(300);
    ChooseMenu(ID_UNDO);
    Sleep(300);
    if (!NoDialogFor(s.pid, nullptr, 300)) Fail("copying boxes showed a message");
}

void Playback(Session& s)
{
    const int count = int(s.set.size());
    Step("frame rate 10 fps; toolbar Play");
    ChooseFrameRate(s, 2, "10 fps");
    ClickToolbar(s.toolbar, ID_PLAY);
    ExpectChecked(s, ID_PLAY, "Play");
    if (!WaitUntil([&] { return PlayedSprite(s) >= 0; }, kStepTimeout)) Fail("playback did not start");
    Sleep(1500);
    Note("playing: \"%s\"", StatusText(s).c_str());
    Shot("playing");

    Step("toolbar Pause, Forward, Back");
    ClickToolbar(s.toolbar, ID_PAUSE);
    ExpectChecked(s, ID_PAUSE, "Pause");
    Sleep(300);
    int paused = PlayedSprite(s);
    Sleep(500);
    if (paused < 0 || PlayedSprite(s) != paused) Fail("pausing did not hold the animation");
    ClickToolbar(s.toolbar, ID_FORWARD);
    ExpectPlayedSprite(s, (paused + 1) % count, "Forward");
    ClickToolbar(s.toolbar, ID_BACK);
    ExpectPlayedSprite(s, paused, "Back");
    ClickToolbar(s.toolbar, ID_BACK);
    ExpectPlayedSprite(s, (paused + count - 1) % count, "Back again");

    Step("Animation > Play, Pause, Stop from the menu");
    ChooseMenu(ID_PLAY);
    ExpectChecked(s, ID_PLAY, "Animation > Play");
    Sleep(500);
    ChooseMenu(ID_PAUSE);
    ExpectChecked(s, ID_PAUSE, "Animation > Pause");
    ChooseMenu(ID_STOP);
    ExpectChecked(s, ID_STOP, "Animation > Stop");
    MoveMouse(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    CheckCanvasShowsSheet(s, "after Stop");

    Step("play again; 400 x 300 from the options while playing; zoom and adjust the view");
    ClickToolbar(s.toolbar, ID_PLAY);
    ExpectChecked(s, ID_PLAY, "Play");
    SetOptions(s, true, IDC_MODE_400X300, false, true, true);
    Sleep(800);
    Shot("playing-400x300");
    ClickToolbar(s.toolbar, ID_ZOOM_IN);
    Sleep(800);
    Shot("playing-zoom-2");
    ClickToolbar(s.toolbar, ID_ZOOM_OUT);
    ClickToolbar(s.toolbar, ID_ADJUST_VIEW);
    if (!SlowDrag(PagePoint(s.canvas, 400, 300, 200, 150), PagePoint(s.canvas, 400, 300, 230, 170), 6, 40))
        Fail("the pointer did not go where it was sent");
    RightClick(PagePoint(s.canvas, 400, 300, 230, 170));
    Sleep(300);
    Shot("playing-anchor-moved");
    ClickToolbar(s.toolbar, ID_STOP);
    ExpectChecked(s, ID_STOP, "Stop");
    MoveMouse(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    CheckCanvasShowsSheet(s, "after the toolbar's Stop");
}

void ViewModes(Session& s)
{
    Step("view modes from the toolbar and the menu");
    for (bool viaMenu : {false, true}) {
        CheckViewMode(s, ID_VIEW_BITMAP, viaMenu, true, false, false);
        if (!viaMenu) Shot("view-bitmap");
        CheckViewMode(s, ID_VIEW_INFO, viaMenu, false, true, false);
        CheckViewMode(s, ID_VIEW_SELECTION, viaMenu, false, false, true);
        CheckViewMode(s, ID_VIEW_ALL, viaMenu, true, true, true);
    }
}

void SaveAndReopen(Session& s)
{
    Step("Ctrl+S on a set of no file asks for a name as Save Sprite does: first.spr");
    PressCtrlKey('S');
    RunFileDialog(s.pid, (s.work + "first.spr").c_str());
    if (!NoDialogFor(s.pid, nullptr, 500)) Fail("saving showed a message");

    Step("drag thumbnail 2 onto thumbnail 0; File > Save writes first.spr again without asking");
    DragThumbnail(s, 2, 0);
    ChooseMenu(ID_SAVE);
    if (!NoDialogFor(s.pid, nullptr, 1000)) Fail("Save asked something or showed a message");
    SaveExpectation(s, "first.expect");
    const std::vector<ExpectedSprite> first = s.set;

    Step("toolbar Save Sprite asks even so: first-copy.spr");
    OpenFile(s, ID_SAVE_SPRITE, false, s.work + "first-copy.spr");
    if (!NoDialogFor(s.pid, nullptr, 500)) Fail("saving showed a message");

    Step("drag thumbnail 3 onto thumbnail 0; File > New asks to save: Yes, second.spr");
    DragThumbnail(s, 3, 0);
    ChooseMenu(ID_NEW);
    AnswerMessageBox(s.pid, nullptr, nullptr, IDYES);
    RunFileDialog(s.pid, (s.work + "second.spr").c_str());
    SaveExpectation(s, "second.expect");
    const std::vector<ExpectedSprite> second = s.set;
    s.set.clear();
    Sleep(300);
    Shot("after-new");

    Step("toolbar New on the empty set asks nothing");
    ClickToolbar(s.toolbar, ID_NEW);
    if (!NoDialogFor(s.pid, nullptr, 1000)) Fail("New on an unchanged set asked something");
    Step("toolbar Play on the empty set is refused with a message; Stop stays checked");
    ClickToolbar(s.toolbar, ID_PLAY);
    AnswerMessageBox(s.pid, nullptr, nullptr, IDOK);
    ExpectChecked(s, ID_STOP, "Play refused");

    Step("File > Open Sprite first.spr; File > Save Sprite as third.spr");
    OpenFile(s, ID_OPEN_SPRITE, true, s.work + "first.spr");
    s.set = first;
    Sleep(300);
    Shot("reopened-first");
    OpenFile(s, ID_SAVE_SPRITE, true, s.work + "third.spr");

    Step("a reorder and a deletion, both undone (Edit > Undo, Ctrl+Z, Edit > Redo, Ctrl+Z); Save as fourth.spr");
    DragThumbnail(s, 0, 2);
    ClickControl(FindChildById(s.lowerPane, IDC_DELETE_BUTTON));
    HWND dialog = WaitForDialog(s.pid, nullptr, "the delete dialog");
    SetButtonCheck(dialog, IDC_DELETE_SELECTED, true);
    ClickDialogItem(dialog, IDOK);
    if (!WaitForWindowGone(dialog, kStepTimeout)) Fail("the delete dialog did not close");
    Sleep(300);
    ChooseMenu(ID_UNDO);
    PressCtrlKey('Z');
    ChooseMenu(ID_REDO);
    PressCtrlKey('Z');
    s.set = first;  // as opened
    Sleep(300);
    Shot("edits-undone");
    OpenFile(s, ID_SAVE_SPRITE, false, s.work + "fourth.spr");

    Step("change the order; toolbar Open Sprite asks to save: No; second.spr");
    DragThumbnail(s, 1, 0);
    ClickToolbar(s.toolbar, ID_OPEN_SPRITE);
    AnswerMessageBox(s.pid, nullptr, nullptr, IDNO);
    RunFileDialog(s.pid, (s.work + "second.spr").c_str());
    s.set = second;
    Sleep(300);
    Shot("reopened-second");
}

void Palettes(Session& s, const std::string& sheetPath, const std::string& palettePath)
{
    Step("File > Open Bitmap, File > Open Palette, File > Save Palette as saved.pal");
    OpenFile(s, ID_OPEN_BITMAP, true, sheetPath);
    OpenFile(s, ID_OPEN_PALETTE, true, palettePath);
    OpenFile(s, ID_SAVE_PALETTE, true, s.work + "saved.pal");
    MoveMouse(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    CheckCanvasShowsSheet(s, "after the palette's round trip");
}

// The rectangle around the figures of the sheet that touch one another, named "a+b" as
// check_spr.py reads it.
Figure JoinedFigure(const std::vector<Figure>& figures, const std::vector<const char*>& names)
{
    Figure joined = FindFigure(figures, names[0]);
    int right = joined.left + joined.width, bottom = joined.top + joined.height;
    for (size_t i = 1; i < names.size(); ++i) {
        const Figure& f = FindFigure(figures, names[i]);
        joined.name += std::string("+") + f.name;
        joined.left = f.left < joined.left ? f.left : joined.left;
        joined.top = f.top < joined.top ? f.top : joined.top;
        right = f.left + f.width > right ? f.left + f.width : right;
        bottom = f.top + f.height > bottom ? f.top + f.height : bottom;
    }
    joined.width = right - joined.left;
    joined.height = bottom - joined.top;
    return joined;
}

// File > New, Ctrl+B the sheet as a PNG of its own indices, then Edit > Cut All: one sprite per
// figure of the sheet (the touching pair as one), read in rows as text is, with the creation
// options last confirmed (plain, both boxes); Ctrl+S saves it as cutall.spr, File > Export...
// writes its PNGs and cutall.json, then the animated GIF cutall.gif.
void CutAll(Session& s)
{
    Step("File > New; Ctrl+B sheet.png; Edit > Cut All: every figure of the sheet; Ctrl+S as cutall.spr");
    ChooseMenu(ID_NEW);
    if (!NoDialogFor(s.pid, nullptr, 500)) Fail("New on an unchanged set asked something");
    PressCtrlKey('B');
    RunFileDialog(s.pid, (s.work + "sheet.png").c_str());
    if (!NoDialogFor(s.pid, nullptr, 500)) Fail("opening the PNG sheet showed a message");
    ChooseMenu(ID_CUT_ALL);
    // Rows: each starts with the topmost figure left and takes every figure whose top lies
    // within that figure's rows, left to right.
    const std::vector<std::vector<const char*>> order = {
        {"edge-top"},
        {"ball"}, {"star"}, {"heart"}, {"gem"}, {"tree"}, {"house"}, {"edge-right"},
        {"ring"}, {"pair-left", "pair-right"}, {"walker"}, {"pole"}, {"dot-1"}, {"dot-2"}, {"dot-3"},
        {"fish"}, {"mushroom"},
        {"edge-left"}, {"bar-long"}, {"tower"},
        {"edge-bottom"}, {"corner"},
    };
    s.set.clear();
    for (const std::vector<const char*>& names : order) {
        const Figure figure = JoinedFigure(s.figures, names);
        const Box whole = {0, 0, figure.width - 1, figure.height - 1};
        s.set.push_back({figure, 0, 0, 0, figure.width / 2, figure.height / 2, {whole}, {whole}});
    }
    Sleep(500);
    if (!NoDialogFor(s.pid, nullptr, 300)) Fail("Cut All showed a message");
    Shot("after-cut-all");
    PressCtrlKey('S');
    RunFileDialog(s.pid, (s.work + "cutall.spr").c_str());
    if (!NoDialogFor(s.pid, nullptr, 500)) Fail("saving showed a message");
    SaveExpectation(s, "cutall.expect");

    Step("File > Export...: a PNG per sprite beside cutall.json");
    ChooseMenu(ID_EXPORT);
    RunFileDialog(s.pid, (s.work + "cutall.json").c_str());
    if (!NoDialogFor(s.pid, nullptr, 1000)) Fail("exporting showed a message");

    Step("File > Export... again, the third file type: cutall.gif, the animation page's GIF");
    ChooseMenu(ID_EXPORT);
    RunFileDialog(s.pid, (s.work + "cutall.gif").c_str(), 2);
    if (!NoDialogFor(s.pid, nullptr, 1000)) Fail("exporting the GIF showed a message");
}

void Exit(Session& s)
{
    Step("change the order; File > Exit asks to save: Cancel, then Exit again: No");
    DragThumbnail(s, 1, 0);
    ChooseMenu(ID_EXIT);
    AnswerMessageBox(s.pid, nullptr, nullptr, IDCANCEL);
    Sleep(500);
    if (!IsWindowVisible(s.main)) Fail("Cancel did not keep the program running");
    CheckCoverage();  // Exit is the last command; it is marked used as it is chosen
    ChooseMenu(ID_EXIT);
    AnswerMessageBox(s.pid, nullptr, nullptr, IDNO);
    if (!WaitForWindowGone(s.main, kStepTimeout)) Fail("the main window did not close");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 6) {
        std::fprintf(stderr, "usage: e2e_driver SHEET.bmp FIGURES.txt PALETTE.pal WORK\\ SHOTS\\\n");
        return 2;
    }
    Session s = {};
    std::string sheetPath = argv[1], palettePath = argv[3];
    s.work = argv[4];
    SetShotFolder(argv[5]);
    if (!ReadSheet(argv[1], s.sheet)) Fail("cannot read the sheet");
    if (!ReadFigures(argv[2], s.figures)) Fail("cannot read the figures");

    Step("wait for Quillon's main window");
    FindWindows(s);
    CheckToolbarTable(s.toolbar);
    // The pointer waits in the screen's corner, away from the canvas.
    MoveMouse(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Sleep(1000);
    SetForegroundWindow(s.main);
    Sleep(300);

    OpenAndCut(s, sheetPath);
    ZoomAround(s);
    ReorderAndDelete(s);
    EditSprites(s);
    CopyBoxes(s);
    Playback(s);
    ViewModes(s);
    SaveAndReopen(s);
    Palettes(s, sheetPath, palettePath);
    CutAll(s);
    Exit(s);
    Note("driver done");
    return 0;
}
