// A device-independent bitmap selected into a memory device context.
#include "pixel_canvas.h"

PixelCanvas::PixelCanvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height; // rows from the top
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap_ == nullptr) {
        DeleteDC(dc_);
        dc_ = nullptr;
        return;
    }
    bits_ = static_cast<const uint32_t*>(bits);
    old_ = SelectObject(dc_, bitmap_);
}

PixelCanvas::~PixelCanvas() {
    if (dc_ == nullptr)
        return;
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

void PixelCanvas::CopyFrom(HDC source, int left, int top) {
    BitBlt(dc_, 0, 0, width_, height_, source, left, top, SRCCOPY);
}

std::vector<uint32_t> PixelCanvas::Pixels() const {
    if (bits_ == nullptr)
        return {};
    GdiFlush();
    std::vector<uint32_t> pixels(bits_, bits_ + width_ * height_);
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF; // blue, green, red and a byte the drawing leaves undefined
    return pixels;
}

std::vector<uint32_t> ScreenPixels(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    PixelCanvas canvas(client.right, client.bottom);
    HDC screen = GetDC(nullptr);
    canvas.CopyFrom(screen, origin.x, origin.y);
    ReleaseDC(nullptr, screen);
    return canvas.Pixels();
}
