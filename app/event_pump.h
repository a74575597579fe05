// The event pump: fetches and dispatches the window's messages itself (the window class has
// only the default window procedure) and reacts to them over a button table, until a key
// goes down. The last message fetched stays in PumpMessage (setup_state.h).
#pragma once
#include "button_panel.h"

#include <windows.h>

// What RunEventPump returns when the window can no longer deliver messages: it was destroyed
// (for example by the default handling of Alt+F4). No key has this code.
constexpr uint16_t PumpWindowGone = 0;

// Runs the pump over its own copy of table until a WM_KEYDOWN arrives and returns its
// virtual-key code. On a paint request it updates the window and runs entry 0's OnClick; on
// a mouse move over one of buttons 1..buttonCount it sets that button's cursor and runs its
// OnHover; on a left-button release it runs the OnClick of the button found by the last
// mouse move. Empty slots are skipped.
uint16_t RunEventPump(HWND window, uint16_t buttonCount, ButtonList table);
