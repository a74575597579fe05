// Test helper: renders a button caption the way a button of the setup window shows it, through
// DrawTextA with the device context's default font, so that a test can compare the screen
// with text it rendered itself.
//   caption_render <text> <fill RRGGBB> <text RRGGBB>
// Prints "<width> <height>" and then one line of RRGGBB values per row of a button.
#include "setup_look.h"

#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

namespace {
COLORREF Colour(const char* hex) {
    unsigned long rgb = strtoul(hex, nullptr, 16);
    return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: caption_render <text> <fill RRGGBB> <text RRGGBB>\n");
        return 2;
    }
    const int width = look::CaptionWidth, height = look::CaptionHeight;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    SelectObject(dc, bitmap);
    HBRUSH fill = CreateSolidBrush(Colour(argv[2]));
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, fill);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Colour(argv[3]));
    RECT text = {0, 5, width, 25};
    DrawTextA(dc, argv[1], -1, &text, DT_CENTER | DT_VCENTER);
    printf("%d %d\n", width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            printf("%02X%02X%02X ", GetRValue(c), GetGValue(c), GetBValue(c));
        }
        printf("\n");
    }
    return 0;
}
