// How the setup window looks, for the tests that read it back: the picture's size, where the
// buttons and the title are (client coordinates, edges included) and their colours as screen
// pixels read back, 0x00RRGGBB. Stated here once and apart from the program's own constants, so
// that a test catches a change to them. Portable.
#pragma once
#include <stdint.h>

namespace look {

constexpr int PictureWidth = 366, PictureHeight = 275;
// The client area under Wine's dialog frame (3 pixels all round) clips the picture.
constexpr int ClientWidth = 360, ClientHeight = 269;

// A rectangle with its right and bottom edges included.
struct Box {
    int Left, Top, Right, Bottom;
    constexpr bool Holds(int x, int y) const {
        return x >= Left && x <= Right && y >= Top && y <= Bottom;
    }
};

// Buttons 1 to 3 as the user counts them, from the top; entry 0 stands for none.
constexpr int ButtonCount = 3;
constexpr Box Buttons[ButtonCount + 1] = {
    {0, 0, -1, -1}, {35, 30, 110, 60}, {35, 90, 110, 120}, {35, 150, 110, 180}};
// A button's caption drawn on its own, as caption_render.exe draws it: the button's size.
constexpr int CaptionWidth = 75, CaptionHeight = 30;
// Where a caption's letters may be, relative to the button's corner: inside its rounded outline.
constexpr Box CaptionBand = {5, 5, 69, 24};
// The same band of button i, in client coordinates.
constexpr Box CaptionBandOf(int i) {
    return {Buttons[i].Left + CaptionBand.Left, Buttons[i].Top + CaptionBand.Top,
            Buttons[i].Left + CaptionBand.Right, Buttons[i].Top + CaptionBand.Bottom};
}
// A point of button i's fill, away from its outline and its caption.
constexpr int FillX(int i) {
    return Buttons[i].Left + 5;
}
constexpr int FillY(int i) {
    return Buttons[i].Top + 3;
}

// The title, and the title with its shadow one pixel right and down.
constexpr Box TitleBox = {250, 179, 350, 249};
constexpr Box TitleArea = {250, 179, 351, 250};

// Whether a pixel of the client area is one that the buttons or the title paint over the
// picture.
constexpr bool InButtonOrTitle(int x, int y) {
    for (int i = 1; i <= ButtonCount; ++i)
        if (Buttons[i].Holds(x, y))
            return true;
    return TitleArea.Holds(x, y);
}

constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
    return red << 16 | green << 8 | blue;
}
constexpr uint32_t NormalFill = Rgb(32, 32, 117), SelectedFill = Rgb(176, 176, 240);
constexpr uint32_t Caption = Rgb(221, 221, 238), SelectedCaption = Rgb(255, 255, 255);
constexpr uint32_t Title = Rgb(255, 255, 64), TitleShadow = Rgb(64, 0, 0);

} // namespace look
