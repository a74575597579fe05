// The saver's windows: one on each monitor (or one inside a preview), each with an off-screen
// picture that its scene keeps up to date. Only the rectangles a scene reports as changed are
// copied to the window, straight through the window's own device context rather than by way
// of a paint request, so a sweeping second hand costs little.
#include "saver_window.h"

#include "pointer_watch.h"
#include "saver_resources.h"
#include "saver_scene.h"
#include "saver_texts.h"

namespace {

constexpr char SaverClassName[] = "FlarvexClockSaver";
constexpr char WindowLibrary[] = "user32.dll";
constexpr char MonitorEnumerationName[] = "EnumDisplayMonitors";
constexpr UINT_PTR ClockTimerId = 1;
constexpr UINT MillisecondsPerSecond = 1000;
// A once-a-second timer is set to fire this long after the next second begins, so that the
// time read then is already the new second's.
constexpr UINT TickMargin = 15;
// How often a preview looks whether its parent window is still there.
constexpr UINT ParentCheckInterval = 500;
constexpr int SurfaceBitsPerPixel = 32;
constexpr UINT SystemCommandMask = 0xFFF0;
constexpr int MaxScreens = 16;

// A DIB section selected into a memory device context, and its pixels.
struct Surface {
    HDC Dc;
    HBITMAP Bitmap;
    HGDIOBJ DefaultBitmap;
    PixelSurface Pixels;
};

// One window and what it shows: a monitor's, or the preview's.
struct ScreenWindow {
    HWND Window;
    HDC WindowDC; // the class's own: kept for the window's life
    RECT Bounds;  // the monitor, in screen coordinates
    Surface Picture;
    Surface Cache;
    SaverScene Scene;
};

// Everything the saver keeps; one saver per process.
struct SaverWindowState {
    bool FullScreen;
    bool Ending;
    HWND PreviewParent;
    PointerWatch Pointer;
    SaverSettings Settings;
    int ScreenCount;
    ScreenWindow Screens[MaxScreens];
};

SaverWindowState State;

void ReleaseSurface(Surface& surface) {
    if (surface.Dc != nullptr) {
        SelectObject(surface.Dc, surface.DefaultBitmap);
        DeleteDC(surface.Dc);
    }
    if (surface.Bitmap != nullptr)
        DeleteObject(surface.Bitmap);
    surface = {};
}

// Makes a surface of width x height. Without one (too large for the memory left) the window
// is painted plainly and the saver still ends as it should.
void CreateSurface(Surface& surface, int width, int height) {
    ReleaseSurface(surface);
    if (width <= 0 || height <= 0)
        return;
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // rows from the top
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = SurfaceBitsPerPixel;
    format.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (bitmap == nullptr)
        return;
    HDC dc = CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        DeleteObject(bitmap);
        return;
    }
    surface = {dc,
               bitmap,
               SelectObject(dc, bitmap),
               {static_cast<uint32_t*>(pixels), width, height, width}};
}

ScreenWindow* ScreenOf(HWND window) {
    for (int i = 0; i < State.ScreenCount; ++i)
        if (State.Screens[i].Window == window)
            return &State.Screens[i];
    return nullptr;
}

DialTime TimeNow() {
    SYSTEMTIME local;
    GetLocalTime(&local);
    return {local.wHour, local.wMinute, local.wSecond, local.wMilliseconds};
}

// Makes the window's picture for its client size and draws the clock into it.
void StartScreen(ScreenWindow& screen) {
    if (screen.WindowDC == nullptr)
        screen.WindowDC = GetDC(screen.Window);
    RECT client;
    GetClientRect(screen.Window, &client);
    CreateSurface(screen.Picture, client.right, client.bottom);
    int cacheSize = SceneCacheSize(State.Settings, client.right, client.bottom, State.FullScreen);
    CreateSurface(screen.Cache, cacheSize, cacheSize);
    if (screen.Picture.Dc != nullptr)
        StartScene(screen.Scene, State.Settings, State.FullScreen, screen.Picture.Pixels,
                   screen.Cache.Pixels, TimeNow());
    InvalidateRect(screen.Window, nullptr, FALSE);
}

// Wine draws a child of another process's window off screen, so a preview would stay blank
// there; the picture also goes through the parent's device context, onto the same pixels.
void ShowThroughParent(HWND window, const Surface& picture) {
    HDC dc = GetDCEx(State.PreviewParent, nullptr, DCX_CACHE);
    if (dc == nullptr)
        return;
    POINT origin = {0, 0};
    MapWindowPoints(window, State.PreviewParent, &origin, 1);
    BitBlt(dc, origin.x, origin.y, picture.Pixels.Width, picture.Pixels.Height, picture.Dc, 0, 0,
           SRCCOPY);
    ReleaseDC(State.PreviewParent, dc);
}

// Brings every screen's picture to the present and copies what changed to the windows.
void AdvanceScreens() {
    DialTime now = TimeNow();
    for (int i = 0; i < State.ScreenCount; ++i) {
        ScreenWindow& screen = State.Screens[i];
        if (screen.Picture.Dc == nullptr)
            continue;
        PixelRect changed[SceneChangeLimit];
        int count = AdvanceScene(screen.Scene, now, changed);
        for (int c = 0; c < count; ++c) {
            const PixelRect& r = changed[c];
            BitBlt(screen.WindowDC, r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top,
                   screen.Picture.Dc, r.Left, r.Top, SRCCOPY);
        }
        if (count > 0 && !State.FullScreen)
            ShowThroughParent(screen.Window, screen.Picture);
    }
}

// A preview, a few dozen pixels high, has its second hand step once a second.
bool Sweeping() {
    return State.FullScreen && State.Settings.Style == ClockStyle::Clockwork &&
           State.Settings.SecondHand;
}

// A sweeping second hand wants a steady stream of pictures; anything else one picture at the
// start of each second, so the clock never lags or skips one.
void ScheduleTick(HWND window) {
    if (Sweeping()) {
        SetTimer(window, ClockTimerId, SweepInterval, nullptr);
        return;
    }
    SYSTEMTIME local;
    GetLocalTime(&local);
    SetTimer(window, ClockTimerId, MillisecondsPerSecond - local.wMilliseconds + TickMargin,
             nullptr);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const RECT& r = paint.rcPaint;
    ScreenWindow* screen = ScreenOf(window);
    HDC picture = screen != nullptr ? screen->Picture.Dc : nullptr;
    if (picture != nullptr)
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, picture, r.left, r.top,
               SRCCOPY);
    else
        PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, BLACKNESS);
    EndPaint(window, &paint);
    if (!State.FullScreen && picture != nullptr)
        ShowThroughParent(window, screen->Picture);
}

// Full screen, the process simply ends with its windows: destroying an activated window
// first would gain nothing, and under X without a window manager the hide would wait for a
// withdrawal notice that never comes. A preview goes the usual way, from WM_DESTROY.
void EndSaver(HWND window) {
    if (State.Ending)
        return;
    State.Ending = true;
    if (State.FullScreen)
        PostQuitMessage(0);
    else
        DestroyWindow(window);
}

// The full-screen saver's own reactions: input that ends it, a hidden pointer, no second saver.
// Returns whether it handled message, with the answer in result.
bool HandleFullScreenMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT& result) {
    result = 0;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEWHEEL:
        EndSaver(window);
        return true;
    case WM_MOUSEMOVE: {
        // Client coordinates, signed, made screen coordinates: the pointer may pass from one
        // monitor's window to another's.
        ScreenWindow* screen = ScreenOf(window);
        int left = screen != nullptr ? screen->Bounds.left : 0;
        int top = screen != nullptr ? screen->Bounds.top : 0;
        if (PointerMovedAway(State.Pointer, left + static_cast<short>(LOWORD(lParam)),
                             top + static_cast<short>(HIWORD(lParam))))
            EndSaver(window);
        return true;
    }
    case WM_ACTIVATEAPP:
        // Activation passing between the saver's own windows does not count.
        if (wParam == FALSE)
            EndSaver(window);
        return true;
    case WM_SETCURSOR:
        SetCursor(nullptr);
        result = TRUE;
        return true;
    case WM_SYSCOMMAND:
        // Already saving the screen: no second saver.
        return (wParam & SystemCommandMask) == SC_SCREENSAVE;
    default:
        return false;
    }
}

LRESULT CALLBACK SaverWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result;
    if (State.FullScreen && HandleFullScreenMessage(window, message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_NCCREATE: {
        // Which screen the window is for, so its first messages find their picture.
        auto index = reinterpret_cast<intptr_t>(
            reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        State.Screens[index].Window = window;
        break;
    }
    case WM_SIZE:
        if (ScreenWindow* screen = ScreenOf(window))
            StartScreen(*screen);
        return 0;
    case WM_TIMER:
        if (wParam != ClockTimerId)
            break;
        AdvanceScreens();
        if (!Sweeping())
            ScheduleTick(window);
        return 0;
    case WM_ERASEBKGND:
        return TRUE; // the picture covers every pixel
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_DESTROY:
        KillTimer(window, ClockTimerId);
        if (ScreenWindow* screen = ScreenOf(window)) {
            ReleaseSurface(screen->Picture);
            ReleaseSurface(screen->Cache);
        }
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterSaverClass(HINSTANCE instance) {
    WNDCLASSA saverClass = {};
    saverClass.style = CS_OWNDC;
    saverClass.lpfnWndProc = SaverWindowProcedure;
    saverClass.hInstance = instance;
    saverClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(SAVER_ICON_ID));
    saverClass.lpszClassName = SaverClassName;
    return RegisterClassA(&saverClass) != 0;
}

// Makes the window of screen index over rect, as a child of parent when one is given.
HWND CreateScreenWindow(HINSTANCE instance, int index, const RECT& rect, HWND parent) {
    State.Screens[index].Bounds = rect;
    State.ScreenCount = index + 1;
    DWORD style = parent != nullptr ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE;
    DWORD extended = parent != nullptr ? 0 : WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    HWND window = CreateWindowExA(extended, SaverClassName, SaverCaption, style, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                  nullptr, instance, reinterpret_cast<void*>(intptr_t{index}));
    if (window == nullptr)
        State.ScreenCount = index;
    return window;
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, RECT* rect, LPARAM instance) {
    if (State.ScreenCount >= MaxScreens)
        return FALSE;
    CreateScreenWindow(reinterpret_cast<HINSTANCE>(instance), State.ScreenCount, *rect, nullptr);
    return TRUE;
}

// Whether a thread timer's message says that the preview has lost its parent. The preview's
// window can go down with its parent without a word to this thread (when the parent's process
// is killed), and the window's own timer with it, so a timer of the thread's checks instead.
bool PreviewOrphaned(const MSG& message, HWND window) {
    return message.hwnd == nullptr && message.message == WM_TIMER &&
           (!IsWindow(State.PreviewParent) || !IsWindow(window));
}

int RunMessageLoop(HWND window) {
    ScheduleTick(window);
    if (!State.FullScreen)
        SetTimer(nullptr, 0, ParentCheckInterval, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0 && !PreviewOrphaned(message, window))
        DispatchMessageA(&message);
    return 0;
}

// A window on every monitor. The system is asked for its monitors only when the saver runs:
// EnumDisplayMonitors came with Windows 98 and 2000, and a program that imports it by name
// does not load on the older systems its header admits, which show one screen.
void CreateMonitorWindows(HINSTANCE instance) {
    using MonitorEnumeration = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
    MonitorEnumeration enumerate =
        reinterpret_cast<MonitorEnumeration>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleA(WindowLibrary), MonitorEnumerationName)));
    if (enumerate != nullptr)
        enumerate(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(instance));
    if (State.ScreenCount > 0)
        return;
    // No monitor reported: the whole virtual screen as one, or the screen where the system
    // knows no virtual screen.
    RECT all = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    if (all.right == 0 || all.bottom == 0)
        all = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    all.right += all.left;
    all.bottom += all.top;
    CreateScreenWindow(instance, 0, all, nullptr);
}

} // namespace

int RunFullScreenSaver(HINSTANCE instance, const SaverSettings& settings) {
    State.FullScreen = true;
    State.Settings = settings;
    if (!RegisterSaverClass(instance))
        return 1;
    CreateMonitorWindows(instance);
    if (State.ScreenCount == 0)
        return 1;
    HWND first = State.Screens[0].Window;
    // Where the pointer is now is where it started: a window that appears under a still
    // pointer may not be told the position at all, or only after the user moved it.
    POINT pointer;
    if (GetCursorPos(&pointer))
        PointerMovedAway(State.Pointer, pointer.x, pointer.y);
    // The class has no cursor, so the pointer disappears as soon as it is over a window; the
    // calls here hide it at once and keep it hidden whatever else sets one.
    ShowCursor(FALSE);
    SetCursor(nullptr);
    SetForegroundWindow(first);
    return RunMessageLoop(first);
}

int RunSaverPreview(HINSTANCE instance, HWND parent, const SaverSettings& settings) {
    // The desktop never goes away, and a preview in it would never end.
    if (parent == nullptr || parent == GetDesktopWindow() || !RegisterSaverClass(instance))
        return 1;
    State.PreviewParent = parent;
    State.Settings = settings;
    RECT client;
    GetClientRect(parent, &client);
    HWND window = CreateScreenWindow(instance, 0, client, parent);
    if (window == nullptr)
        return 1;
    return RunMessageLoop(window);
}
