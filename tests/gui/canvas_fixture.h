// The canvas under test: the real canvas in the real window tree, its client area sized to 400 x
// 300, a picture sheet loaded the way Open Bitmap loads one (without its dialog), mouse messages
// at window coordinates, and the test clock behind auto-scrolling.
#pragma once

#include <cstdint>
#include <vector>

#include "tests/core/image_test_files.h"
#include "tests/gui/gui_fixture.h"

// The rectangle (x1, y1)-(x2, y2) of an 8-bit picture, corners inclusive and ordered, top row
// first.
std::vector<uint8_t> PictureRegion(const TestPicture& picture, int x1, int y1, int x2, int y2);

// The pixels of workSet's sprite n as raw rows (decompressing a copy when it is compressed).
std::vector<uint8_t> SpritePixels(int n);

extern DWORD g_testNow;  // the clock the canvas tests give the program

class CanvasTest : public MainWindowTest {
protected:
    void SetUp() override;

    // Writes the sheet as an 8-bit BMP and opens it as Open Bitmap does: into g_picture, the
    // bitmap page at its size with its colors, and pictureSet as one sprite. Then places it.
    void OpenSheet(const TestPicture& sheet);
    // Resizes the canvas until its client area is width x height (scroll bars as they settle).
    void SizeClient(int width, int height);

    // One mouse message at a window point.
    void Mouse(UINT message, int x, int y, WPARAM keys = 0);
    // The window point at the middle of a page pixel's block at the current placement.
    POINT WindowPoint(int pageX, int pageY) const;
    // Press, move and release at page points; a double click (press, release, double-click
    // message, release) at a page point. Posted paints are handled afterwards.
    void Drag(POINT from, POINT to);
    void DoubleClick(POINT at);
    // Sends WM_PAINT and handles what it posts.
    void Paint();

    uint8_t PagePixel(int x, int y) const;

    HWND canvas = nullptr;
    TestPicture sheet;
};
