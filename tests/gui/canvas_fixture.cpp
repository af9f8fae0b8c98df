#include "tests/gui/canvas_fixture.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/clock.h"
#include "app/globals.h"
#include "sprite/compress.h"

DWORD g_testNow = 1000;

namespace {

DWORD TestClock() { return g_testNow; }

constexpr int kParentWidth = 900;
constexpr int kParentHeight = 800;
constexpr int kClientWidth = 400;
constexpr int kClientHeight = 300;

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

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
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ParentProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = "CanvasTestParent";
    RegisterClassA(&windowClass);
    parent = CreateWindowA("CanvasTestParent", "canvas", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                           kParentWidth, kParentHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(parent, nullptr);
    ASSERT_EQ(g_bmpChild.Create(parent), 1);
    canvas = g_bmpChild.window;
    modal.ClearSeen();  // a missing cursor resource is reported at creation; not what is tested
    SizeClient(kClientWidth, kClientHeight);
    PumpMessages();
}

void CanvasTest::TearDown()
{
    if (parent != nullptr) DestroyWindow(parent);
    PumpMessages();
    EXPECT_EQ(modal.Pending(), 0u) << "a scripted dialog answer was never used";
}

void CanvasTest::OpenSheet(const TestPicture& picture)
{
    sheet = picture;
    std::string path = dir.File("sheet.bmp");
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
