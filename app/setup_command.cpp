// Reading the setup's command line.
#include "setup_command.h"

SetupCommand ParseSetupCommandLine(const char* commandLine) {
    SetupCommand command = {SetupAction::Window, false, {nullptr, 0}};
    CommandArgument quiet = {nullptr, 0};
    bool help = false;
    const char* at = FirstArgument(commandLine);
    while (*at != '\0') {
        CommandArgument argument = NextArgument(at);
        bool install = IsSwitch(argument, "install");
        if (IsSwitch(argument, "quiet")) {
            command.Quiet = true;
            quiet = argument;
        } else if (IsSwitch(argument, "?")) {
            help = true;
        } else if ((install || IsSwitch(argument, "uninstall")) &&
                   command.Action == SetupAction::Window) {
            command.Action = install ? SetupAction::Install : SetupAction::Uninstall;
        } else if (command.Offending.Length == 0) {
            command.Offending = argument;
        }
    }
    // /quiet alone asks for nothing that could be done quietly.
    if (command.Offending.Length == 0 && !help && command.Quiet &&
        command.Action == SetupAction::Window)
        command.Offending = quiet;
    if (command.Offending.Length > 0)
        command.Action = SetupAction::Invalid;
    else if (help)
        command.Action = SetupAction::Help;
    return command;
}
