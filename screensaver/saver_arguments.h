// What the screen saver was asked to do, read from its command line. Portable.
//
// Windows starts a screen saver with one of:
//   /s            run full screen
//   /p <window>   draw a preview inside <window> (also /p:<window>)
//   /c[:<window>] show the settings, owned by <window> when given; also no argument at all
// The letter may come in either case and after "-" instead of "/". Anything else is taken as
// a request for the settings.
#pragma once
#include <stdint.h>

enum class SaverMode { Settings, FullScreen, Preview };

struct SaverRequest {
    SaverMode Mode;
    // The window handle given with /p or /c as its decimal value; 0 when none was given or
    // the text was not a whole number that fits in 32 bits.
    uint32_t Window;
};

// Reads a whole command line as GetCommandLineA returns it: the program name (quoted or not)
// comes first and is skipped. Never reads past the terminating NUL.
SaverRequest ParseSaverCommandLine(const char* commandLine);
