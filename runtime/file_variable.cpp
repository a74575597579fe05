// File variable operations over kernel32, with the result gate and the error mapping.
#include "file_variable.h"

#include "io_result.h"

#include <windows.h>

namespace {

constexpr int32_t OpenRecordSize = 128;

// OpenModeSetting's low two bits choose the access, its high nibble the sharing granted.
constexpr uint8_t AccessMask = 0x03;
constexpr uint8_t ShareDenyNone = 0x40;

struct AccessChoice {
    DWORD Access;
    uint32_t Mode;
};
constexpr AccessChoice AccessChoices[] = {
    {GENERIC_READ, ModeInput},
    {GENERIC_WRITE, ModeOutput},
    {GENERIC_READ | GENERIC_WRITE, ModeInOut},
};

bool IsOpenMode(uint32_t mode) {
    return mode == ModeInput || mode == ModeOutput || mode == ModeInOut;
}

// Gives back the variable's handle, unless it is a console's, and marks the variable closed.
void ReleaseHandle(FileVariable& file) {
    if (GetFileType(file.Handle) != FILE_TYPE_CHAR)
        CloseHandle(file.Handle);
    file.Mode = ModeClosed;
}

void NormaliseName(FileVariable& file) {
    for (char* c = file.Name; *c; ++c)
        if (*c == '/')
            *c = '\\';
}

void RecordSystemError() {
    LastSystemError = GetLastError();
    MapLastSystemError();
}

} // namespace

void BindFileName(FileVariable& file, const LengthPrefixedString& name) {
    char* bytes = reinterpret_cast<char*>(&file);
    for (unsigned i = 0; i < sizeof file; ++i)
        bytes[i] = 0;
    file.Handle = INVALID_HANDLE_VALUE;
    file.Mode = ModeClosed;
    for (int i = 0; i < name.Length; ++i)
        file.Name[i] = name.Chars[i];
}

void OpenExistingFile(FileVariable& file) {
    if (IoResultCode != IoSuccess)
        return;
    if (IsOpenMode(file.Mode)) {
        ReleaseHandle(file);
    } else if (file.Mode != ModeClosed) {
        IoResultCode = IoNotBound;
        return;
    }
    NormaliseName(file);
    file.Handle = INVALID_HANDLE_VALUE;
    const AccessChoice& choice = AccessChoices[OpenModeSetting & AccessMask];
    DWORD share =
        (OpenModeSetting & 0xF0) == ShareDenyNone ? FILE_SHARE_READ | FILE_SHARE_WRITE : 0;
    file.Mode = choice.Mode; // marked open whatever the system answers
    if (file.Name[0] == '\0') {
        file.Handle = choice.Mode == ModeInput ? StandardInputHandle : StandardOutputHandle;
    } else {
        file.Handle = CreateFileA(file.Name, choice.Access, share, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file.Handle == nullptr || file.Handle == INVALID_HANDLE_VALUE)
            RecordSystemError();
    }
    file.RecordSize = OpenRecordSize;
}

void CloseFileVariable(FileVariable& file) {
    if (IoResultCode != IoSuccess)
        return;
    if (IsOpenMode(file.Mode))
        ReleaseHandle(file);
    else
        IoResultCode = IoNotOpen;
}

void EraseNamedFile(FileVariable& file) {
    if (IoResultCode != IoSuccess || file.Mode != ModeClosed)
        return;
    NormaliseName(file);
    if (!DeleteFileA(file.Name))
        RecordSystemError();
}
