// File variables: a bound name, a handle and an access mode. Every operation that can fail
// leaves its code in IoResultCode instead of reporting it, and while a code is pending the
// gated operations (open, close, erase) do nothing, so the first failure is the one taken.
#pragma once
#include "length_prefixed_string.h"
#include "runtime_state.h"

#include <stdint.h>

// Mode values; any other value (the zeros of a never-bound variable included) means unbound.
enum : uint32_t {
    ModeClosed = 0xD7B0,
    ModeInput = 0xD7B1,
    ModeOutput = 0xD7B2,
    ModeInOut = 0xD7B3,
};

struct FileVariable {
    SystemHandle Handle; // INVALID_HANDLE_VALUE when no file was obtained
    uint32_t Mode;
    int32_t RecordSize; // unit of transfer, 128 after an open
    char Name[256];     // the bound name and a NUL; the rest is zero
};

// Zero-fills the variable and binds it, closed, to name. An open handle is forgotten, not
// closed. Not gated.
void BindFileName(FileVariable& file, const LengthPrefixedString& name);

// Gated. Opens the existing file named by the variable with the access and sharing of
// OpenModeSetting (2: read and write, no sharing), first closing a variable that is open.
// "/" in the name becomes "\". An empty name takes the standard output handle (standard input
// for read access) and succeeds. On failure the variable stays marked open with the handle
// INVALID_HANDLE_VALUE and the system error's code is pending. Unbound: code 102.
void OpenExistingFile(FileVariable& file);

// Gated. Releases the handle of an open variable (a character device's is kept) and marks it
// closed; the handle field keeps its old value. A closed or unbound variable gives code 103.
void CloseFileVariable(FileVariable& file);

// Gated. Deletes the named file when the variable is closed; an open or unbound variable is
// left alone and no code is set.
void EraseNamedFile(FileVariable& file);
