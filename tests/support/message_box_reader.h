// Reads a message box on the screen as the user sees it, in this process or another one:
// caption, text, buttons, the default button and the icon, and answers it.
#pragma once
#include "setup_boxes.h"

#include <windows.h>

#include <string>
#include <vector>

struct MessageBoxView {
    HWND Window = nullptr;
    std::string Caption;
    std::string Text;
    std::vector<int> Buttons; // control ids in tab order: IDOK, IDCANCEL, ...
    int DefaultButton = 0;    // the button drawn as default, 0 when none
    UINT Icon = 0; // MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK or 0

    // The MB_ flags that would show this box: buttons, icon and default button.
    UINT Flags() const;
    // What the box shows, for ShowsBox; not shown when no box was found.
    SeenBox Seen() const;
};

// Waits up to milliseconds for a top-level message box with exactly this caption (any
// message box when caption is null) and reads it. Window is null when none appeared.
MessageBoxView WaitForMessageBox(const char* caption, DWORD milliseconds);

// Presses a button of the box (IDOK, IDCANCEL, ...), or closes it as the title bar's close
// button or Escape would when button is 0.
void AnswerMessageBox(HWND box, int button);
