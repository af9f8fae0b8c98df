#include "views/selection.h"

#include "app/window_object.h"
#include "resources/resource.h"

namespace {

constexpr UINT kSelClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;  // 11

LRESULT CALLBACK SelWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

SelChildWindow::SelChildWindow() { background = CreateSolidBrush(GetSysColor(COLOR_APPWORKSPACE)); }

SelChildWindow::~SelChildWindow()
{
    if (background != nullptr) DeleteObject(background);
}

int SelChildWindow::Create(HWND parentWindow)
{
    lstrcpyA(className, "SelChildWindow");
    parent = parentWindow;
    instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parentWindow, GWLP_HINSTANCE));
    arrowCursor = LoadCursorA(nullptr, IDC_ARROW);
    handCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_SEL_HAND));
    dropCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_SEL_DROP));
    noDropCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_SEL_NODROP));

    const WindowClassInfo classInfo = {className, kSelClassStyle, SelWindowProc, arrowCursor,
                                       background, "Can't register Selection Child Window"};
    const WindowCreateInfo createInfo = {WS_EX_CLIENTEDGE, "Selection Window",
                                         WS_CHILD | WS_VISIBLE | WS_HSCROLL,
                                         0, 0, 50, 50, "Can't Create Selection Child Window"};
    window = CreateWindowObject(instance, parent, classInfo, createInfo, this);
    return window != nullptr ? 1 : 0;
}
