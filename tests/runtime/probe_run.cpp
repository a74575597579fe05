// Running the runtime's test program and answering its boxes.
#include "probe_run.h"

#include "other_process.h"

namespace {

constexpr DWORD ProbeMilliseconds = 20000;

} // namespace

ProbeOutcome RunProbe(const char* program, const std::string& arguments) {
    ProbeOutcome outcome;
    OtherProcess probe(program, "runtime_probe.exe " + arguments, ErrorOutput::Piped);
    if (!probe.Started())
        return outcome;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ProbeMilliseconds) {
        if (probe.WaitForExit(0)) {
            outcome.Ended = true;
            break;
        }
        MessageBoxView box = WaitForMessageBox("Error", 100);
        if (!box.Window)
            continue;
        outcome.Output += probe.ReadAvailable();
        outcome.Boxes.push_back({box, outcome.Output});
        AnswerMessageBox(box.Window, IDOK);
        // The box is gone before the next one is looked for, so none is counted twice.
        for (DWORD waited = 0; IsWindow(box.Window) && waited < 5000; waited += 10)
            Sleep(10);
    }
    if (!outcome.Ended)
        probe.Kill();
    outcome.ExitCode = probe.ExitCode();
    outcome.Output += probe.ReadAvailable();
    return outcome;
}
