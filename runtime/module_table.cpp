// Module initialisation, exit procedures and finalisation.
#include "module_table.h"

void InitialiseModules(const ModuleEntry* table, int count) {
    for (int i = 0; i < count; ++i) {
        RunProcedure(table[i].Initialise);
        InitialisedCount = i + 1;
    }
}

void RunExitProcedures() {
    while (ExitProcedure) {
        IoResultCode = 0;
        Procedure next = ExitProcedure;
        ExitProcedure = nullptr;
        next();
    }
}

void FinaliseModules(const ModuleEntry* table) {
    while (InitialisedCount > 0) {
        --InitialisedCount;
        RunProcedure(table[InitialisedCount].Finalise);
    }
}
