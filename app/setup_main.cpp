#include "process.h"
void MainProcedure() { HaltProcess(7); }
