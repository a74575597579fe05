// Every end an install, an uninstall or an unattended run can come to: the box that tells the
// user, and the exit code a command line ends with (the README lists them). Win32.
#pragma once
#include "texts.h"

#include <windows.h>

#include <stdint.h>

// The flags of every box below fit in a byte.
struct Outcome {
    const char* Text;
    const char* Caption;
    uint8_t Flags;
    uint8_t ExitCode;
};

// Exit codes of a command-line run.
enum : uint8_t {
    ExitDone = 0,
    ExitNothingToUninstall = 2,
    ExitNoWindowsDirectory = 3, // the file services' "path not found"
    ExitCreateFailed = 10,
    ExitWriteFailed = 11,
    ExitReplaceFailed = 12,
    ExitProfileFailed = 13,
    ExitRemoveFailed = 14,
    ExitSetupRunning = 15,
    ExitCommandLineNotUnderstood = 87, // the system's "the parameter is incorrect"
};

inline constexpr Outcome Installed = {InstalledText, InstalledCaption, MB_OK, ExitDone};
inline constexpr Outcome CreateFailed = {CreateFailedText, ErrorCaption, MB_ICONEXCLAMATION,
                                         ExitCreateFailed};
inline constexpr Outcome WriteFailed = {WriteFailedText, ErrorCaption, MB_ICONEXCLAMATION,
                                        ExitWriteFailed};
inline constexpr Outcome ReplaceFailed = {ReplaceFailedText, ErrorCaption, MB_ICONEXCLAMATION,
                                          ExitReplaceFailed};
inline constexpr Outcome ProfileFailed = {ProfileFailedText, ErrorCaption, MB_ICONEXCLAMATION,
                                          ExitProfileFailed};
inline constexpr Outcome NotFound = {NotFoundText, NotFoundCaption, MB_ICONEXCLAMATION,
                                     ExitNothingToUninstall};
inline constexpr Outcome Removed = {RemovedText, RemovedCaption, MB_OK, ExitDone};
inline constexpr Outcome RemoveFailed = {RemoveFailedText, ErrorCaption, MB_ICONEXCLAMATION,
                                         ExitRemoveFailed};
inline constexpr Outcome SetupRunning = {SetupRunningText, ErrorCaption, MB_ICONEXCLAMATION,
                                         ExitSetupRunning};
