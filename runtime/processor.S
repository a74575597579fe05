# The two places where the runtime must set processor state that C++ cannot reach: the entry
# point, which records the stack segment and clears the frame pointer before the first C++
# frame exists, and the reset of the floating-point unit, for which the compiler has no
# built-in.

    .text

# The process entry point: program flags and the fault filter, the stack segment, a clean
# floating-point unit, and a cleared frame pointer, so that every stack walk ends at the frame
# of RunProgram, which runs the program and never returns.
    .globl _EntryPoint
    .def _EntryPoint; .scl 2; .type 32; .endef
_EntryPoint:
    call _PrepareProcess
    movw %ss, _StackSegment
    call _ResetFloatingPointUnit
    xorl %ebp, %ebp
    call _RunProgram
    ud2 # RunProgram never returns; this keeps its return address inside EntryPoint

# Re-initialises the floating-point unit and loads the control word 0x1332: invalid-operation,
# zero-divide and overflow exceptions unmasked, denormal, underflow and precision masked,
# 64-bit mantissa, round to nearest.
    .globl _ResetFloatingPointUnit
    .def _ResetFloatingPointUnit; .scl 2; .type 32; .endef
_ResetFloatingPointUnit:
    fninit
    pushl $0x1332
    fldcw (%esp)
    addl $4, %esp
    ret
