// The setup run from the command line.
#include "unattended_run.h"

#include "actions.h"
#include "process.h"
#include "setup_state.h"
#include "start_up.h"
#include "text_format.h"

#include <string.h>

namespace {

// Room for the argument named in the box; a longer one is cut.
constexpr uint32_t ShownArgumentRoom = 160;

// Names the argument the command line does not understand.
void ReportOffending(const CommandArgument& argument) {
    char text[sizeof UnknownArgumentText + ShownArgumentRoom + sizeof SwitchesHintText];
    char* end = Append(text, UnknownArgumentText);
    uint32_t shown = argument.Length < ShownArgumentRoom ? argument.Length : ShownArgumentRoom;
    end = static_cast<char*>(memcpy(end, argument.Text, shown)) + shown;
    *Append(end, SwitchesHintText) = '\0';
    MessageBoxA(nullptr, text, WindowCaption, MB_ICONEXCLAMATION);
}

} // namespace

void RunUnattended(const SetupCommand& command) {
    QuietRun = command.Quiet;
    if (command.Action == SetupAction::Help) {
        if (!QuietRun)
            MessageBoxA(nullptr, SwitchesText, TitleText, MB_ICONINFORMATION);
        HaltProcess(ExitDone);
    }
    if (command.Action == SetupAction::Invalid) {
        if (!QuietRun)
            ReportOffending(command.Offending);
        HaltProcess(ExitCommandLineNotUnderstood);
    }
    if (!TakeSetupPlace()) {
        Report(SetupRunning);
        HaltProcess(SetupRunning.ExitCode);
    }
    FindInstalledFile();
    const Outcome& outcome = command.Action == SetupAction::Install ? Install() : Uninstall();
    Report(outcome);
    HaltProcess(outcome.ExitCode);
}
