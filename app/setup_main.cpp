// The setup program's main procedure, entered once after the runtime's start-up: the window,
// or an unattended run when the command line asks for one.
#include "process.h"
#include "setup_command.h"
#include "start_up.h"
#include "unattended_run.h"

#include <windows.h>

void MainProcedure() {
    SetupCommand command = ParseSetupCommandLine(GetCommandLineA());
    if (command.Action != SetupAction::Window)
        RunUnattended(command);
    HandOverToRunningSetup();
    PrepareSetupState();
    CreateSetupWindow();
    EndWhenTheWindowGoes();
    RunMainLoop();
}
