// Test program built on the real start-up and exit sequence. Its main procedure reports what
// it finds on standard output, then ends as its command line asks:
//   report            write the start-up state, then return from the main procedure
//   halt <code>       register an exit procedure, then HaltProcess(code)
//   error <number>    halt with a pending run-time error, as a fault would
//   write <text>      write text to the runtime's standard output without a line end, halt 0
#include <windows.h>
#include "error_report.h"
#include "process.h"
#include "runtime_state.h"

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
    HaltProcess(static_cast<uint8_t>(Number(value)));
}
