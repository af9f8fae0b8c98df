#include "panels/info_window.h"

#include <commctrl.h>

#include "app/document.h"
#include "kit/show_info.h"
#include "kit/text.h"
#include "kit/window_object.h"
#include "panels/edit_mode_window.h"
#include "panels/sprite_info_window.h"
#include "panels/tree_window.h"
#include "resources/resource.h"
#include "views/canvas.h"
#include "views/edit_mode_dialog.h"

namespace {

constexpr const char* kTabTexts[] = {"Sprite Info", "Edit Mode", "Tree Management"};
constexpr int kTabBoxSize = 100;  // the tab control's size until the first WM_SIZE places it
constexpr int kTabItemWidth = 100;
constexpr int kTabItemHeight = 20;
constexpr int kTabPaddingX = 10;
constexpr int kTabPaddingY = 4;

const char kNoSpriteToEdit[] = "수정할 스프라이트가 없습니다.\n\r파일을 먼저 읽어주세요.";
const char kNoSpriteForTree[] =
    "에니메이션 데이타를 수정할 스프라이트가 없습니다.\n\r파일을 먼저 읽어주세요.";

LRESULT CALLBACK InfoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: g_infoChild.OnCreate(window); return 0;
    case WM_KEYDOWN:
    case WM_COMMAND: return 0;
    default: break;
    }
    InfoChildWindow* info = FindWindowObject<InfoChildWindow>(window);
    if (info == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_SIZE: info->OnSize(); return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == info->tabControl && header->code == TCN_SELCHANGE)
            info->OnPageChanged();
        return 0;
    }
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool HasSprites() { return workSet.sprites != nullptr && workSet.Count() > 0; }

// The end of the information window's parent chain: the main window.
HWND TopLevelWindow(HWND window)
{
    HWND top = window;
    for (HWND up = GetParent(top); up != nullptr; up = GetParent(up)) top = up;
    return top;
}

void Invalidate(HWND window)
{
    if (window != nullptr) InvalidateRect(window, nullptr, TRUE);
}

void ShowSpriteInfoPage(HWND top)
{
    g_bmpChild.LeaveEditMode();
    SendMessageA(top, WM_COMMAND, ID_STOP, 0);
    g_sprInfo.Show(1);
    g_tree.Show(0);
    g_editMode.Show(0);
    g_sprInfo.Place();
    g_bmpChild.RefreshPage();
    Invalidate(g_bmpChild.window);
}

void ShowEditModePage(HWND window, HWND top)
{
    if (!HasSprites()) ShowInfo(window, "%s", kNoSpriteToEdit);
    SendMessageA(top, WM_COMMAND, ID_STOP, 0);
    g_bmpChild.EnterEditMode();
    g_editMode.Show(1);
    g_tree.Show(0);
    g_sprInfo.Show(0);
    g_editMode.Place();
    g_bmpChild.RefreshPage();
    RefreshBoxList(g_editMode.boxList);
    Invalidate(g_bmpChild.window);
}

void ShowTreePage(HWND window, HWND top)
{
    if (!HasSprites()) ShowInfo(window, "%s", kNoSpriteForTree);
    SendMessageA(top, WM_COMMAND, ID_STOP, 0);
    g_tree.Show(1);
    g_sprInfo.Show(0);
    g_editMode.Show(0);
    g_tree.Place();
}

}  // namespace

int InfoChildWindow::Create(HWND parentWindow)
{
    lstrcpyA(className, "InfoChildWindow");
    parent = parentWindow;
    instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parentWindow, GWLP_HINSTANCE));

    const WindowClassInfo classInfo = {className, CS_HREDRAW | CS_VREDRAW, InfoWindowProc, nullptr,
                                       nullptr, "Can't register Information Child Window"};
    const WindowCreateInfo createInfo = {WS_EX_WINDOWEDGE, "Information Child Window",
                                         WS_CHILD | WS_VISIBLE, 0, 0, 100, 100,
                                         "Can't Create Information Child Window"};
    window = CreateWindowObject(instance, parent, classInfo, createInfo, this);
    if (window == nullptr) return 0;

    InitCommonControls();
    tabControl = CreateWindowExA(0, WC_TABCONTROLA, "",
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_TOOLTIPS |
                                     TCS_FOCUSNEVER | TCS_FORCELABELLEFT,
                                 0, 0, kTabBoxSize, kTabBoxSize, window, nullptr, instance, nullptr);
    if (tabControl == nullptr) {
        ShowWindowError(window, "Can't Create Tab Controls");
        return 0;
    }
    for (int page = 0; page < 3; ++page) {
        std::wstring text = WideFromText(kTabTexts[page]);
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = &text[0];
        SendMessageW(tabControl, TCM_INSERTITEMW, WPARAM(page), reinterpret_cast<LPARAM>(&item));
    }
    return 1;
}

void InfoChildWindow::OnCreate(HWND infoWindow)
{
    // The panels are children of this window; the Sprite Info page's is the one shown at start.
    g_sprInfo.Create(infoWindow);
    g_editMode.Create(infoWindow);
    g_tree.Create(infoWindow);
    g_tree.Show(0);
    g_editMode.Show(0);
}

void InfoChildWindow::OnSize()
{
    if (tabControl != nullptr) {
        RECT client = {0, 0, 0, 0};
        GetClientRect(window, &client);
        SendMessageA(tabControl, TCM_SETITEMSIZE, 0, MAKELPARAM(kTabItemWidth, kTabItemHeight));
        SendMessageA(tabControl, TCM_SETPADDING, 0, MAKELPARAM(kTabPaddingX, kTabPaddingY));
        MoveWindow(tabControl, client.left, client.top, client.right, client.bottom, TRUE);
    }
    g_sprInfo.Place();
    g_editMode.Place();
    g_tree.Place();
}

void InfoChildWindow::OnPageChanged()
{
    HWND top = TopLevelWindow(window);
    switch (int(SendMessageA(tabControl, TCM_GETCURSEL, 0, 0))) {
    case kSpriteInfoPage: ShowSpriteInfoPage(top); break;
    case kEditModePage: ShowEditModePage(window, top); break;
    case kTreePage: ShowTreePage(window, top); break;
    default: break;
    }
}

void SelectInfoTab(int page)
{
    if (g_infoChild.tabControl != nullptr) {
        SendMessageA(g_infoChild.tabControl, TCM_SETCURSEL, WPARAM(page), 0);
        NMHDR header = {};
        header.hwndFrom = g_infoChild.tabControl;
        header.code = TCN_SELCHANGE;
        SendMessageA(g_infoChild.window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&header));
    }
    g_bmpChild.EndAdjustView();
}
