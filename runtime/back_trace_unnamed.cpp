// The back trace of a program that ships: stripped of its symbols, it has no names to add, and
// carries no code to look them up. Linked in place of back_trace_names.cpp.
#include "back_trace_reader.h"

void WriteFunctionName(TextOutput&, ImageView, uint32_t) {}
