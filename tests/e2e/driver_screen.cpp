#include "driver_screen.h"

#include <cstdio>
#include <cstring>

namespace {

uint32_t ReadLe(const uint8_t* p, int bytes)
{
    uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}

// Copies `area` of the screen into 32-bit pixels (0x00RRGGBB), top row first.
bool CaptureScreen(const RECT& area, std::vector<uint32_t>& pixels)
{
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = bitmap != nullptr;
    if (ok) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        ok = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != 0;
        GdiFlush();
        if (ok) {
            const uint32_t* source = static_cast<const uint32_t*>(bits);
            pixels.assign(source, source + size_t(width) * height);
            for (uint32_t& pixel : pixels) pixel &= 0xffffff;
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

}  // namespace

bool ReadSheet(const char* path, Sheet& sheet)
{
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return false;
    std::vector<uint8_t> data;
    uint8_t chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        data.insert(data.end(), chunk, chunk + got);
    std::fclose(file);
    if (data.size() < 54 || data[0] != 'B' || data[1] != 'M') return false;
    uint32_t offset = ReadLe(&data[10], 4);
    uint32_t headerSize = ReadLe(&data[14], 4);
    int width = int(ReadLe(&data[18], 4));
    int height = int(ReadLe(&data[22], 4));
    if (ReadLe(&data[28], 2) != 8 || ReadLe(&data[30], 4) != 0 || width <= 0 || height == 0)
        return false;
    bool bottomUp = height > 0;
    if (!bottomUp) height = -height;
    uint32_t colors = ReadLe(&data[46], 4);
    if (colors == 0 || colors > 256) colors = 256;
    size_t stride = (size_t(width) + 3) & ~size_t(3);
    if (14 + headerSize + 4 * colors > data.size() || offset + stride * height > data.size())
        return false;
    std::memcpy(sheet.palette, &data[14 + headerSize], 4 * colors);
    sheet.width = width;
    sheet.height = height;
    sheet.pixels.resize(size_t(width) * height);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &data[offset + stride * size_t(bottomUp ? height - 1 - y : y)];
        std::memcpy(&sheet.pixels[size_t(y) * width], row, width);
    }
    return true;
}

int CountSheetMismatches(HWND window, const Sheet& sheet, int pageLeft, int pageTop, int* compared,
                         int zoom)
{
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    RECT area = {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    std::vector<uint32_t> screen;
    *compared = 0;
    if (!CaptureScreen(area, screen)) return -1;
    int width = client.right;
    // The part of the page inside the client area, in page pixels.
    int x0 = pageLeft < 0 ? (zoom - 1 - pageLeft) / zoom : 0, y0 = pageTop < 0 ? (zoom - 1 - pageTop) / zoom : 0;
    int x1 = sheet.width, y1 = sheet.height;
    if (pageLeft + x1 * zoom > client.right) x1 = (client.right - pageLeft) / zoom;
    if (pageTop + y1 * zoom > client.bottom) y1 = (client.bottom - pageTop) / zoom;
    if (x1 <= x0 || y1 <= y0) return -1;
    auto differs = [&](int x, int y) {
        const RGBQUAD& c = sheet.palette[sheet.pixels[size_t(y) * sheet.width + x]];
        uint32_t want = (uint32_t(c.rgbRed) << 16) | (uint32_t(c.rgbGreen) << 8) | c.rgbBlue;
        // Every screen pixel of the page pixel's zoom x zoom square.
        for (int dy = 0; dy < zoom; ++dy)
            for (int dx = 0; dx < zoom; ++dx)
                if (screen[size_t(pageTop + y * zoom + dy) * width + pageLeft + x * zoom + dx] != want)
                    return true;
        return false;
    };
    std::vector<int> rowMisses(y1, 0), columnMisses(x1, 0);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (differs(x, y)) ++rowMisses[y], ++columnMisses[x];
    int mismatches = 0;
    for (int y = y0; y < y1; ++y) {
        if (rowMisses[y] * 10 >= (x1 - x0) * 9) continue;
        for (int x = x0; x < x1; ++x) {
            if (columnMisses[x] * 10 >= (y1 - y0) * 9) continue;
            ++*compared;
            if (differs(x, y)) ++mismatches;
        }
    }
    return mismatches;
}

bool SaveScreenshot(const char* path)
{
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    std::vector<uint32_t> pixels;
    if (!CaptureScreen(area, pixels)) return false;
    int width = area.right, height = area.bottom;
    uint32_t stride = (uint32_t(width) * 3 + 3) & ~3u;
    uint32_t imageSize = stride * height;
    uint8_t header[54] = {'B', 'M'};
    auto put = [&](int at, uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) header[at + i] = uint8_t(value >> (8 * i));
    };
    put(2, 54 + imageSize, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, uint32_t(width), 4);
    put(22, uint32_t(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    put(34, imageSize, 4);
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    std::fwrite(header, 1, sizeof header, file);
    std::vector<uint8_t> row(stride, 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            uint32_t pixel = pixels[size_t(y) * width + x];
            row[3 * x] = uint8_t(pixel);
            row[3 * x + 1] = uint8_t(pixel >> 8);
            row[3 * x + 2] = uint8_t(pixel >> 16);
        }
        std::fwrite(row.data(), 1, row.size(), file);
    }
    return std::fclose(file) == 0;
}

int CountRowPixels(HWND window, int y, int x0, int x1, uint32_t rgb)
{
    POINT origin = {x0, y};
    ClientToScreen(window, &origin);
    RECT area = {origin.x, origin.y, origin.x + (x1 - x0), origin.y + 1};
    std::vector<uint32_t> pixels;
    if (!CaptureScreen(area, pixels)) return 0;
    int count = 0;
    for (uint32_t pixel : pixels) count += pixel == rgb;
    return count;
}
