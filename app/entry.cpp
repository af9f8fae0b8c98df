#include "app/entry.h"

#include "app/globals.h"
#include "app/main_window.h"

int RunMessageLoop()
{
    MSG message;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!GetMessageA(&message, nullptr, 0, 0)) return int(message.wParam);
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else if (g_appActive) {
            g_bmpChild.AnimStep();
            g_autoScroll.Tick();
        } else {
            WaitMessage();
        }
    }
}

int QuillonMain(HINSTANCE instance)
{
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) return 0;
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    return RunMessageLoop();
}
