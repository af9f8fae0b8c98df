#include "app/entry.h"

#include <algorithm>

#include "app/keys.h"
#include "app/main_window.h"
#include "app/open_files.h"
#include "kit/clock.h"
#include "kit/status_bar.h"
#include "views/auto_scroll.h"
#include "views/canvas.h"

DWORD LoopWaitTime()
{
    if (!g_appActive) return INFINITE;
    return std::min({g_bmpChild.NextFrameIn(), g_autoScroll.NextStepIn(), HeldStatusTextDueIn()});
}

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
    // Paced playback holds a 1 ms timer period, so that frames come when due; anything else
    // gives it back.
    const BmpChildWindow& canvas = g_bmpChild;
    UseFineTimer(g_appActive && canvas.playing && !canvas.paused && canvas.fps != 0);
    const DWORD wait = LoopWaitTime();
    if (wait == 0) {
        g_bmpChild.AnimStep();
        g_autoScroll.Tick();
        if (HeldStatusTextDueIn() == 0) ShowHeldStatusText();
        return LoopPass::Stepped;
    }
    // Nothing else would show a text held back before the next message.
    if (wait == INFINITE) ShowHeldStatusText();
    // Any message in the queue ends the wait, also one that arrived before it began.
    MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return LoopPass::Waited;
}

int RunMessageLoop()
{
    int quitCode = 0;
    while (RunLoopPass(&quitCode) != LoopPass::Quit) {
    }
    UseFineTimer(false);
    return quitCode;
}

int QuillonMain(HINSTANCE instance)
{
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) return 0;
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    OpenNamedFiles(window, CommandLineFiles(GetCommandLineW()));
    return RunMessageLoop();
}
