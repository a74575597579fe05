// Windows that tests make to stand in for another program's: a class of their own on the
// system's default window procedure, and a window of it.
#pragma once
#include <windows.h>

struct PlainWindow {
    const char* ClassName; // registered once per process
    const char* Caption;
    int Left, Top, Width, Height; // on the screen
    DWORD ExStyle = 0;
    HBRUSH Background = nullptr; // none: the window's background is left unpainted
    HCURSOR Cursor = nullptr;    // none: the pointer keeps the shape it has
    DWORD Style = WS_POPUP | WS_VISIBLE;
};

// Registers the window's class (once) and makes the window; null when it cannot be made.
HWND MakePlainWindow(const PlainWindow& window);
