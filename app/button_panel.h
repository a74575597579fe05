// The button table that the event pump works over, and its hit test. Portable.
#pragma once
#include "procedure.h"

#include <stdint.h>

// One entry of the table: an inclusive rectangle in client coordinates, the cursor shown over
// it and two procedure slots, each run only when set.
struct ButtonRecord {
    uint16_t Left;
    uint16_t Top;
    uint16_t Right;
    uint16_t Bottom;
    void* Cursor;      // cursor handle, or none
    Procedure OnClick; // left button released over the button
    Procedure OnHover; // pointer moved over the button
};

// The button table. Entry 0 stands for the window (its OnClick is the full repaint); entries 1..40
// are buttons.
constexpr int ButtonTableSize = 41;
struct ButtonList {
    ButtonRecord Entries[ButtonTableSize];
};

// The first of buttons 1..buttonCount whose rectangle holds (x, y), edges included, or 0.
// Comparisons are signed, so a point left of or above the client area matches nothing.
int ButtonAt(const ButtonList& table, int buttonCount, int32_t x, int32_t y);

// The setup window's button geometry: the first button's corner, each button's size, and the
// gap between one button's bottom edge and the next one's top edge.
constexpr uint16_t FirstButtonLeft = 35;
constexpr uint16_t FirstButtonTop = 30;
constexpr uint16_t ButtonWidth = 75;
constexpr uint16_t ButtonHeight = 30;
constexpr uint16_t ButtonGap = 30;
constexpr int SetupButtonCount = 3;

// Sets the rectangle of button i (1-based) as derived from the geometry above.
void PlaceButton(ButtonRecord& button, int i);
