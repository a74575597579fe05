// The run-time services' own text outputs (standard output and standard error). Text
// collects in each output's 256-character buffer and goes to the output routine when a write
// does not fit, when a line ends and when the output is closed. Writing and closing share
// the file services' result gate: while a code is pending they do nothing. Portable.
#pragma once
#include <stdint.h>

using OutputRoutine = void (*)(const char* text, uint32_t count);
using CloseRoutine = void (*)();

struct TextOutput {
    uint32_t Mode; // ModeOutput while open, ModeClosed after close
    uint16_t Fill;
    OutputRoutine Output;
    CloseRoutine Close;
    char Buffer[256];
};

// Opens the output for writing with the given routines; pending text is dropped.
void OpenTextOutput(TextOutput& output, OutputRoutine write, CloseRoutine close);

// Gated. Appends count characters, handing the buffer on first when they do not fit.
void WriteText(TextOutput& output, const char* text, uint32_t count);

// Gated. Writes a NUL-terminated text.
void WriteString(TextOutput& output, const char* text);

// Gated. Ends the line with CR LF and hands the pending text on.
void EndLine(TextOutput& output);

// Gated. Hands the pending text on, runs the close routine and marks the output closed;
// closing an output that is not open gives code 103.
void CloseTextOutput(TextOutput& output);
