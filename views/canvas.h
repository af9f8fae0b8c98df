// The canvas: the large child window that shows one of three pages at a time (the picture sheet,
// the edit page or the animation page) at an integer zoom, and the state of cutting, editing and
// playback that goes with it. It also owns the document's file names and the file commands.
#pragma once

#include "files/file_dialog.h"
#include "kit/wheel_turns.h"
#include "platform/win32.h"
#include "sprite/box_geometry.h"
#include "sprite/box_rect.h"
#include "sprite/document.h"

class DibPage;

constexpr const char kNoName[] = "noname.spr";

// The states of cut mode (cutState): no rectangle, drawing one (button held after a press with
// none), one shown (button up), moving it (button held after a press with one shown).
constexpr int kCutIdle = 0;
constexpr int kCutDrawing = 1;
constexpr int kCutShown = 2;
constexpr int kCutMoving = 3;

// The states of edit mode (editState): idle, dragging (left button held), released after a drag
// (which behaves as idle for mouse moves).
constexpr int kEditIdle = 0;
constexpr int kEditDragging = 1;
constexpr int kEditReleased = 2;

// Zoom limits of the three pages.
constexpr int kMinZoom = 1;
constexpr int kMaxBitmapZoom = 5;
constexpr int kMaxEditZoom = 5;
constexpr int kMaxAnimZoom = 3;

// The page the canvas shows and the zoom level it is shown at.
struct ShownPage {
    DibPage* page;
    int* zoom;    // the level that the zoom commands change
    int maxZoom;  // its upper limit (the lower is kMinZoom)
};

class BmpChildWindow {
public:
    char className[20] = "";
    HWND window = nullptr;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    HBRUSH background = nullptr;
    // The names, in UTF-8 (see files/file_dialog.h).
    char bitmapPath[kFilePathBytes] = "";
    char bitmapTitle[kFileTitleBytes] = "";
    char spritePath[kFilePathBytes] = "noname.spr";
    char spriteTitle[kFileTitleBytes] = "noname.spr";
    HCURSOR cutCursor = nullptr;
    HCURSOR moveCursor = nullptr;
    HCURSOR adjustCursor = nullptr;
    HCURSOR arrowCursor = nullptr;
    int crossVisible = 1;
    int crossX = -1, crossY = -1;
    int curZoom = 1;
    int pageWidth = 0, pageHeight = 0;
    int pageLeft = 0, pageTop = 0;
    int viewY = 0, viewX = 0;
    int viewYMax = 0, viewXMax = 0;
    int dragX = 0, dragY = 0;
    int adjustView = 0;
    int adjustDrag = 0;
    int anchorX = 150, anchorY = 150;
    int bmpZoom = 1;
    int cutState = 0;
    PixelRect cutRect = {0, 0, 0, 0};
    PixelRect savedCutRect = {0, 0, 0, 0};
    int cutMoveBegan = 0;  // the last press moved a shown rectangle (savedCutRect holds where from)
    int playing = 0;
    int paused = 0;
    int animWidth = 640, animHeight = 480;
    int animZoom = 1;
    int fps = 0;
    int pendingStep = 0;
    int animFrame = 0;
    int editMode = 0;
    int editZoom = 1;
    int editState = 0;
    POINT editStart = {0, 0}, editCur = {0, 0};
    int editAnchorX = 0, editAnchorY = 0;
    // The current sprite's relative coordinate at the last edit press, (r0x, r0y): a drag's
    // sprite-local points are taken against it.
    POINT editRelAtPress = {0, 0};
    // Where the last anchor drag began: the page point pressed and the anchor at that moment.
    POINT adjustPress = {0, 0};
    POINT adjustPressAnchor = {0, 0};
    int refreshing = 0;  // RefreshPage is under way
    WheelTurns wheelTurns;  // the wheel's turns short of a notch
    // The box chosen on the Edit Mode page (of the kind of the box tool), or -1; its handles show,
    // the list's row follows it, and the arrows, Delete and the typed numbers act on it.
    int selectedBox = -1;
    // A press on a chosen box: which part is dragged and the box as it was (kNone: a new box is
    // being drawn).
    BoxPart boxDragPart = BoxPart::kNone;
    BoxRect boxAtPress = {};
    // The preview's mirroring (kFlipHorizontal, kFlipVertical) on the edit and animation pages.
    int previewFlips = 0;

    BmpChildWindow();
    ~BmpChildWindow();
    BmpChildWindow(const BmpChildWindow&) = delete;
    BmpChildWindow& operator=(const BmpChildWindow&) = delete;

    // Registers the class (once) and creates the canvas window as a child of `parent`. 1, or 0
    // when the window cannot be made.
    int Create(HWND parent);

    // The canvas's verbs: the only way its playback, edit-mode, zoom and adjust-view state
    // changes from outside (canvas_verbs.cpp).
    // Starts playback at `fps` frames a second (0: no delay) on a fresh animation page.
    void Play(int fps);
    // Ends playback (and a pause) and shows the page that follows from the flags.
    void Stop();
    void Pause();
    // While paused, steps the shown frame by `delta` at the next animation step.
    void Step(int delta);
    void SetFrameRate(int fps);
    // The edit page instead of the sheet, and back.
    void EnterEditMode();
    void LeaveEditMode();
    // One zoom level in or out on the shown page, within its limits.
    void ZoomIn();
    void ZoomOut();
    // Adjust-view mode: drags move the anchor of the edit and animation pages (only while one of
    // them is shown).
    void StartAdjustView();
    void EndAdjustView();
    // The animation and edit page size of the options; the page shown is made again at it.
    void SetPageSize(int width, int height);
    // Ends the drag under way as if it never began: the cut rectangle as before the drag (a new
    // one dropped), the edit drag taken back, the anchor where it was; the auto-scroll stops.
    // On a lost mouse capture and on Esc. True when there was a drag to end.
    bool CancelDrag();
    // Drops the cut rectangle shown (no drag under way). True when there was one.
    bool DropCutRect();
    // Edit > Cut All: every figure of the sheet, or of the cut rectangle while one is shown, cut
    // into sprites as one step (cut_step.h); messages are owned by `owner`. The rectangle stays
    // shown, as after a single cut. 1 when sprites were added.
    int CutAll(HWND owner);
    // The canvas's share of a document change.
    void OnDocumentChanged(const DocumentChange& change);
    // The preview shown mirrored left-right and/or top-bottom (kFlip... bits).
    void SetPreviewFlips(int flips);
    // The box chosen on the Edit Mode page: chosen from the list or by a click (-1: none), moved
    // by whole pixels (the arrow keys), deleted. Moving and deleting are false when none is chosen.
    void SelectBox(int box);
    bool NudgeSelectedBox(int dx, int dy);
    bool DeleteSelectedBox();

    // Which page is shown, decided afresh from the flags every time: playing shows the animation
    // page, else edit mode the edit page, else the bitmap page. The animation and edit pages
    // share g_animPage.
    ShownPage Shown();

    // Recomputes the shown page's placement: zoom, page size, scroll ranges and positions, and
    // the window position of the page's top-left corner. Draws nothing.
    void RefreshPage();
    void PlaceShownPage(const RECT& client);

    // Window messages (canvas_window.cpp routes them here).
    void OnPaint(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Draws the picture, the cut rectangle and the cross-hair into the part of g_bmpPage shown.
    void ComposeBitmapPage(const PixelRect& shown);
    void OnVScroll(int code, int thumb);
    void OnHScroll(int code, int thumb);
    // The wheel (views/wheel.cpp): `delta` as the message gives it, `keys` its MK_ flags, `tilt`
    // for a sideways wheel.
    void OnWheel(int delta, int keys, bool tilt);
    // Mouse messages, WM_SETCURSOR and WM_NCMOUSEMOVE: to the handler of the current mode.
    void RouteMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Inverting lines across the whole shown page through the page point (x, y).
    void DrawCrossHair(int x, int y);
    // The mouse over the page of a drawing tool, no drag under way: the cut cursor, and the
    // cross-hair (when the options show it) moved to the page point `at`.
    void FollowWithCrossHair(HWND mouseWindow, POINT at);
    // Sets the status line for the state of the canvas and the document.
    void UpdateStatus();

    // Adjust-view mode: drags move the anchor of the edit and animation pages.
    void AdjustMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // While a drag is held on or past the client area's edge, scrolls that way.
    void TestAutoScroll(int windowX, int windowY);

    // Cut mode (cut_mode.cpp): the rectangle dragged on the picture and its confirmation.
    void CutMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void DrawCutRect();

    // Edit mode (edit_mode.cpp): the current sprite on the edit page with its coordinates and
    // boxes, changed by mouse drags with the edit-mode dialog's tool.
    void StartEditPage();
    void DrawEditPage(int n);
    void EditMouse(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The sprite-local point under page point `page` of a sprite at relative coordinate
    // `relative`, through the anchor and the preview's mirroring.
    POINT EditLocalPoint(POINT page, POINT relative) const;
    // The system cursor for a press at page point `page` with a box tool: over a box's inside,
    // edge or corner, the move or resize cursor; elsewhere null.
    LPCSTR PartCursor(POINT page);
    // At the release of a new box that never grew past its press point, over another box: the
    // click chooses that box instead, and the new one goes. True when it did.
    bool ChooseClickedBox();
    // The status line of edit mode: the current tool's coordinates of the current sprite.
    void UpdateEditStatus();

    // Playback (animation.cpp): (re)creates the animation page at animWidth x animHeight and
    // puts the anchor on it; one animation frame at most per call, from the idle loop and paint.
    void StartAnimPage();
    void AnimStep();
    // Milliseconds until AnimStep has a frame to show: 0 when one is due now; INFINITE when none
    // will be until something changes (stopped, paused with no step asked for, no sprites).
    DWORD NextFrameIn() const;
    // The frame last shown, drawn again where it is (a paint between frames, or while paused):
    // at the anchor and zoom of now, without stepping or counting a frame.
    void RedrawFrame();
    // Ends playback after a failure: clears playing, shows `text`, then stops as Stop does.
    void StopPlayback(const char* text);

    // File commands (dialogs, then the document). 1 on success, 0 when cancelled or failed.
    int OpenBitmap();
    int OpenSprite();
    int SaveSprite();
    int OpenPalette();
    int SavePalette();
    // The same for a file named without a dialog (UTF-8): the command line, a drop, the
    // recent-files list.
    int OpenBitmapFile(const char* path);
    int OpenSpriteFile(const char* path);
    int OpenPaletteFile(const char* path);
    // Save: to the file the set came from or was saved to (the document's), without asking; a
    // set without one asks as SaveSprite does.
    int Save();
    // What the commands do once the name is known: read the picture `path`, whose title becomes
    // bitmapTitle; read or write the sprite file `path`, whose title becomes spriteTitle.
    int ReadBitmap(const char* path, const char* title);
    int ReadSprite(const char* path, const char* title);
    int WriteSprite(const char* path, const char* title);
};

extern BmpChildWindow g_bmpChild;
