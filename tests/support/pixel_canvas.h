// Pixels that Windows tests draw or copy into and read back as 0x00RRGGBB, rows from the top:
// a window's client area, the screen under a window, an icon drawn on a background.
#pragma once
#include <windows.h>

#include <stdint.h>

#include <vector>

// A picture of 32-bit pixels in memory with a device context of its own.
class PixelCanvas {
  public:
    PixelCanvas(int width, int height);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    // The device context to draw into; null when the canvas could not be made.
    HDC Dc() const {
        return dc_;
    }
    // Copies the canvas's size from source, starting at (left, top) there.
    void CopyFrom(HDC source, int left, int top);
    // Every pixel, once what was drawn has reached the canvas.
    std::vector<uint32_t> Pixels() const;

  private:
    int width_, height_;
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    const uint32_t* bits_ = nullptr;
};

// The pixels of window's client area as the screen shows them now.
std::vector<uint32_t> ScreenPixels(HWND window);
