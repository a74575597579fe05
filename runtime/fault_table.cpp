// The exception table and the pending-fault stack.
#include "fault_table.h"

namespace {

constexpr FaultMapping FaultMappings[] = {
    {0x80000004, 217, false}, // single step
    {0xC0000005, 216, false}, // access violation
    {0xC0000006, 217, false}, // in-page error
    {0xC000001D, 217, false}, // illegal instruction
    {0xC000008C, 201, false}, // array bounds exceeded
    {0xC000008D, 216, true},  // floating-point denormal operand
    {0xC000008E, 200, true},  // floating-point division by zero
    {0xC0000090, 207, true},  // floating-point invalid operation
    {0xC0000091, 205, true},  // floating-point overflow
    {0xC0000092, 207, true},  // floating-point stack check
    {0xC0000093, 206, true},  // floating-point underflow
    {0xC0000094, 200, false}, // integer division by zero
    {0xC0000095, 215, false}, // integer overflow
    {0xC0000096, 217, false}, // privileged instruction
    {0xC00000FD, 202, false}, // stack overflow
};

} // namespace

const FaultMapping* FindFaultMapping(uint32_t code) {
    for (const FaultMapping& mapping : FaultMappings)
        if (mapping.Code == code)
            return &mapping;
    return nullptr;
}

bool PushPendingFault(const PendingFault& fault) {
    if (PendingFaultCount == PendingFaultCapacity)
        return false;
    PendingFaults[PendingFaultCount++] = fault;
    return true;
}

PendingFault PopPendingFault() {
    if (PendingFaultCount > 0)
        --PendingFaultCount;
    return PendingFaults[PendingFaultCount];
}
