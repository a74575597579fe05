// The I/O result register and the mapping of system errors into it.
#include "io_result.h"

#include "runtime_state.h"

namespace {
constexpr uint32_t ErrorWriteProtect = 19;
constexpr uint32_t ErrorGenFailure = 31;
constexpr uint32_t ErrorSharingViolation = 32;
constexpr uint32_t DeviceErrorBase = 131; // 19 .. 31 map to 150 .. 162
} // namespace

void ResetIoServices() {
    IoResultCode = IoSuccess;
    LastSystemError = 0;
    OpenModeSetting = DefaultOpenMode;
}

uint16_t TakeIoResult() {
    uint16_t code = IoResultCode;
    IoResultCode = 0;
    return code;
}

uint16_t IoResultFromSystemError(uint32_t systemError) {
    if (systemError >= ErrorWriteProtect && systemError <= ErrorGenFailure)
        return static_cast<uint16_t>(systemError + DeviceErrorBase);
    if (systemError == ErrorSharingViolation)
        return IoAccessDenied;
    return static_cast<uint16_t>(systemError);
}

void MapLastSystemError() {
    IoResultCode = IoResultFromSystemError(LastSystemError);
    LastSystemError = 0;
}
