// The pixels the saver draws into: a top-down 32-bit DIB section's bits, or any buffer laid
// out the same way. Portable.
#pragma once
#include <stdint.h>

// A pixel as a top-down 32-bit DIB holds it: 0x00RRGGBB.
constexpr uint32_t SurfaceColour(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<uint32_t>(red) << 16 | static_cast<uint32_t>(green) << 8 | blue;
}

// Pixels of one surface: Width x Height, rows from the top, Stride pixels apart.
struct PixelSurface {
    uint32_t* Pixels;
    int Width, Height, Stride;
};

// A rectangle of pixels, right and bottom exclusive.
struct PixelRect {
    int Left, Top, Right, Bottom;
};

inline bool IsEmpty(const PixelRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

// The part two rectangles share (empty when none).
PixelRect Intersection(const PixelRect& a, const PixelRect& b);

// The smallest rectangle holding both; an empty one adds nothing.
PixelRect Union(const PixelRect& a, const PixelRect& b);

// Copies the pixels of rect from one surface to another of at least that size, at the same
// place in both. The rectangle must lie inside both.
void CopyPixels(const PixelSurface& to, const PixelSurface& from, const PixelRect& rect);
