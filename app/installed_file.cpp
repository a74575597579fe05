// Probing the installed screen saver through the file services.
#include "installed_file.h"

#include "io_result.h"
#include "setup_state.h"

void ProbeInstalledFile() {
    OpenExistingFile(ProbeFile);
    InstallState = TakeIoResult();
}
