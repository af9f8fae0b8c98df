// Window objects: every child window of the program is one plain object (a global) with its
// window handle, parent, instance and class name. This is the one way they register their class,
// create their window and find their object again from the window handle.
//
// Registration is attempted until it succeeds once in a run; a failure is reported with the
// object's own text (caption "Error") and creation still goes on, so the creation failure text
// follows. The object's address is kept in the window's pointer-sized user data, set right after
// the window exists; messages that arrive before (WM_CREATE among them) find no object.
#pragma once

#include "platform/win32.h"

// How a window class is registered: the object's class name, class style, window procedure,
// extra window bytes, cursor and background. A null cursor is the system arrow; a null background
// the white stock brush. `registerFailure` is the text shown when registering fails (null: say
// nothing).
struct WindowClassInfo {
    const char* className;
    UINT style;
    WNDPROC procedure;
    HCURSOR cursor;
    HBRUSH background;
    const char* registerFailure;
};

// How the window is created. `createFailure` is the text shown when creation fails (null: say
// nothing).
struct WindowCreateInfo {
    DWORD exStyle;
    const char* title;
    DWORD style;
    int x, y, width, height;
    const char* createFailure;
};

// Window extra bytes of every class of the program.
constexpr int kWindowExtraBytes = 4;

// Registers the class unless it already is; a failure is shown owned by `owner`. 1 when the
// class is registered now.
int RegisterWindowObjectClass(HINSTANCE instance, HWND owner, const WindowClassInfo& info);

// Registers (once), creates the window as a child of `parent` with control identifier `id`, and
// attaches `object` to it. The created window, or null after showing the creation failure.
HWND CreateWindowObject(HINSTANCE instance, HWND parent, const WindowClassInfo& classInfo,
                        const WindowCreateInfo& createInfo, void* object, int id = 0);

// Keeps `object` in the window's user data.
void AttachWindowObject(HWND window, void* object);

// The object attached to `window`, or null while none is.
template <class Object>
Object* FindWindowObject(HWND window)
{
    return reinterpret_cast<Object*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Shows an English failure text of window setup, caption "Error".
void ShowWindowError(HWND owner, const char* text);
