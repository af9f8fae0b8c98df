// The end-to-end driver. Started beside a running Quillon.exe (same Wine prefix, same display),
// it works the program as a user would: File > Open Bitmap and the file dialog, two sprites cut
// by dragging and double-clicking on the canvas, File > Save Sprite and its dialog, File > Exit.
//
//   e2e_driver SHEET.bmp OUT.spr SCREENSHOT.bmp  L T W H  L T W H
//
// The two rectangles are figures of the sheet (page pixels). The canvas keeps zoom 1; the page
// sits where the canvas places it: centred when it fits, else scrolled to its top-left.
// Exit code 0 when every step went through; the sprite file itself is checked afterwards.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver_input.h"
#include "driver_screen.h"
#include "driver_windows.h"

namespace {

constexpr DWORD kStartTimeout = 40000;
constexpr DWORD kStepTimeout = 15000;

int g_step = 0;
char g_failureShot[MAX_PATH] = "";

void Step(const char* what)
{
    std::printf("e2e step %d: %s\n", ++g_step, what);
    std::fflush(stdout);
}

[[noreturn]] void Fail(const char* what)
{
    std::printf("e2e FAILED at step %d: %s\n", g_step, what);
    if (g_failureShot[0] != '\0' && SaveScreenshot(g_failureShot))
        std::printf("e2e: the screen at the failure is in %s\n", g_failureShot);
    std::fflush(stdout);
    std::exit(1);
}

struct Figure {
    int left, top, width, height;
};

// Where the canvas puts the page's top-left corner along one axis at zoom 1 with the scroll
// position at 0: `extent` is the client size plus one, as the canvas counts it.
int PagePlace(int extent, int pageSize)
{
    if (extent >= pageSize) return (extent - pageSize) / 2;
    return 0;
}

struct Canvas {
    HWND window;
    int pageLeft, pageTop;

    POINT Screen(int pageX, int pageY) const
    {
        POINT point = {pageLeft + pageX, pageTop + pageY};
        ClientToScreen(window, &point);
        return point;
    }
};

// Runs a file dialog: waits for it, types `path` over the proposed name, presses Enter and
// answers a confirmation with its default button. Leaves when the dialog has closed.
void RunFileDialog(DWORD pid, const char* path)
{
    HWND dialog = WaitForTopWindow("#32770", pid, kStepTimeout);
    if (dialog == nullptr) Fail("no file dialog came up");
    if (!WaitForFocusIn(dialog, kStepTimeout)) Fail("the file dialog did not take the keyboard focus");
    Sleep(300);
    // The name box has the focus: select what it proposes, then type over it.
    TapKey(VK_END);
    PressKey(VK_SHIFT);
    TapKey(VK_HOME);
    ReleaseKey(VK_SHIFT);
    TypeText(path);
    Sleep(200);
    TapKey(VK_RETURN);
    for (DWORD waited = 0; !WaitForWindowGone(dialog, 250); waited += 250) {
        HWND question = FindDialog(pid, dialog);
        if (question != nullptr) {
            char text[256];
            DialogText(question, text, sizeof text);
            std::printf("e2e: the file dialog asks \"%s\"; answering with its default button\n", text);
            TapKey(VK_RETURN);
            WaitForWindowGone(question, kStepTimeout);
        }
        if (waited >= kStepTimeout) Fail("the file dialog did not close");
    }
}

void CutFigure(const Canvas& canvas, const Figure& figure, bool fromBottomRight)
{
    POINT topLeft = canvas.Screen(figure.left, figure.top);
    POINT bottomRight = canvas.Screen(figure.left + figure.width - 1, figure.top + figure.height - 1);
    POINT middle = canvas.Screen(figure.left + figure.width / 2, figure.top + figure.height / 2);
    bool dragged = fromBottomRight ? DragMouse(bottomRight, topLeft) : DragMouse(topLeft, bottomRight);
    if (!dragged) Fail("the pointer did not go where it was sent");
    // Far enough apart in time that the drag's press and the first click make no double click.
    Sleep(GetDoubleClickTime() + 200);
    if (!DoubleClick(middle)) Fail("the pointer did not go where it was sent");
    Sleep(800);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 12) {
        std::fprintf(stderr, "usage: e2e_driver SHEET.bmp OUT.spr SHOT.bmp L T W H L T W H\n");
        return 2;
    }
    const char* sheetPath = argv[1];
    const char* spritePath = argv[2];
    const char* shotPath = argv[3];
    // The screen at a failure goes beside the screenshot, as failure.bmp.
    lstrcpynA(g_failureShot, shotPath, MAX_PATH - 16);
    char* folderEnd = std::strrchr(g_failureShot, '\\');
    lstrcpyA(folderEnd != nullptr ? folderEnd + 1 : g_failureShot, "failure.bmp");
    Figure figures[2];
    for (int i = 0; i < 2; ++i) {
        int* fields = &figures[i].left;
        for (int j = 0; j < 4; ++j) fields[j] = std::atoi(argv[4 + 4 * i + j]);
    }
    Sheet sheet;
    if (!ReadSheet(sheetPath, sheet)) Fail("cannot read the sheet");

    Step("wait for Quillon's main window");
    HWND mainWindow = WaitForTopWindow("Quillon", 0, kStartTimeout);
    if (mainWindow == nullptr) Fail("no window of class Quillon");
    DWORD pid = 0;
    GetWindowThreadProcessId(mainWindow, &pid);
    HWND canvasWindow = FindDescendant(mainWindow, "BmpChildWindow");
    if (canvasWindow == nullptr || FindDescendant(mainWindow, "SelChildWindow") == nullptr)
        Fail("the canvas or the selection strip is missing");
    // The pointer waits in the screen's corner, away from the canvas, until the cutting starts.
    MoveMouse(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    Sleep(1000);
    SetForegroundWindow(mainWindow);
    Sleep(300);

    Step("File > Open Bitmap, type the sheet's path, Enter");
    ChooseFileMenuItem('o');
    RunFileDialog(pid, sheetPath);
    const char* title = std::strrchr(sheetPath, '\\');
    if (!WaitForWindowText(canvasWindow, title != nullptr ? title + 1 : sheetPath, kStepTimeout))
        Fail("the canvas did not take the sheet's name");

    Step("find the page on the canvas and compare it with the sheet");
    RECT client;
    GetClientRect(canvasWindow, &client);
    Canvas canvas = {canvasWindow, PagePlace(client.right + 1, sheet.width),
                     PagePlace(client.bottom + 1, sheet.height)};
    std::printf("e2e: canvas client %ldx%ld, page at (%d, %d)\n", client.right, client.bottom,
                canvas.pageLeft, canvas.pageTop);
    for (const Figure& figure : figures) {
        if (figure.left + figure.width > client.right - canvas.pageLeft ||
            figure.top + figure.height > client.bottom - canvas.pageTop)
            Fail("a figure lies outside the canvas's visible part");
    }
    // The canvas paints when it gets round to it: look again for a while before giving up.
    int compared = 0;
    int mismatches = -1;
    for (DWORD waited = 0; waited <= kStepTimeout && mismatches != 0; waited += 250) {
        if (waited > 0) Sleep(250);
        mismatches = CountSheetMismatches(canvasWindow, sheet, canvas.pageLeft, canvas.pageTop, &compared);
    }
    std::printf("e2e: %d of %d page pixels differ from the sheet\n", mismatches, compared);
    if (mismatches != 0 || compared < 1000) Fail("the canvas does not show the sheet where expected");

    Step("cut the first figure: drag from its top-left to its bottom-right, double-click");
    CutFigure(canvas, figures[0], false);
    Step("right-click to drop the rectangle; cut the second figure dragging the other way");
    POINT away = canvas.Screen(figures[1].left + figures[1].width / 2, figures[1].top + figures[1].height / 2);
    if (!RightClick(away)) Fail("the pointer did not go where it was sent");
    Sleep(GetDoubleClickTime() + 200);
    CutFigure(canvas, figures[1], true);

    Step("screenshot after the cuts");
    if (!SaveScreenshot(shotPath)) std::printf("e2e: could not write the screenshot %s\n", shotPath);

    Step("File > Save Sprite, type the file's path, Enter");
    ChooseFileMenuItem('s');
    RunFileDialog(pid, spritePath);
    for (DWORD waited = 0; GetFileAttributesA(spritePath) == INVALID_FILE_ATTRIBUTES; waited += 100) {
        if (waited >= kStepTimeout) Fail("no sprite file was written");
        Sleep(100);
    }
    HWND message = FindDialog(pid, nullptr);
    if (message != nullptr) {
        char text[256];
        DialogText(message, text, sizeof text);
        std::printf("e2e: unexpected message box \"%s\"\n", text);
        Fail("saving showed a message");
    }

    Step("File > Exit");
    ChooseFileMenuItem('x');
    if (!WaitForWindowGone(mainWindow, kStepTimeout)) {
        HWND question = FindDialog(pid, nullptr);
        if (question != nullptr) {
            char text[256];
            DialogText(question, text, sizeof text);
            std::printf("e2e: exit asks \"%s\"\n", text);
        }
        Fail("the main window did not close");
    }
    std::printf("e2e: driver done\n");
    return 0;
}
