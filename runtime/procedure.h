// Procedure slots: a procedure without arguments, or none, run only when set. Portable.
#pragma once

using Procedure = void (*)();

// Runs the slot's procedure when the slot holds one.
inline void RunProcedure(Procedure procedure) {
    if (procedure)
        procedure();
}
