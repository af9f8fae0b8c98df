#include "tests/gui/canvas_fixture.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/document.h"
#include "app/options.h"
#include "app/pages.h"
#include "app/picture.h"
#include "kit/clock.h"
#include "sprite/compress.h"
#include "views/canvas.h"

DWORD g_testNow = 1000;

namespace {

DWORD TestClock() { return g_testNow; }

constexpr int kMainWidth = 1200;
constexpr int kMainHeight = 1000;
constexpr int kClientWidth = 400;
constexpr int kClientHeight = 300;

}  // namespace

std::vector<uint8_t> PictureRegion(const TestPicture& picture, int x1, int y1, int x2, int y2)
{
    std::vector<uint8_t> region;
    for (int y = y1; y <= y2; ++y)
        for (int x = x1; x <= x2; ++x) region.push_back(picture.At(x, y));
    return region;
}

std::vector<uint8_t> SpritePixels(int n)
{
    const Sprite& sprite = workSet.sprites[n];
    std::vector<uint8_t> pixels(size_t(sprite.width) * sprite.height);
    if (sprite.compressed) DecompressImage(pixels.data(), sprite.width, sprite.height, sprite.image);
    else std::memcpy(pixels.data(), sprite.image, pixels.size());
    return pixels;
}

void CanvasTest::SetUp()
{
    g_clock = TestClock;
    MainWindowTest::SetUp();
    // The options the tests set themselves, whatever the options file gave.
    g_options.crossHair = 0;
    g_options.compressSprites = 0;
    g_options.autoHitBox = 0;
    g_options.autoAtckBox = 0;
    // Room for the canvas to take the size the tests want inside its pane.
    MoveWindow(window, 0, 0, kMainWidth, kMainHeight, TRUE);
    canvas = g_bmpChild.window;
    ASSERT_NE(canvas, nullptr);
    SizeClient(kClientWidth, kClientHeight);
    PumpMessages();
}

void CanvasTest::OpenSheet(const TestPicture& picture)
{
    sheet = picture;
    std::string path = WorkFile("sheet.bmp");
    Bytes bytes = MakeBmp8(picture);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
    std::fclose(file);

    ASSERT_EQ(g_picture.LoadBmp(path.c_str()), 1) << g_picture.message;
    ASSERT_EQ(g_bmpPage.Create(g_picture.Width(), g_picture.Height(), 8, nullptr), 1);
    g_palette = reinterpret_cast<Palette*>(g_picture.ColorTable());
    g_bmpPage.SetPalette(g_palette);
    g_animPage.SetPalette(g_palette);
    g_selPage.SetPalette(g_palette);
    uint8_t* block = g_picture.CopyRegion(0, 0, g_picture.Width(), g_picture.Height());
    ASSERT_EQ(pictureSet.TransToSpr(g_picture.Width(), g_picture.Height(), block), 1);
    g_bmpChild.RefreshPage();
    SizeClient(kClientWidth, kClientHeight);  // again, with the scroll bars the sheet needs
    Paint();
}

void CanvasTest::SizeClient(int width, int height)
{
    for (int pass = 0; pass < 4; ++pass) {
        RECT client, outer;
        GetClientRect(canvas, &client);
        if (client.right == width && client.bottom == height) return;
        GetWindowRect(canvas, &outer);
        MoveWindow(canvas, 0, 0, outer.right - outer.left + width - client.right,
                   outer.bottom - outer.top + height - client.bottom, TRUE);
    }
}

void CanvasTest::Mouse(UINT message, int x, int y, WPARAM keys)
{
    SendMessageA(canvas, message, keys, MAKELPARAM(x, y));
}

POINT CanvasTest::WindowPoint(int pageX, int pageY) const
{
    int zoom = g_bmpChild.curZoom;
    return {g_bmpChild.pageLeft + pageX * zoom + zoom / 2, g_bmpChild.pageTop + pageY * zoom + zoom / 2};
}

void CanvasTest::Drag(POINT from, POINT to)
{
    POINT a = WindowPoint(from.x, from.y), b = WindowPoint(to.x, to.y);
    Mouse(WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, b.x, b.y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, b.x, b.y);
    PumpMessages();
}

void CanvasTest::DoubleClick(POINT at)
{
    POINT a = WindowPoint(at.x, at.y);
    Mouse(WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, a.x, a.y);
    Mouse(WM_LBUTTONDBLCLK, a.x, a.y, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, a.x, a.y);
    PumpMessages();
}

void CanvasTest::Paint()
{
    SendMessageA(canvas, WM_PAINT, 0, 0);
    PumpMessages();
}

uint8_t CanvasTest::PagePixel(int x, int y) const { return g_bmpPage.pixels[size_t(y) * g_bmpPage.pitch + x]; }
