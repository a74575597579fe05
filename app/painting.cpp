// The setup window's painting, through the device context kept for the process's life.
#include "painting.h"

#include "colours.h"
#include "pixel_stream.h"
#include "setup_state.h"
#include "texts.h"
#include "wallpaper_stream.h"

namespace {

constexpr LONG PixelsPerMetre = 1800;

// The title's box in the lower right, and its shadow one pixel right of and below it.
constexpr RECT TitleBox = {250, 179, 350, 249};
constexpr RECT TitleShadowBox = {251, 180, 351, 250};
// Without DT_SINGLELINE, DT_VCENTER has no effect: the title wraps from the box's top.
constexpr UINT TitleFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
constexpr UINT CaptionFormat = DT_CENTER | DT_VCENTER;

// A button's rounded corners, and its caption's band below the button's top edge.
constexpr int CornerWidth = 8, CornerHeight = 20;
constexpr int CaptionTop = 5, CaptionBottom = 25;

void DrawTitle(uint32_t colour, const RECT& box) {
    SetTextColor(WindowDC, colour);
    TextRect = box;
    DrawTextA(WindowDC, TitleText, -1, &TextRect, TitleFormat);
}

void Select(uint16_t button) {
    if (SelectedButton == button)
        return;
    SelectedButton = button;
    DrawButtons();
}

} // namespace

void PrepareBitmapHeader() {
    BitmapHeader.biSize = sizeof BitmapHeader;
    BitmapHeader.biWidth = PictureWidth;
    BitmapHeader.biHeight = -PictureHeight; // rows run top to bottom
    BitmapHeader.biPlanes = 1;
    BitmapHeader.biBitCount = 32;
    BitmapHeader.biCompression = BI_RGB;
    BitmapHeader.biSizeImage = 0;
    BitmapHeader.biXPelsPerMeter = PixelsPerMetre;
    BitmapHeader.biYPelsPerMeter = PixelsPerMetre;
    BitmapHeader.biClrUsed = 0;
    BitmapHeader.biClrImportant = 0;
}

void RepaintWindow() {
    DecodePixelStream(WallpaperStream, PixelBuffer);
    StretchDIBits(WindowDC, 0, 0, PictureWidth, PictureHeight, 0, 0, PictureWidth, PictureHeight,
                  PixelBuffer, reinterpret_cast<const BITMAPINFO*>(&BitmapHeader), DIB_RGB_COLORS,
                  SRCCOPY);
    DrawTitle(TitleShadowColour, TitleShadowBox);
    DrawTitle(TitleColour, TitleBox);
    DrawButtons();
}

void DrawButtons() {
    for (int i = 1; i <= SetupButtonCount; ++i) {
        const ButtonRecord& b = ButtonTable.Entries[i];
        bool selected = i == SelectedButton;
        SelectObject(WindowDC, selected ? SelectedBrush : NormalBrush);
        RoundRect(WindowDC, b.Left, b.Top, b.Right, b.Bottom, CornerWidth, CornerHeight);
        SetTextColor(WindowDC, selected ? SelectedCaptionColour : CaptionColour);
        TextRect = {b.Left, b.Top + CaptionTop, b.Right, b.Top + CaptionBottom};
        DrawTextA(WindowDC, ButtonCaptions[i], -1, &TextRect, CaptionFormat);
    }
}

void SelectButton1() {
    Select(1);
}

void SelectButton2() {
    Select(2);
}

void SelectButton3() {
    Select(3);
}
