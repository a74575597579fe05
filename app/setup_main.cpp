// The setup program's main procedure, entered once after the runtime's start-up.
#include "process.h"
#include "start_up.h"

void MainProcedure() {
    HandOverToRunningSetup();
    PrepareSetupState();
    CreateSetupWindow();
    RunMainLoop();
}
