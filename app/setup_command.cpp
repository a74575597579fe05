// Reading the setup's command line.
#include "setup_command.h"

namespace {

// The action a switch asks for; Window for /quiet and for anything that is no switch.
SetupAction ActionOf(const CommandArgument& argument) {
    if (IsSwitch(argument, "install"))
        return SetupAction::Install;
    if (IsSwitch(argument, "uninstall"))
        return SetupAction::Uninstall;
    return IsSwitch(argument, "?") ? SetupAction::Help : SetupAction::Window;
}

} // namespace

SetupCommand ParseSetupCommandLine(const char* commandLine) {
    SetupCommand command = {SetupAction::Window, false, {nullptr, 0}};
    CommandArgument quiet = {nullptr, 0};
    const char* at = FirstArgument(commandLine);
    while (*at != '\0') {
        CommandArgument argument = NextArgument(at);
        SetupAction action = ActionOf(argument);
        if (IsSwitch(argument, "quiet")) {
            command.Quiet = true;
            quiet = argument;
        } else if (action != SetupAction::Window && command.Action == SetupAction::Window) {
            command.Action = action;
        } else if (command.Offending.Length == 0) {
            command.Offending = argument;
        }
    }
    // None of the switches: no request at all, but a file dropped onto the program or the rest
    // of a path with a blank that was not quoted.
    if (command.Action == SetupAction::Window && !command.Quiet)
        return {SetupAction::Window, false, {nullptr, 0}};
    // /quiet alone asks for nothing that could be done quietly.
    if (command.Offending.Length == 0 && command.Action == SetupAction::Window)
        command.Offending = quiet;
    if (command.Offending.Length > 0)
        command.Action = SetupAction::Invalid;
    return command;
}
