// Making a test's plain window.
#include "plain_window.h"

HWND MakePlainWindow(const PlainWindow& window) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = window.Background;
    windowClass.hCursor = window.Cursor;
    windowClass.lpszClassName = window.ClassName;
    // A second registration of the same class fails harmlessly; the first one stands.
    RegisterClassA(&windowClass);
    return CreateWindowExA(window.ExStyle, window.ClassName, window.Caption, window.Style,
                           window.Left, window.Top, window.Width, window.Height, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}
