#include "driver_remote.h"

#include <commctrl.h>

namespace {

// A few bytes of Quillon's memory, freed again when the buffer goes.
class RemoteBuffer {
public:
    RemoteBuffer(HWND window, SIZE_T size)
    {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_ != nullptr)
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_ != nullptr) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    void* Address() const { return address_; }
    bool Read(void* into, SIZE_T size) const
    {
        SIZE_T got = 0;
        return address_ != nullptr && ReadProcessMemory(process_, address_, into, size, &got) &&
               got == size;
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
};

}  // namespace

bool RemoteItemRect(HWND control, UINT message, WPARAM index, RECT* rect)
{
    RemoteBuffer buffer(control, sizeof(RECT));
    if (buffer.Address() == nullptr) return false;
    if (!SendMessageA(control, message, index, reinterpret_cast<LPARAM>(buffer.Address())))
        return false;
    return buffer.Read(rect, sizeof *rect);
}

std::vector<int> ToolbarCommands(HWND toolbar)
{
    std::vector<int> commands;
    RemoteBuffer buffer(toolbar, sizeof(TBBUTTON));
    if (buffer.Address() == nullptr) return commands;
    int count = int(SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TBBUTTON button = {};
        if (!SendMessageA(toolbar, TB_GETBUTTON, WPARAM(i), reinterpret_cast<LPARAM>(buffer.Address())) ||
            !buffer.Read(&button, sizeof button))
            continue;
        if (!(button.fsStyle & TBSTYLE_SEP)) commands.push_back(button.idCommand);
    }
    return commands;
}

bool ToolbarButtonCenter(HWND toolbar, int command, POINT* at)
{
    LRESULT index = SendMessageA(toolbar, TB_COMMANDTOINDEX, WPARAM(command), 0);
    RECT rect;
    if (index < 0 || !RemoteItemRect(toolbar, TB_GETITEMRECT, WPARAM(index), &rect)) return false;
    at->x = (rect.left + rect.right) / 2;
    at->y = (rect.top + rect.bottom) / 2;
    ClientToScreen(toolbar, at);
    return true;
}

void StatusBarText(HWND statusBar, char* text, int size)
{
    text[0] = '\0';
    LRESULT length = LOWORD(SendMessageA(statusBar, SB_GETTEXTLENGTHA, 0, 0));
    if (length <= 0 || length >= size) return;
    RemoteBuffer buffer(statusBar, SIZE_T(length) + 1);
    if (buffer.Address() == nullptr) return;
    SendMessageA(statusBar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(buffer.Address()));
    if (buffer.Read(text, SIZE_T(length) + 1)) text[length] = '\0';
    else text[0] = '\0';
}
