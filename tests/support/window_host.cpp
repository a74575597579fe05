// Test helper: a plain white window that another program is given to draw in, as a screen
// saver is given the preview in the display settings.
//   window_host
// Prints the window's handle in decimal once it is shown, then keeps it until its standard
// input (when that is a pipe) closes or 60 s pass.
#include <windows.h>
#include <stdio.h>

int main() {
    WNDCLASSA hostClass = {};
    hostClass.lpfnWndProc = DefWindowProcA;
    hostClass.hInstance = GetModuleHandleA(nullptr);
    hostClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    hostClass.lpszClassName = "WindowHost";
    RegisterClassA(&hostClass);
    HWND window =
        CreateWindowExA(0, hostClass.lpszClassName, "Window host", WS_POPUP | WS_VISIBLE, 200, 150,
                        152, 112, nullptr, nullptr, hostClass.hInstance, nullptr);
    if (window == nullptr)
        return 1;
    printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
    fflush(stdout);
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    bool watchInput = GetFileType(input) == FILE_TYPE_PIPE;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 60000) {
        DWORD available = 0;
        if (watchInput && !PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr))
            break;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return 0;
}
