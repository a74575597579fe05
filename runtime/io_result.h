// The process-wide I/O result register: how a failed file operation reports, and how the
// caller reads the report. Portable.
#pragma once
#include <stdint.h>

// Result codes of the file services besides the system's own.
enum : uint16_t {
    IoSuccess = 0,
    IoFileNotFound = 2,
    IoAccessDenied = 5,
    IoNotBound = 102,
    IoNotOpen = 103,
};

// OpenModeSetting's value outside the back-trace reader's own open: read and write access,
// no sharing.
constexpr uint8_t DefaultOpenMode = 2;

// The file services as the process starts: no code pending, no system error, and opens with
// read and write access and no sharing (OpenModeSetting 2). Start-up runs this; so do tests
// that use the file services without it. (Set here rather than as initial values, which would
// cost the program a data section of its own.)
void ResetIoServices();

// Returns IoResultCode and clears it.
uint16_t TakeIoResult();

// The result code for a system error: the device errors 19 to 31 become 150 to 162, a
// sharing violation (32) becomes 5, anything else keeps its low 16 bits.
uint16_t IoResultFromSystemError(uint32_t systemError);

// IoResultCode := the code for LastSystemError; LastSystemError := 0.
void MapLastSystemError();
