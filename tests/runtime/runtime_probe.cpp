// Test program built on the real start-up, exit and fault handling. Its main procedure reports
// what it finds on standard output (the pipe it was given), then ends as its command line asks:
//   report            write the start-up state, then return from the main procedure
//   halt <code>       register an exit procedure, then HaltProcess(code)
//   error <number>    halt with a pending run-time error, as a fault would
//   write <text>      write text to the runtime's standard output without a line end, halt 0
//   overfill          write a line and then 1,100 characters without a line end, say "written"
//                     once the writes return, halt 0
//   gated             leave I/O code 103 pending, write a report-like text, halt 0
//   fault <kind>      fault in a nested call: access, divide, float, stack, illegal,
//                     overflow, bounds, or window (an access violation in a window procedure
//                     called by the message pump); "fault access gated" faults with code 103
//                     pending
// It is built twice: stripped, as the setup program is, and with debugging symbols.
#include "error_report.h"
#include "io_result.h"
#include "process.h"
#include "runtime_state.h"

#include <windows.h>

namespace {

void Say(const char* text) {
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, lstrlenA(text), &written, nullptr);
}

void SayNumber(const char* name, uint32_t value) {
    char line[64];
    wsprintfA(line, "%s=%lu\n", name, static_cast<unsigned long>(value));
    Say(line);
}

const char* Argument(const char* commandLine, int index) {
    const char* at = commandLine;
    for (int i = 0; i <= index; ++i) {
        bool quoted = false;
        while (*at && (quoted || *at != ' ')) {
            if (*at == '"')
                quoted = !quoted;
            ++at;
        }
        while (*at == ' ')
            ++at;
    }
    return at;
}

// Whether the argument at text is word (followed by a blank or the end).
bool Is(const char* text, const char* word) {
    while (*word && *text == *word)
        ++text, ++word;
    return *word == '\0' && (*text == '\0' || *text == ' ');
}

uint32_t Number(const char* text) {
    uint32_t value = 0;
    while (*text >= '0' && *text <= '9')
        value = value * 10 + static_cast<uint32_t>(*text++ - '0');
    return value;
}

void ExitProcedureSays() {
    Say("exit procedure ran\n");
}

} // namespace

// The faults, each in a procedure of its own called from NestedCall. The volatile locals give
// the procedures a frame and keep the compiler from working out the faulting operation. C
// names, so that the symbol build's back trace can be checked by name.
extern "C" {

volatile uintptr_t Zero = 0;

__attribute__((noinline)) void FaultAccess() {
    volatile int value = 1;
    *reinterpret_cast<volatile int*>(Zero) = value;
}

__attribute__((noinline)) void FaultDivide() {
    volatile int dividend = 1, divisor = static_cast<int>(Zero);
    dividend = dividend / divisor;
}

__attribute__((noinline)) void FaultFloat() {
    volatile double dividend = 1.0, divisor = static_cast<double>(Zero);
    dividend = dividend / divisor;
}

// Each level keeps a frame of a few hundred bytes, still in use after the call below it, until
// the stack runs out.
__attribute__((noinline)) char FaultStack(uintptr_t depth) {
    volatile char frame[256];
    frame[0] = static_cast<char>(depth);
    if (depth != ~Zero)
        frame[1] = FaultStack(depth + 1);
    return frame[0];
}

__attribute__((noinline)) void FaultIllegal() {
    asm volatile("ud2");
}

__attribute__((noinline)) void FaultOverflow() {
    asm volatile("movl $0x7FFFFFFF, %%eax\n\taddl $1, %%eax\n\tinto" ::: "eax", "cc");
}

__attribute__((noinline)) void FaultBounds() {
    static const int32_t bounds[2] = {0, 1};
    asm volatile("movl $2, %%eax\n\tbound %%eax, %0" ::"m"(bounds) : "eax");
}

// A window procedure that faults when the message pump hands it WM_USER.
LRESULT CALLBACK FaultingWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_USER)
        FaultAccess();
    return DefWindowProcA(window, message, wParam, lParam);
}

__attribute__((noinline)) void FaultInWindowProcedure() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = FaultingWindowProcedure;
    windowClass.hInstance = static_cast<HINSTANCE>(ModuleInstance);
    windowClass.lpszClassName = "FaultingWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "FaultingWindow", "", 0, 0, 0, 10, 10, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
    PostMessageA(window, WM_USER, 0, 0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
}

__attribute__((noinline)) void NestedCall(const char* kind) {
    if (Is(kind, "window"))
        FaultInWindowProcedure();
    else if (Is(kind, "access"))
        FaultAccess();
    else if (Is(kind, "divide"))
        FaultDivide();
    else if (Is(kind, "float"))
        FaultFloat();
    else if (Is(kind, "stack"))
        FaultStack(0);
    else if (Is(kind, "illegal"))
        FaultIllegal();
    else if (Is(kind, "overflow"))
        FaultOverflow();
    else if (Is(kind, "bounds"))
        FaultBounds();
    Say("no fault\n");
}

} // extern "C"

void MainProcedure() {
    uint16_t controlWord = 0;
    asm volatile("fnstcw %0" : "=m"(controlWord));
    const uintptr_t* frame = static_cast<const uintptr_t*>(__builtin_frame_address(0));
    const uintptr_t* caller = reinterpret_cast<const uintptr_t*>(frame[0]);

    const char* command = Argument(GetCommandLineA(), 0);
    const char* value = Argument(GetCommandLineA(), 1);
    if (Is(command, "report")) {
        SayNumber("initialised", InitialisedCount);
        SayNumber("instance_is_module", ModuleInstance == GetModuleHandleA(nullptr));
        SayNumber("previous_instance", reinterpret_cast<uintptr_t>(PreviousInstance));
        SayNumber("io_result", IoResultCode);
        SayNumber("open_mode", OpenModeSetting);
        SayNumber("version_recorded", WindowsVersion == GetVersion());
        SayNumber("module_ready", ModuleReady);
        SayNumber("console_program", ConsoleProgram);
        // Bit 6 of the control word is reserved and reads as 1.
        SayNumber("control_word", controlWord & ~0x40u);
        SayNumber("frame_above_main", caller[0]);
        uint16_t ss;
        asm volatile("movw %%ss, %0" : "=r"(ss));
        SayNumber("stack_segment_recorded", StackSegment == ss);
        return; // the exit sequence runs with ProcessExitCode 0
    }
    ExitProcedure = ExitProcedureSays;
    if (Is(command, "error")) {
        ErrorNumber = static_cast<uint16_t>(Number(value));
        ErrorAddress = 0x00401234;
        ErrorFrame = reinterpret_cast<uintptr_t>(frame);
        HaltProcess(static_cast<uint8_t>(ErrorNumber));
    }
    if (Is(command, "write")) {
        WriteString(StandardOutput, value);
        HaltProcess(0);
    }
    if (Is(command, "overfill")) {
        WriteString(StandardOutput, "line");
        EndLine(StandardOutput);
        char piece[1100];
        for (char& c : piece)
            c = 'x';
        WriteText(StandardOutput, piece, sizeof piece);
        Say("written\n");
        HaltProcess(0);
    }
    if (Is(command, "gated")) {
        IoResultCode = IoNotOpen;
        WriteString(StandardOutput, "not shown");
        EndLine(StandardOutput);
        EndLine(StandardOutput);
        HaltProcess(0);
    }
    if (Is(command, "fault")) {
        // An exit procedure would clear the code before the report.
        if (Is(Argument(GetCommandLineA(), 2), "gated"))
            IoResultCode = IoNotOpen, ExitProcedure = nullptr;
        NestedCall(value);
        HaltProcess(1);
    }
    HaltProcess(static_cast<uint8_t>(Number(value)));
}
