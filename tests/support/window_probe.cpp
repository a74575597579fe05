// Test helper: describes a top-level window of any process, found by its exact caption.
//   window_probe <caption> [seconds]
// Prints class=, caption=, frame=x,y,w,h, client=x,y,w,h (screen coordinates), style=0x..,
// exstyle=0x.., caption_height= and frame_border= (the system's metrics), and foreground= (1 when
// it is the foreground window) lines. Exit status
// 0, or 3 when no such window appeared in time.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: window_probe <caption> [seconds]\n");
        return 2;
    }
    DWORD wait = argc > 2 ? static_cast<DWORD>(atof(argv[2]) * 1000) : 10000;
    DWORD start = GetTickCount();
    HWND window;
    while ((window = FindWindowA(nullptr, argv[1])) == nullptr) {
        if (GetTickCount() - start > wait) {
            fprintf(stderr, "window_probe: no window captioned '%s' within %lu ms\n", argv[1],
                    static_cast<unsigned long>(wait));
            return 3;
        }
        Sleep(50);
    }
    char name[256] = "", caption[256] = "";
    GetClassNameA(window, name, sizeof name);
    GetWindowTextA(window, caption, sizeof caption);
    RECT frame, client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    printf("class=%s\ncaption=%s\n", name, caption);
    printf("frame=%ld,%ld,%ld,%ld\n", frame.left, frame.top, frame.right - frame.left,
           frame.bottom - frame.top);
    printf("client=%ld,%ld,%ld,%ld\n", origin.x, origin.y, client.right, client.bottom);
    printf("style=0x%08lX\nexstyle=0x%08lX\n", GetWindowLongA(window, GWL_STYLE),
           GetWindowLongA(window, GWL_EXSTYLE));
    printf("caption_height=%d\nframe_border=%d\n", GetSystemMetrics(SM_CYCAPTION),
           GetSystemMetrics(SM_CXDLGFRAME));
    printf("foreground=%d\n", GetForegroundWindow() == window);
    return 0;
}
