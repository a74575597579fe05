// The event pump over the button table.
#include "event_pump.h"

#include "setup_state.h"

uint16_t RunEventPump(HWND window, uint16_t buttonCount, ButtonList table) {
    int hot = 0;
    // The first pass hit-tests the point left over from the previous call.
    PumpMessage.message = WM_MOUSEMOVE;
    for (;;) {
        switch (PumpMessage.message) {
        case WM_PAINT:
            UpdateWindow(window);
            RunProcedure(table.Entries[0].OnClick);
            break;
        case WM_MOUSEMOVE:
            hot = ButtonAt(table, buttonCount, PumpMessage.pt.x, PumpMessage.pt.y);
            if (hot > 0) {
                const ButtonRecord& button = table.Entries[hot];
                if (button.Cursor)
                    SetCursor(static_cast<HCURSOR>(button.Cursor));
                RunProcedure(button.OnHover);
            }
            break;
        case WM_LBUTTONUP:
            // No hit test here: the click goes to the button of the last mouse move.
            if (hot > 0)
                RunProcedure(table.Entries[hot].OnClick);
            break;
        }
        // With a window filter, fetching fails at once when the window is gone; without this
        // check the pump would act on the same stale message forever.
        if (GetMessageA(&PumpMessage, window, 0, 0) <= 0)
            return PumpWindowGone;
        TranslateMessage(&PumpMessage);
        DispatchMessageA(&PumpMessage);
        ScreenToClient(window, &PumpMessage.pt);
        if (PumpMessage.message == WM_KEYDOWN)
            return static_cast<uint16_t>(PumpMessage.wParam);
    }
}
