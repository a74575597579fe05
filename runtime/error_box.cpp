// The message-box writer of the run-time services.
#include "error_box.h"

#include <windows.h>

#include <string.h>

namespace {

constexpr uint32_t ErrorBoxCapacity = 1024;
constexpr uint32_t LineEndsThatShow = 3; // CR LF CR: a line followed by an empty one

char ErrorBoxBuffer[ErrorBoxCapacity + 1];
uint32_t ErrorBoxFill;

void ShowAndEmpty() {
    MessageBoxA(nullptr, ErrorBoxBuffer, "Error", MB_OK);
    ErrorBoxFill = 0;
    ErrorBoxBuffer[0] = '\0';
}

} // namespace

void WriteToErrorBox(const char* text, uint32_t count) {
    uint32_t room = ErrorBoxCapacity - ErrorBoxFill;
    if (count > room)
        count = room;
    memcpy(ErrorBoxBuffer + ErrorBoxFill, text, count);
    ErrorBoxFill += count;
    ErrorBoxBuffer[ErrorBoxFill] = '\0';
    if (ErrorBoxFill <= 3)
        return;
    uint32_t lineEnds = 0;
    while (lineEnds < LineEndsThatShow) {
        char c = ErrorBoxBuffer[ErrorBoxFill - 1 - lineEnds];
        if (c != '\r' && c != '\n')
            break;
        ++lineEnds;
    }
    if (lineEnds == LineEndsThatShow || ErrorBoxFill == ErrorBoxCapacity)
        ShowAndEmpty();
}

void CloseErrorBox() {
    if (ErrorBoxFill > 0)
        ShowAndEmpty();
}
