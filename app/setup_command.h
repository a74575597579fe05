// What the setup was asked to do on its command line. Portable.
//
//   setup                        the window
//   setup /install [/quiet]      install without the window, then end
//   setup /uninstall [/quiet]    uninstall without the window or a question, then end
//   setup /?                     the list of switches
// Switches ignore case, and "-" works as "/". /quiet means no box at all.
#pragma once
#include "command_line.h"

enum class SetupAction { Window, Install, Uninstall, Help, Invalid };

struct SetupCommand {
    SetupAction Action;
    bool Quiet;
    // For Invalid: the first argument not understood, as it stands on the command line.
    CommandArgument Offending;
};

// Reads a whole command line as GetCommandLineA returns it. Anything but the switches above,
// a second /install or /uninstall, or /quiet without either is Invalid; /? wins over the
// others when all are understood.
SetupCommand ParseSetupCommandLine(const char* commandLine);
