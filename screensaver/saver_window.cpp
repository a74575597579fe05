// The saver's window: an off-screen surface that holds the picture, redrawn on a timer at
// each new second and copied to the window in one piece, so nothing flickers.
#include "saver_window.h"

#include "clock_drift.h"
#include "clock_face.h"
#include "pointer_watch.h"
#include "saver_resources.h"
#include "saver_texts.h"

namespace {

constexpr char SaverClassName[] = "FlarvexClockSaver";
constexpr UINT_PTR ClockTimerId = 1;
constexpr UINT MillisecondsPerSecond = 1000;
// The timer is set to fire this long after the next second begins, so that the time read
// then is already the new second's.
constexpr UINT TickMargin = 15;
// How often a preview looks whether its parent window is still there.
constexpr UINT ParentCheckInterval = 500;
// How much of its screen's width the face takes: large on a monitor, nearly all of a
// preview, which is only a few dozen pixels high.
constexpr int FullScreenFacePercent = 62;
constexpr int PreviewFacePercent = 86;
constexpr int SurfaceBitsPerPixel = 32;
constexpr UINT SystemCommandMask = 0xFFF0;

// Everything the window keeps; one window per process.
struct SaverWindowState {
    bool FullScreen;
    bool Ending;
    HWND PreviewParent;
    PointerWatch Pointer;
    // The picture: a DIB section selected into a memory device context.
    HDC SurfaceDC;
    HBITMAP SurfaceBitmap;
    HGDIOBJ SurfaceDefaultBitmap;
    PixelSurface Surface;
    // The clock: the part of the surface it drifts over, its size and where it is.
    RECT ClockArea;
    int Thickness;
    FaceSize Face;
    Drift Position;
};

SaverWindowState State;

void ReleaseSurface() {
    if (State.SurfaceDC != nullptr) {
        SelectObject(State.SurfaceDC, State.SurfaceDefaultBitmap);
        DeleteDC(State.SurfaceDC);
    }
    if (State.SurfaceBitmap != nullptr)
        DeleteObject(State.SurfaceBitmap);
    State.SurfaceDC = nullptr;
    State.SurfaceBitmap = nullptr;
    State.Surface = {};
}

// Makes a surface of the window's client size. Without one (too large for the memory left)
// the window is painted plainly and the saver still ends as it should.
void CreateSurface(int width, int height) {
    ReleaseSurface();
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
    State.SurfaceBitmap = bitmap;
    State.SurfaceDC = dc;
    State.SurfaceDefaultBitmap = SelectObject(dc, bitmap);
    State.Surface = {static_cast<uint32_t*>(pixels), width, height, width};
}

RECT ClockRectangle() {
    RECT rect;
    rect.left = State.ClockArea.left + State.Position.X;
    rect.top = State.ClockArea.top + State.Position.Y;
    rect.right = rect.left + State.Face.Width;
    rect.bottom = rect.top + State.Face.Height;
    return rect;
}

// Sizes the clock for the area it may use: the primary monitor when full screen (a face
// spread over several monitors would be cut by their frames), the whole window in a preview.
void PlaceClock(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    RECT area = client;
    if (State.FullScreen) {
        POINT origin = {0, 0};
        ScreenToClient(window, &origin);
        RECT primary = {origin.x, origin.y, origin.x + GetSystemMetrics(SM_CXSCREEN),
                        origin.y + GetSystemMetrics(SM_CYSCREEN)};
        if (!IntersectRect(&area, &primary, &client))
            area = client;
    }
    State.ClockArea = area;
    int width = area.right - area.left, height = area.bottom - area.top;
    State.Thickness = FaceThicknessFor(
        width, height, State.FullScreen ? FullScreenFacePercent : PreviewFacePercent);
    State.Face = FaceSizeFor(State.Thickness);
    StartDrift(State.Position, width - State.Face.Width, height - State.Face.Height,
               DriftStepFor(State.Thickness));
    FillRectangle(State.Surface, 0, 0, State.Surface.Width, State.Surface.Height, BackgroundColour);
}

// Draws the current time, first moving the clock one step when drift is set, and marks
// both the old and the new place for painting.
void RedrawClock(HWND window, bool drift) {
    RECT old = ClockRectangle();
    if (drift)
        AdvanceDrift(State.Position,
                     State.ClockArea.right - State.ClockArea.left - State.Face.Width,
                     State.ClockArea.bottom - State.ClockArea.top - State.Face.Height);
    RECT now = ClockRectangle();
    FillRectangle(State.Surface, old.left, old.top, State.Face.Width, State.Face.Height,
                  BackgroundColour);
    SYSTEMTIME local;
    GetLocalTime(&local);
    DrawClockFace(State.Surface, now.left, now.top, State.Thickness,
                  {local.wHour, local.wMinute, local.wSecond});
    InvalidateRect(window, &old, FALSE);
    InvalidateRect(window, &now, FALSE);
}

// Sets the timer for the start of the next second, so the clock never lags or skips one.
void ScheduleTick(HWND window) {
    SYSTEMTIME local;
    GetLocalTime(&local);
    SetTimer(window, ClockTimerId, MillisecondsPerSecond - local.wMilliseconds + TickMargin,
             nullptr);
}

// Wine draws a child of another process's window off screen, so a preview would stay blank
// there; the picture also goes through the parent's device context, onto the same pixels.
void ShowThroughParent(HWND window) {
    HDC dc = GetDCEx(State.PreviewParent, nullptr, DCX_CACHE);
    if (dc == nullptr)
        return;
    POINT origin = {0, 0};
    MapWindowPoints(window, State.PreviewParent, &origin, 1);
    BitBlt(dc, origin.x, origin.y, State.Surface.Width, State.Surface.Height, State.SurfaceDC, 0, 0,
           SRCCOPY);
    ReleaseDC(State.PreviewParent, dc);
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const RECT& r = paint.rcPaint;
    if (State.SurfaceDC != nullptr)
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, State.SurfaceDC, r.left,
               r.top, SRCCOPY);
    else
        PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, BLACKNESS);
    EndPaint(window, &paint);
    if (!State.FullScreen && State.SurfaceDC != nullptr)
        ShowThroughParent(window);
}

// Full screen, the process simply ends with its window: destroying an activated window
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
    case WM_MOUSEMOVE:
        // Client coordinates, signed: the window may start left of or above the primary
        // monitor.
        if (PointerMovedAway(State.Pointer, static_cast<short>(LOWORD(lParam)),
                             static_cast<short>(HIWORD(lParam))))
            EndSaver(window);
        return true;
    case WM_ACTIVATEAPP:
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
    case WM_SIZE: {
        RECT client;
        GetClientRect(window, &client);
        CreateSurface(client.right, client.bottom);
        PlaceClock(window);
        RedrawClock(window, false);
        return 0;
    }
    case WM_TIMER:
        if (wParam != ClockTimerId)
            break;
        RedrawClock(window, true);
        ScheduleTick(window);
        return 0;
    case WM_ERASEBKGND:
        return TRUE; // the surface covers every pixel
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_DESTROY:
        KillTimer(window, ClockTimerId);
        ReleaseSurface();
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterSaverClass(HINSTANCE instance) {
    WNDCLASSA saverClass = {};
    saverClass.lpfnWndProc = SaverWindowProcedure;
    saverClass.hInstance = instance;
    saverClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(SAVER_ICON_ID));
    saverClass.lpszClassName = SaverClassName;
    return RegisterClassA(&saverClass) != 0;
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

} // namespace

int RunFullScreenSaver(HINSTANCE instance) {
    State.FullScreen = true;
    if (!RegisterSaverClass(instance))
        return 1;
    HWND window =
        CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, SaverClassName, SaverCaption,
                        WS_POPUP | WS_VISIBLE, GetSystemMetrics(SM_XVIRTUALSCREEN),
                        GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                        GetSystemMetrics(SM_CYVIRTUALSCREEN), nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    // Where the pointer is now is where it started: a window that appears under a still
    // pointer may not be told the position at all, or only after the user moved it.
    POINT pointer;
    if (GetCursorPos(&pointer) && ScreenToClient(window, &pointer))
        PointerMovedAway(State.Pointer, pointer.x, pointer.y);
    // The class has no cursor, so the pointer disappears as soon as it is over the window;
    // the calls here hide it at once and keep it hidden whatever else sets one.
    ShowCursor(FALSE);
    SetCursor(nullptr);
    SetForegroundWindow(window);
    return RunMessageLoop(window);
}

int RunSaverPreview(HINSTANCE instance, HWND parent) {
    if (parent == nullptr || !RegisterSaverClass(instance))
        return 1;
    State.PreviewParent = parent;
    RECT client;
    GetClientRect(parent, &client);
    HWND window = CreateWindowExA(0, SaverClassName, SaverCaption, WS_CHILD | WS_VISIBLE, 0, 0,
                                  client.right, client.bottom, parent, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    return RunMessageLoop(window);
}
