// A run from the command line, without the window: install or uninstall, the list of
// switches, or the report of an argument not understood.
#pragma once
#include "setup_command.h"

// Does what command asks for (any action but Window), tells the outcome in its box unless
// the command is quiet, and ends the process with the outcome's exit code. A setup that runs
// already is not handed over to: nothing is touched.
[[noreturn]] void RunUnattended(const SetupCommand& command);
