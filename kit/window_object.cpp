#include "kit/window_object.h"

int RegisterWindowObjectClass(HINSTANCE instance, HWND owner, const WindowClassInfo& info)
{
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, info.className, &existing)) return 1;

    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = info.style;
    windowClass.lpfnWndProc = info.procedure;
    windowClass.cbWndExtra = kWindowExtraBytes;
    windowClass.hInstance = instance;
    windowClass.hCursor = info.cursor != nullptr ? info.cursor : LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = info.background != nullptr
                                    ? info.background
                                    : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = info.className;
    if (RegisterClassExA(&windowClass)) return 1;
    if (info.registerFailure != nullptr) ShowWindowError(owner, info.registerFailure);
    return 0;
}

HWND CreateWindowObject(HINSTANCE instance, HWND parent, const WindowClassInfo& classInfo,
                        const WindowCreateInfo& createInfo, void* object, int id)
{
    RegisterWindowObjectClass(instance, parent, classInfo);
    HWND window = CreateWindowExA(createInfo.exStyle, classInfo.className, createInfo.title,
                                  createInfo.style, createInfo.x, createInfo.y, createInfo.width,
                                  createInfo.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                  nullptr);
    if (window == nullptr) {
        if (createInfo.createFailure != nullptr) ShowWindowError(parent, createInfo.createFailure);
        return nullptr;
    }
    AttachWindowObject(window, object);
    return window;
}

void AttachWindowObject(HWND window, void* object)
{
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
}

void ShowWindowError(HWND owner, const char* text) { MessageBoxA(owner, text, "Error", MB_OK); }
