// What the screen shows, for the end-to-end driver: the sample sheet as the canvas should show
// it, a comparison of the two, and screenshots written as BMP files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// An 8-bit BMP read into top-down rows of palette indices.
struct Sheet {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
    RGBQUAD palette[256] = {};
};

bool ReadSheet(const char* path, Sheet& sheet);

// Compares the sheet, drawn at `zoom` with its top-left pixel at client point (pageLeft, pageTop)
// of `window`, with what the screen shows in the window's client area. Rows and columns that
// differ all along (the mouse cross-hair) are left out. Returns the number of differing pixels
// and the number compared.
int CountSheetMismatches(HWND window, const Sheet& sheet, int pageLeft, int pageTop, int* compared,
                         int zoom = 1);

// Writes the whole screen to `path` as a 24-bit BMP.
bool SaveScreenshot(const char* path);

// How many of the screen pixels of client row `y` of `window`, from client column `x0` up to
// but not including `x1`, have the color `rgb` (0x00RRGGBB).
int CountRowPixels(HWND window, int y, int x0, int x1, uint32_t rgb);
