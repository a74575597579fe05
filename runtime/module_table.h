// The sequence around the main procedure: module initialisation in table order, and at exit
// the exit procedures and the finalisation of the initialised modules in reverse order.
// Portable.
#pragma once
#include "runtime_state.h"

struct ModuleEntry {
    Procedure Initialise; // run before the main procedure, when present
    Procedure Finalise;   // run at exit for an initialised entry, when present
};

constexpr int ModuleCount = 5;

// Runs the initialise step of entries 1 to count in order, setting InitialisedCount to the
// entry's number after each.
void InitialiseModules(const ModuleEntry* table, int count);

// While ExitProcedure holds a procedure: clears IoResultCode, empties the slot and calls the
// procedure, which may fill the slot again.
void RunExitProcedures();

// While InitialisedCount > 0: counts it down and runs that entry's finalise step, so only
// the initialised entries are finalised, last first.
void FinaliseModules(const ModuleEntry* table);
