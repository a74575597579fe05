// What the setup was asked to do on its command line. Portable.
//
//   setup                        the window
//   setup /install [/quiet]      install without the window, then end
//   setup /uninstall [/quiet]    uninstall without the window or a question, then end
//   setup /? [/quiet]            the list of switches (none with /quiet)
// Switches ignore case, and "-" works as "/". /quiet means no box at all. A line that holds
// none of the switches opens the window, whatever else it holds.
#pragma once
#include "command_line.h"

enum class SetupAction { Window, Install, Uninstall, Help, Invalid };

struct SetupCommand {
    SetupAction Action;
    bool Quiet;
    // For Invalid: the first argument not understood, as it stands on the command line.
    CommandArgument Offending;
};

// Reads a whole command line as GetCommandLineA returns it. Once one of the switches is there,
// anything else, a second of /install, /uninstall and /?, or /quiet alone is Invalid.
SetupCommand ParseSetupCommandLine(const char* commandLine);
