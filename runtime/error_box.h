// The message-box writer: where standard output and standard error lead in this GUI program.
// Text collects in ErrorBoxBuffer (1,024 characters) and is shown in a box captioned "Error"
// once it ends with three line-end characters (a line and an empty line), when the buffer is
// full, and when an output closes; what does not fit a full buffer is lost.
#pragma once
#include <stdint.h>

void WriteToErrorBox(const char* text, uint32_t count);
void CloseErrorBox();
