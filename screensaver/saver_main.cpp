// The screen saver's entry point: reads the command line and does what Windows asked for.
// The program has no C runtime; SaverEntry is where the process starts.
#include "saver_arguments.h"
#include "saver_window.h"
#include "settings_dialog.h"
#include "settings_store.h"

#include <windows.h>

#include <stdint.h>

namespace {

// The window a number on the command line names, or null when it names none: a dialog given
// a stale owner would not show at all.
HWND ExistingWindow(uint32_t number) {
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(number));
    return number != 0 && IsWindow(window) ? window : nullptr;
}

int RunSaver(const SaverRequest& request, HINSTANCE instance) {
    switch (request.Mode) {
    case SaverMode::FullScreen:
        return RunFullScreenSaver(instance, LoadSettings());
    case SaverMode::Preview:
        return RunSaverPreview(instance, ExistingWindow(request.Window), LoadSettings());
    case SaverMode::Settings:
        break;
    }
    return RunSettingsDialog(instance, ExistingWindow(request.Window));
}

} // namespace

extern "C" [[noreturn]] void SaverEntry() {
    SaverRequest request = ParseSaverCommandLine(GetCommandLineA());
    ExitProcess(static_cast<UINT>(RunSaver(request, GetModuleHandleA(nullptr))));
}
