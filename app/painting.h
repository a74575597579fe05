// Painting the setup window straight onto its device context: the wallpaper, the title with
// its shadow, and the three buttons with the selected one highlighted. Also the hover
// procedures, which move the selection.
#pragma once

// Fills BitmapHeader; start-up does this once.
void PrepareBitmapHeader();

// Full repaint: decodes the wallpaper into PixelBuffer, copies it one to one to the client
// area's top-left corner, draws the title's shadow and the title, then the buttons.
void RepaintWindow();

// Draws the three buttons only, over the button table's rectangles.
void DrawButtons();

// Hover procedures of buttons 1 to 3: select the button and redraw the buttons, unless it is
// already selected. The wallpaper is not redrawn.
void SelectButton1();
void SelectButton2();
void SelectButton3();
