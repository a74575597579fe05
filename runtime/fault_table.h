// Which processor exceptions become which run-time errors, and the faults that the fault filter
// has caught but not yet reported. Portable.
#pragma once
#include "runtime_state.h"

#include <stdint.h>

// Six bytes an entry, packed: the table is constant data in every program that ships.
struct __attribute__((packed)) FaultMapping {
    uint32_t Code;           // the system's exception code
    uint8_t Number;          // the run-time error it becomes
    bool ResetFloatingPoint; // the floating-point unit is re-initialised before the report
};

// The mapping for an exception code, or nullptr when the code is left to the system.
const FaultMapping* FindFaultMapping(uint32_t code);

// Pushes a caught fault on PendingFaults; false, pushing nothing, when all 16 places are taken.
bool PushPendingFault(const PendingFault& fault);

// Pops the newest pending fault. The count never goes below 0: with nothing pending, the
// bottom entry is returned again.
PendingFault PopPendingFault();
