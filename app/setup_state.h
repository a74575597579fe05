// All state of the setup application, declared in one place (defined in setup_state.cpp).
// It lives for the whole process. Handles are opaque values at the platform's full width.
#pragma once
#include <stdint.h>
#include "button_panel.h"
#include "file_variable.h"
#include "length_prefixed_string.h"

extern uint16_t SelectedButton;         // the highlighted button, 1..3
extern LengthPrefixedString TargetPath; // Windows directory + "\" + the file name
extern FileVariable ProbeFile;          // holds the installed file open while found
extern uint16_t InstallState;           // 0: found and held; else the probe's code, or 1
extern const char* ButtonCaptions[SetupButtonCount + 1]; // 1..3
extern void* NormalBrush;                                // buttons that are not selected
extern void* SelectedBrush;                              // the selected button
extern void* HintCursor;                                 // shown over the buttons
extern ButtonList ButtonTable;                           // entry 0: the window; 1..3: the buttons
extern void* MainWindow;
extern void* WindowDC;   // taken once, never released
extern uint16_t LastKey; // the key the event pump returned last
