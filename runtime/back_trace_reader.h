// The back-trace routine that names code: installed in BackTraceLine at start-up. On its first
// use it opens the program's own file; when the file carries debugging symbols, every line
// then adds the name of the function that holds the address, otherwise the file is closed and
// the plain form serves all lines from then on.
#pragma once
#include "image_symbols.h"
#include "text_output.h"

#include <stdint.h>

// Writes the back-trace line for address: the plain form, then, for code the program's
// symbols name, two blanks, the function's name, "+0x" and the distance into it in hex.
void WriteNamedBackTraceLine(TextOutput& output, uintptr_t address);

// Closes the program's file when the routine holds it open.
void ReleaseProgramFile();

// Writes two blanks, the name of the function that holds rva (an address less the image's
// base) in the program file image, "+0x" and the distance into it in hex; nothing when no
// function holds it. Two definitions: the runtime's own (back_trace_names.cpp) looks the name
// up; the programs that ship link back_trace_unnamed.cpp instead, since they carry no symbols
// to name code with and so need no code to read them.
void WriteFunctionName(TextOutput& output, ImageView image, uint32_t rva);
