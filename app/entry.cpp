#include "app/entry.h"

#include "app/keys.h"
#include "app/main_window.h"
#include "kit/status_bar.h"
#include "views/auto_scroll.h"
#include "views/canvas.h"

LoopPass RunLoopPass(int* quitCode)
{
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!GetMessageA(&message, nullptr, 0, 0)) {
            *quitCode = int(message.wParam);
            return LoopPass::Quit;
        }
        if (TranslateProgramKeys(&message)) return LoopPass::Dispatched;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        return LoopPass::Dispatched;
    }
    if (g_appActive) {
        g_bmpChild.AnimStep();
        g_autoScroll.Tick();
        return LoopPass::Stepped;
    }
    ShowHeldStatusText();
    WaitMessage();
    return LoopPass::Waited;
}

int RunMessageLoop()
{
    int quitCode = 0;
    while (RunLoopPass(&quitCode) != LoopPass::Quit) {
    }
    return quitCode;
}

int QuillonMain(HINSTANCE instance)
{
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) return 0;
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    return RunMessageLoop();
}
