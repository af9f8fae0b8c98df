#include "app/main_window.h"

#include <commctrl.h>
#include <cstring>

#include "app/commands.h"
#include "app/document.h"
#include "app/frame_rate_box.h"
#include "app/layout.h"
#include "app/options.h"
#include "app/toolbar.h"
#include "kit/show_info.h"
#include "kit/status_bar.h"
#include "kit/text.h"
#include "panels/work_windows.h"
#include "resources/resource.h"
#include "views/canvas.h"

namespace {

bool RegisterMainWindowClass(HINSTANCE instance)
{
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_QUILLON));
    windowClass.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_QUILLON),
                                                        IMAGE_ICON, 16, 16, 0));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    windowClass.lpszClassName = kMainClassName;
    registered = RegisterClassExA(&windowClass) != 0;
    return registered;
}

LRESULT OnCreate(HWND window)
{
    g_mainWnd = window;
    LoadOptions();
    InitCommonControls();
    g_toolbar = CreateToolbar(window);
    g_fpsCombo = CreateFrameRateBox(window, g_toolbar);
    g_statusBar = CreateStatusBar(window);
    g_mainMenu = GetMenu(window);
    g_work.Create(window);
    return 0;
}

void OnClose(HWND window)
{
    if (g_modified) {
        int answer = MessageBoxText(window, "스프라이트 파일을 저장할까요?", "Exit",
                                    MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) return;
        if (answer == IDYES && !g_bmpChild.SaveSprite()) return;
    }
    PostQuitMessage(0);
}

void OnActivateApp(WPARAM active) { g_appActive = LOBYTE(active); }

LRESULT OnNotify(const NMHDR* header)
{
    if (header->code == TTN_NEEDTEXTA) {
        auto* request = reinterpret_cast<NMTTDISPINFOA*>(const_cast<NMHDR*>(header));
        lstrcpynA(request->szText, CommandTip(int(header->idFrom)), kToolTipTextSize);
    }
    return 0;
}

void OnKeyDown(HWND window, WPARAM key)
{
    if (key == VK_UP) ShowInfo(window, "Up key Pressed");
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance)
{
    g_instance = instance;
    if (!RegisterMainWindowClass(instance)) {
        MessageBoxA(nullptr, "Can't register Main Window", "Error", MB_OK);
        return nullptr;
    }
    return CreateWindowExA(0, kMainClassName, kMainTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, kMainWidth, kMainHeight, nullptr, nullptr, instance,
                           nullptr);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_SIZE: LayoutMainWindow(window); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_CLOSE: OnClose(window); return 0;
    case WM_ACTIVATEAPP:
        OnActivateApp(wParam);
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_NOTIFY: return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_KEYDOWN: OnKeyDown(window, wParam); return 0;
    case WM_COMMAND: DispatchCommand(window, int(wParam), lParam); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
