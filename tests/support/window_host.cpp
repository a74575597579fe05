// Test helper: a plain white window that another program is given to draw in, as a screen
// saver is given the preview in the display settings.
//   window_host
// Prints the window's handle in decimal once it is shown. A line "destroy" on its standard input
// destroys the window while the helper lives on; it ends when its standard input (when that is
// a pipe) closes, or after 60 s.
#include "plain_window.h"

#include <stdio.h>
#include <string.h>

namespace {

// The little monitor picture of the display settings, where the preview is drawn.
constexpr int HostLeft = 200, HostTop = 150, HostWidth = 152, HostHeight = 112;

// A command line as it arrives on input.
struct Command {
    char Text[64];
    size_t Length;
};

// Carries out the commands that have arrived on input, without waiting for more; false once
// input has closed.
bool ReadCommands(HANDLE input, Command& command, HWND window) {
    DWORD available = 0;
    if (!PeekNamedPipe(input, nullptr, 0, nullptr, &available, nullptr))
        return false;
    for (; available > 0; --available) {
        char c;
        DWORD read = 0;
        if (!ReadFile(input, &c, 1, &read, nullptr) || read != 1)
            return false;
        if (c != '\n' && c != '\r' && command.Length + 1 < sizeof command.Text) {
            command.Text[command.Length++] = c;
            continue;
        }
        command.Text[command.Length] = '\0';
        if (strcmp(command.Text, "destroy") == 0)
            DestroyWindow(window);
        command.Length = 0;
    }
    return true;
}

} // namespace

int main() {
    HWND window =
        MakePlainWindow({"WindowHost", "Window host", HostLeft, HostTop, HostWidth, HostHeight, 0,
                         static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))});
    if (window == nullptr)
        return 1;
    printf("%lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(window)));
    fflush(stdout);
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    bool watchInput = GetFileType(input) == FILE_TYPE_PIPE;
    Command command = {};
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 60000) {
        if (watchInput && !ReadCommands(input, command, window))
            break;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return 0;
}
