// What the main loop does with the key the event pump returned. Portable.
#pragma once
#include <stdint.h>

// Virtual-key codes the main loop acts on.
constexpr uint16_t VirtualKeyReturn = 13;
constexpr uint16_t VirtualKeyEscape = 27;
constexpr uint16_t VirtualKeyUp = 38;
constexpr uint16_t VirtualKeyDown = 40;

enum class KeyOutcome {
    Nothing,        // also after Up and Down, which only move the selection
    ActivateButton, // Enter: run the selected button's action
    Exit,           // Escape
};

// Moves selected (1..buttonCount) for Up and Down, wrapping around, and tells what else the
// key asks for.
KeyOutcome HandleKey(uint16_t key, uint16_t& selected, uint16_t buttonCount);
