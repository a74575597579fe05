// The setup window's painting, through the device context kept for the process's life.
#include "painting.h"

#include "colours.h"
#include "pixel_stream.h"
#include "setup_state.h"
#include "texts.h"
#include "wallpaper_stream.h"

alignas(16) uint8_t PixelBuffer[PixelBufferSize];
BITMAPINFOHEADER BitmapHeader;
RECT TextRect;

namespace {

constexpr LONG PixelsPerMetre = 1800;

// The title's box in the lower right, and its shadow one pixel right of and below it.
constexpr RECT TitleBox = {250, 179, 350, 249};
constexpr RECT TitleShadowBox = {251, 180, 351, 250};
// Without DT_SINGLELINE, DT_VCENTER has no effect: the title wraps from the box's top.
constexpr UINT TitleFormat = DT_CENTER | DT_VCENTER | DT_WORDBREAK;
constexpr UINT CaptionFormat = DT_CENTER | DT_VCENTER;

// The buttons as drawn: the same rectangles as the hit areas, in the drawing's own numbers.
constexpr int ButtonLeft = 35, ButtonRight = 110, FirstButtonY = 30, ButtonStep = 60;
constexpr int ButtonDrawnHeight = 30, CornerWidth = 8, CornerHeight = 20;
constexpr int CaptionTop = 5, CaptionBottom = 25; // below the button's top edge

HDC Dc() {
    return static_cast<HDC>(WindowDC);
}

void DrawTitle(uint32_t colour, const RECT& box) {
    SetTextColor(Dc(), colour);
    TextRect = box;
    DrawTextA(Dc(), TitleText, -1, &TextRect, TitleFormat);
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
    StretchDIBits(Dc(), 0, 0, PictureWidth, PictureHeight, 0, 0, PictureWidth, PictureHeight,
                  PixelBuffer, reinterpret_cast<const BITMAPINFO*>(&BitmapHeader), DIB_RGB_COLORS,
                  SRCCOPY);
    DrawTitle(TitleShadowColour, TitleShadowBox);
    DrawTitle(TitleColour, TitleBox);
    DrawButtons();
}

void DrawButtons() {
    for (int i = 1, y = FirstButtonY; i <= SetupButtonCount; ++i, y += ButtonStep) {
        bool selected = i == SelectedButton;
        SelectObject(Dc(), static_cast<HBRUSH>(selected ? SelectedBrush : NormalBrush));
        RoundRect(Dc(), ButtonLeft, y, ButtonRight, y + ButtonDrawnHeight, CornerWidth,
                  CornerHeight);
        SetTextColor(Dc(), selected ? SelectedCaptionColour : CaptionColour);
        TextRect = {ButtonLeft, y + CaptionTop, ButtonRight, y + CaptionBottom};
        DrawTextA(Dc(), ButtonCaptions[i], -1, &TextRect, CaptionFormat);
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
