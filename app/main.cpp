// The program's entry point: the runtime has constructed the global objects by now.
#include "app/entry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return QuillonMain(instance);
}
