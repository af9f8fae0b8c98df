#include "app/keys.h"

#include "app/main_window.h"
#include "resources/resource.h"

namespace {

HACCEL ProgramKeys()
{
    static HACCEL keys = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_KEYS));
    return keys;
}

bool InsideMainWindow(HWND window)
{
    return g_mainWnd != nullptr && window != nullptr && (window == g_mainWnd || IsChild(g_mainWnd, window));
}

}  // namespace

bool TranslateProgramKeys(MSG* message)
{
    if (!InsideMainWindow(message->hwnd) || ProgramKeys() == nullptr) return false;
    return TranslateAcceleratorW(g_mainWnd, ProgramKeys(), message) != 0;
}
