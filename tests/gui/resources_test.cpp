// The program's art as Windows loads it from the executable's resources: the toolbar bitmap's
// size, color depth and pictures, and each cursor's size, hot spot and shape.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "resources/resource.h"

namespace {

struct CursorArt {
    int id;
    int hotX, hotY;
    bool hotSpotDrawn;   // the hot spot is a painted pixel (not the open centre of a cross-hair)
};

const CursorArt kCursors[] = {
    {IDC_SPLIT_VERT, 15, 15, true}, {IDC_SPLIT_HORZ, 15, 15, true},
    {IDC_CUTSPR, 10, 10, false},    {IDC_MOVE, 9, 9, true},
    {IDC_SEL_HAND, 5, 0, true},     {IDC_SEL_DROP, 5, 0, true},
    {IDC_SEL_NODROP, 5, 0, true},   {IDC_ADJUST, 7, 7, true},
};

// The rows of a bitmap as 32-bit pixels (0x00RRGGBB), top row first.
std::vector<DWORD> Pixels(HBITMAP bitmap, int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(size_t(width) * height);
    HDC dc = GetDC(nullptr);
    int rows = GetDIBits(dc, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != height) pixels.clear();
    return pixels;
}

TEST(ResourceArt, CursorsHaveTheirSizeHotSpotAndAShapeOfTheirOwn)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    std::vector<std::vector<DWORD>> shapes;
    for (const CursorArt& art : kCursors) {
        SCOPED_TRACE(art.id);
        HCURSOR cursor = LoadCursorA(instance, MAKEINTRESOURCEA(art.id));
        ASSERT_NE(cursor, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(cursor, &info));
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(int(info.xHotspot), art.hotX);
        EXPECT_EQ(int(info.yHotspot), art.hotY);

        // A two-color cursor keeps its AND mask above its image in one bitmap twice as tall.
        BITMAP mask = {};
        ASSERT_TRUE(GetObjectA(info.hbmMask, sizeof mask, &mask));
        EXPECT_EQ(mask.bmWidth, 32);
        EXPECT_EQ(mask.bmHeight, info.hbmColor ? 32 : 64);
        std::vector<DWORD> bits = Pixels(info.hbmMask, 32, mask.bmHeight);
        ASSERT_FALSE(bits.empty());
        bits.resize(32 * 32);   // the AND mask: 0 where the cursor is drawn

        int left = 32, top = 32, right = -1, bottom = -1;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if ((bits[size_t(y) * 32 + x] & 0xFFFFFF) == 0) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        ASSERT_GE(right, 0) << "nothing drawn";
        EXPECT_TRUE(left <= art.hotX && art.hotX <= right && top <= art.hotY && art.hotY <= bottom)
            << "the hot spot lies outside the drawing";
        EXPECT_EQ((bits[size_t(art.hotY) * 32 + art.hotX] & 0xFFFFFF) == 0, art.hotSpotDrawn);
        for (const auto& other : shapes) EXPECT_NE(other, bits) << "two cursors look the same";
        shapes.push_back(bits);

        DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
}

TEST(ResourceArt, ToolbarBitmapHoldsEighteenPicturesOnLightGrey)
{
    HBITMAP bitmap = HBITMAP(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_TOOLBAR),
                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION dib = {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof dib, &dib), int(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, 288);
    EXPECT_EQ(dib.dsBm.bmHeight, 15);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 4);

    // The toolbar shows light grey as the button face: each picture stands on it and draws
    // something of its own.
    const DWORD lightGrey = 0xC0C0C0;
    std::vector<DWORD> pixels = Pixels(bitmap, 288, 15);
    ASSERT_EQ(pixels.size(), 288u * 15);
    std::vector<std::vector<DWORD>> pictures;
    for (int picture = 0; picture < 18; ++picture) {
        SCOPED_TRACE(picture);
        std::vector<DWORD> own;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 16; ++x) own.push_back(pixels[size_t(y) * 288 + picture * 16 + x] & 0xFFFFFF);
        EXPECT_EQ(own[0], lightGrey) << "top-left corner";
        EXPECT_GT(std::count_if(own.begin(), own.end(), [&](DWORD c) { return c != lightGrey; }), 20);
        for (const auto& other : pictures) EXPECT_NE(other, own) << "two pictures are the same";
        pictures.push_back(own);
    }
    DeleteObject(bitmap);
}

}  // namespace
