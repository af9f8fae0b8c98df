#include "panels/sprite_info_window.h"

#include <cstdarg>
#include <cstdio>

#include "app/document.h"
#include "kit/text.h"
#include "kit/window_object.h"
#include "panels/info_panel.h"

namespace {

constexpr int kLineX = 10;
constexpr int kLineSize = 256;
constexpr COLORREF kCountColor = RGB(150, 0, 0);
constexpr COLORREF kActionColor = RGB(0, 0, 0);
constexpr COLORREF kNumberColor = RGB(0, 0, 200);
constexpr COLORREF kSpriteColor = RGB(0, 20, 120);
// The lines are Korean: a face with Hangul, so they read right whatever the system's font.
constexpr int kFontHeight = -12;
const char kFontFace[] = "굴림";

LRESULT CALLBACK SprInfoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        SprInfoWindow* panel = FindWindowObject<SprInfoWindow>(window);
        if (panel == nullptr) break;
        panel->Paint();
        return 0;
    }
    case WM_CREATE:
    case WM_SIZE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_KEYDOWN:
    case WM_COMMAND: return 0;
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

InfoLine FormatLine(int y, COLORREF color, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

InfoLine FormatLine(int y, COLORREF color, const char* format, ...)
{
    char text[kLineSize];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return {y, color, text};
}

}  // namespace

SprInfoWindow::SprInfoWindow() { background = CreateSolidBrush(GetSysColor(COLOR_BTNFACE)); }

int SprInfoWindow::Create(HWND parentWindow)
{
    lstrcpyA(className, "SprInfoWindow");
    parent = parentWindow;
    instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    window = CreateInfoPanel(instance, parent, className, SprInfoWindowProc, background,
                             "Sprite Information Window", "Can't Create Sprite Information Window", this);
    return window != nullptr ? 1 : 0;
}

void SprInfoWindow::Show(int flag) { ShowInfoPanel(window, &visible, flag); }

void SprInfoWindow::Place() { PlaceInfoPanel(window, visible); }

void SprInfoWindow::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HFONT font = CreateFontW(kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, HANGUL_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, WideFromText(kFontFace).c_str());
    HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    for (const InfoLine& line : SpriteInfoLines()) {
        SetTextColor(dc, line.color);
        TextOutText(dc, kLineX, line.y, line.text.c_str());
    }
    if (font != nullptr) {
        SelectObject(dc, previous);
        DeleteObject(font);
    }
    EndPaint(window, &paint);
}

void SprInfoWindow::Refresh()
{
    if (window != nullptr) InvalidateRect(window, nullptr, TRUE);
}

void SprInfoWindow::OnDocumentChanged(const DocumentChange& change)
{
    // Every line but the coordinates' shows the set, the current sprite or its boxes.
    if ((change.what & ~(kChangeCoordinates | kChangeHistory | kChangeModified)) != 0) Refresh();
}

std::vector<InfoLine> SpriteInfoLines()
{
    const int count = workSet.sprites != nullptr ? workSet.Count() : 0;
    std::vector<InfoLine> lines = {
        FormatLine(10, kCountColor, "총 스프라이트 개수 : %d", count),
        FormatLine(30, kActionColor, "총 액션 개수 : %d", int(workSet.header.actionCount)),
    };
    const int current = g_document.Current();
    if (current < 0 || current >= count) return lines;
    const Sprite& sprite = workSet.sprites[current];
    lines.push_back(FormatLine(60, kNumberColor, "<선택된 스프라이트 번호 %d>", current));
    lines.push_back(FormatLine(80, kSpriteColor, "압축상태 : %s", sprite.compressed ? "ON" : "OFF"));
    lines.push_back(FormatLine(100, kSpriteColor, "충돌 좌표의 개수 : %d", int(sprite.hitCount)));
    lines.push_back(FormatLine(120, kSpriteColor, "공격 좌표의 개수 : %d", int(sprite.atckCount)));
    lines.push_back(FormatLine(140, kSpriteColor, "스프라이트 크기 : 가로=%d 세로=%d",
                               int(sprite.width), int(sprite.height)));
    return lines;
}
