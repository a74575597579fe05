// Painting the setup window straight onto its device context: the wallpaper, the title with
// its shadow, and the three buttons with the selected one highlighted. Also the hover
// procedures, which move the selection.
#pragma once
#include <windows.h>
#include <stdint.h>

constexpr int PictureWidth = 366;
constexpr int PictureHeight = 275;
constexpr uint32_t PixelBufferSize = PictureWidth * PictureHeight * 4; // 402,600 bytes

// The wallpaper, decoded anew at every full repaint: rows from the top, each pixel blue,
// green, red, 0.
extern uint8_t PixelBuffer[PixelBufferSize];
// The buffer's description for the system: 366 x 275 (rows from the top), 32 bits a pixel.
extern BITMAPINFOHEADER BitmapHeader;
// The rectangle every text is drawn in.
extern RECT TextRect;

// Fills BitmapHeader; start-up does this once.
void PrepareBitmapHeader();

// Full repaint: decodes the wallpaper into PixelBuffer, copies it one to one to the client
// area's top-left corner, draws the title's shadow and the title, then the buttons.
void RepaintWindow();

// Draws the three buttons only.
void DrawButtons();

// Hover procedures of buttons 1 to 3: select the button and redraw the buttons, unless it is
// already selected. The wallpaper is not redrawn.
void SelectButton1();
void SelectButton2();
void SelectButton3();
