// Hit test and placement of the setup window's buttons.
#include "button_panel.h"

int ButtonAt(const ButtonList& table, int buttonCount, int32_t x, int32_t y) {
    for (int i = 1; i <= buttonCount; ++i) {
        const ButtonRecord& b = table.Entries[i];
        if (b.Left <= x && x <= b.Right && b.Top <= y && y <= b.Bottom)
            return i;
    }
    return 0;
}

void PlaceButton(ButtonRecord& button, int i) {
    button.Left = FirstButtonLeft;
    button.Top = static_cast<uint16_t>(FirstButtonTop + (i - 1) * (ButtonHeight + ButtonGap));
    button.Right = static_cast<uint16_t>(button.Left + ButtonWidth);
    button.Bottom = static_cast<uint16_t>(button.Top + ButtonHeight);
}
