# The process entry point, in assembly because it sets processor state before the first C++
# frame exists: program flags and the fault filter, the stack segment, a clean floating-point
# unit, and a cleared frame pointer, so that every stack walk ends at the frame of RunProgram,
# which runs the program and never returns.

    .text
    .globl _EntryPoint
    .def _EntryPoint; .scl 2; .type 32; .endef
_EntryPoint:
    call _PrepareProcess
    movw %ss, _StackSegment
    call _ResetFloatingPointUnit
    xorl %ebp, %ebp
    call _RunProgram
    int3 # RunProgram never returns; this keeps its return address inside EntryPoint
