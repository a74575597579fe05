// Buffered text outputs of the run-time services.
#include "text_output.h"

#include "file_variable.h"
#include "io_result.h"

#include <string.h>

namespace {

void HandOn(TextOutput& output) {
    if (output.Fill > 0)
        output.Output(output.Buffer, output.Fill);
    output.Fill = 0;
}

bool Writable(const TextOutput& output) {
    if (IoResultCode != IoSuccess)
        return false;
    if (output.Mode == ModeOutput)
        return true;
    IoResultCode = IoNotOpen;
    return false;
}

} // namespace

void OpenTextOutput(TextOutput& output, OutputRoutine write, CloseRoutine close) {
    output.Mode = ModeOutput;
    output.Fill = 0;
    output.Output = write;
    output.Close = close;
}

void WriteText(TextOutput& output, const char* text, uint32_t count) {
    if (!Writable(output))
        return;
    if (count > sizeof output.Buffer - output.Fill)
        HandOn(output);
    while (count > 0) {
        if (output.Fill == sizeof output.Buffer)
            HandOn(output);
        uint32_t room = sizeof output.Buffer - output.Fill;
        uint32_t piece = count < room ? count : room;
        memcpy(output.Buffer + output.Fill, text, piece);
        output.Fill = static_cast<uint16_t>(output.Fill + piece);
        text += piece;
        count -= piece;
    }
}

void WriteString(TextOutput& output, const char* text) {
    WriteText(output, text, static_cast<uint32_t>(strlen(text)));
}

void EndLine(TextOutput& output) {
    WriteText(output, "\r\n", 2);
    if (IoResultCode == IoSuccess)
        HandOn(output);
}

void CloseTextOutput(TextOutput& output) {
    if (!Writable(output))
        return;
    HandOn(output);
    output.Close();
    output.Mode = ModeClosed;
}
