// The main loop's key handling: selection moves and actions.
#include "key_handling.h"

KeyOutcome HandleKey(uint16_t key, uint16_t& selected, uint16_t buttonCount) {
    switch (key) {
    case VirtualKeyReturn:
        return KeyOutcome::ActivateButton;
    case VirtualKeyEscape:
        return KeyOutcome::Exit;
    case VirtualKeyUp:
        selected = static_cast<uint16_t>(selected - 1);
        if (selected < 1)
            selected = buttonCount;
        return KeyOutcome::Nothing;
    case VirtualKeyDown:
        selected = static_cast<uint16_t>(selected + 1);
        if (selected > buttonCount)
            selected = 1;
        return KeyOutcome::Nothing;
    default:
        return KeyOutcome::Nothing;
    }
}
