#include "app/main_window.h"

#include <commctrl.h>
#include <cstring>
#include <string>

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

// The Edit menu's item for a command: "&Undo Delete sprites 3–7\tCtrl+Z", greyed when there is
// nothing to take.
void SetHistoryItem(int command, const char* verb, const std::string& step, const char* key)
{
    if (g_mainMenu == nullptr) return;
    std::wstring text = WideFromText(verb);
    if (!step.empty()) text += L" " + WideFromUtf8(step);
    text += L"\t" + WideFromText(key);
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING | MIIM_STATE;
    item.fState = step.empty() ? MFS_GRAYED : MFS_ENABLED;
    item.dwTypeData = text.data();
    SetMenuItemInfoW(g_mainMenu, UINT(command), FALSE, &item);
}

void UpdateEditMenu()
{
    SetHistoryItem(ID_UNDO, "&Undo", g_document.UndoName(), "Ctrl+Z");
    SetHistoryItem(ID_REDO, "&Redo", g_document.RedoName(), "Ctrl+Y");
}

LRESULT OnCreate(HWND window)
{
    g_mainWnd = window;
    g_document.SetListener(OnDocumentChanged);
    LoadOptions();
    InitCommonControls();
    g_toolbar = CreateToolbar(window);
    g_fpsCombo = CreateFrameRateBox(window, g_toolbar);
    g_statusBar = CreateStatusBar(window);
    g_mainMenu = GetMenu(window);
    g_work.Create(window);
    UpdateEditMenu();
    UpdateMainTitle();
    return 0;
}

void OnClose(HWND window)
{
    if (g_document.Modified()) {
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

// The command a WM_COMMAND carries: a key of the program's table comes with notification code 1
// and no control, and means its command number alone; menu items, toolbar buttons and the
// frame-rate box are taken as they come.
int CommandNumber(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == 1 && lParam == 0) return LOWORD(wParam);
    return int(wParam);
}

void OnPaint(HWND window)
{
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
}

}  // namespace

void UpdateMainTitle()
{
    if (g_mainWnd == nullptr) return;
    const std::string& path = g_document.FilePath();
    const size_t slash = path.find_last_of("\\/");
    const std::string name = path.empty() ? kNoName : path.substr(slash == std::string::npos ? 0 : slash + 1);
    std::wstring title = WideFromText(kMainTitle) + L" - " + WideFromText(name.c_str());
    if (g_document.Modified()) title += L" *";
    SetWindowTextW(g_mainWnd, title.c_str());
}

void OnMainDocumentChanged(const DocumentChange& change)
{
    if (change.what & (kChangeHistory | kChangeModified)) UpdateEditMenu();
    if (change.what & kChangeModified) UpdateMainTitle();
}

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
    case WM_COMMAND: DispatchCommand(window, CommandNumber(wParam, lParam), lParam); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}
