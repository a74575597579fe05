// Install, uninstall and exit.
#include "actions.h"

#include "installed_file.h"
#include "io_result.h"
#include "outcomes.h"
#include "payload.h"
#include "process.h"
#include "profile_digest.h"
#include "setup_state.h"
#include "target_path.h"
#include "text_format.h"
#include "texts.h"

#include <windows.h>

#include <string.h>

namespace {

constexpr char TemporarySuffix[] = ".new";
constexpr char SystemLibrary[] = "kernel32.dll";
constexpr char FinalPathName[] = "GetFinalPathNameByHandleA";
constexpr UINT UninstallQuestionFlags = MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2; // 0x121

using FinalPathProcedure = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);

// Whether the open file is the name path itself rather than a file that a link at path leads
// to. Wine resolves links before it deletes or renames, so erasing a link there erases the
// file it leads to: only the name itself may be erased. The system's answer is looked up when
// it is needed, so that the program loads where it is absent too (before Vista), and there the
// system has no file symbolic links.
bool IsNameItself(HANDLE file, const char* path) {
    FinalPathProcedure finalPathOf =
        reinterpret_cast<FinalPathProcedure>(reinterpret_cast<void (*)()>(
            GetProcAddress(GetModuleHandleA(SystemLibrary), FinalPathName)));
    if (finalPathOf == nullptr)
        return true;
    char finalPath[MAX_PATH];
    DWORD length = finalPathOf(file, finalPath, sizeof finalPath, 0);
    return length != 0 && length < sizeof finalPath && IsFinalPathOf(finalPath, path);
}

// Frees the temporary file's name: a leftover of an install cut short is removed, made
// writable first when it is read-only. Anything that is not a plain file of that name (a
// directory, or a link that leads elsewhere) is left alone, and the name counts as taken.
bool FreeTemporaryName(const char* temporary) {
    HANDLE leftover =
        CreateFileA(temporary, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (leftover == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    bool itself = IsNameItself(leftover, temporary);
    CloseHandle(leftover);
    if (!itself)
        return false;
    if (DeleteFileA(temporary))
        return true;
    return SetFileAttributesA(temporary, FILE_ATTRIBUTE_NORMAL) && DeleteFileA(temporary);
}

// Writes the payload beside the installed file, in a file of its own made for this install,
// and moves it into the file's place only once it is complete, so that a failure leaves a
// present screen saver exactly as it was and no temporary file behind. Returns what failed,
// or nullptr.
const Outcome* WritePayloadFile() {
    char temporary[sizeof TargetPath.Chars + sizeof TemporarySuffix];
    *Append(Append(temporary, TargetPath.Chars), TemporarySuffix) = '\0';

    if (!FreeTemporaryName(temporary))
        return &CreateFailed;
    // Made new, never opened: nothing planted at the name between the two steps is written.
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return &CreateFailed;
    bool written =
        WritePayloadChunks(PayloadDescriptor, [file](const uint8_t* bytes, uint16_t count) {
            DWORD done = 0;
            return WriteFile(file, bytes, count, &done, nullptr) && done == count;
        });
    bool closed = CloseHandle(file);
    if (written && closed &&
        MoveFileExA(temporary, TargetPath.Chars,
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return nullptr;
    DeleteFileA(temporary);
    return written && closed ? &ReplaceFailed : &WriteFailed;
}

// Whether system.ini names the installed file as the screen saver, read from the disk; file
// names compare without case, as the system compares them.
bool ProfileNamesInstalledFile() {
    char value[sizeof InstallFileNameText + 1];
    GetPrivateProfileStringA(ProfileSection, ProfileKey, "", value, sizeof value, ProfileFile);
    const char* end = AfterWithoutCase(value, InstallFileNameText);
    return end != nullptr && *end == '\0';
}

// Sums up every section of system.ini, as the profile functions give them, in digest. False
// when the names or a section are more than the room holds: then it cannot be compared.
bool DigestProfile(uint32_t& digest) {
    // The functions answer the room less 2 when what they read does not fit.
    bool whole =
        GetPrivateProfileSectionNamesA(ProfileNames, ProfileRoom, ProfileFile) < ProfileRoom - 2;
    digest = EmptyProfileDigest;
    for (const char* name = ProfileNames; *name; name += strlen(name) + 1) {
        if (GetPrivateProfileSectionA(name, ProfileEntries, ProfileRoom, ProfileFile) >=
            ProfileRoom - 2)
            whole = false;
        digest = DigestProfileSection(digest, name, ProfileEntries);
    }
    return whole;
}

// Makes the installed file the system's screen saver. The system rewrites the whole of
// system.ini to change one entry, and a process ended during that rewrite can leave it
// empty, so an entry that already names the file is not written again. The write's own
// answer can be TRUE when the disk was full, and a full disk can cut off the end of the file
// while the entry, near its start, survives: once the system has written its cached copy of
// the file to disk (a request whose result tells nothing), the entry is read back and every
// other section must read as it did before.
const Outcome* RegisterScreenSaver() {
    if (ProfileNamesInstalledFile())
        return nullptr;
    uint32_t before, after;
    bool comparable = DigestProfile(before);
    WritePrivateProfileStringA(ProfileSection, ProfileKey, InstallFileNameText, ProfileFile);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ProfileFile);
    return ProfileNamesInstalledFile() && comparable && DigestProfile(after) && after == before
               ? nullptr
               : &ProfileFailed;
}

// After an erase that reported success, whether the name is really gone: a system may
// accept the deletion and then fail to remove the name when the last handle closes.
bool InstalledFileGone() {
    return GetFileAttributesA(TargetPath.Chars) == INVALID_FILE_ATTRIBUTES &&
           GetLastError() == ERROR_FILE_NOT_FOUND;
}

void LetGoOfInstalledFile() {
    if (InstallState == 0) {
        CloseFileVariable(ProbeFile);
        InstallState = 1;
    }
}

} // namespace

void Report(const Outcome& outcome) {
    if (!QuietRun)
        MessageBoxA(nullptr, outcome.Text, outcome.Caption, outcome.Flags);
}

const Outcome& Install() {
    if (InstallState == 0) {
        CloseFileVariable(ProbeFile);
        InstallState = 1;
    }
    PreparePayload();
    const Outcome* failure = WritePayloadFile();
    if (failure == nullptr)
        failure = RegisterScreenSaver();
    return failure ? *failure : Installed;
}

const Outcome& Uninstall() {
    if (InstallState != 0)
        return NotFound;
    // A link planted at the installed name: the file it leads to is someone else's.
    if (!IsNameItself(ProbeFile.Handle, TargetPath.Chars))
        return RemoveFailed;
    CloseFileVariable(ProbeFile);
    EraseNamedFile(ProbeFile);
    if (TakeIoResult() == 0 && InstalledFileGone()) {
        InstallState = 1;
        return Removed;
    }
    // The file may still be there: hold it again if it is, so the state tells the truth.
    ProbeInstalledFile();
    return RemoveFailed;
}

// The box comes before the new probe, and a failed install's caption follows the probe.
void InstallAction() {
    const Outcome& outcome = Install();
    Report(outcome);
    ProbeInstalledFile();
    bool installed = outcome.ExitCode == ExitDone || InstallState == 0;
    ButtonCaptions[1] = installed ? ReinstallCaption : InstallCaption;
}

void UninstallAction() {
    if (InstallState == 0 && MessageBoxA(nullptr, UninstallQuestionText, UninstallQuestionCaption,
                                         UninstallQuestionFlags) != IDOK)
        return;
    Report(Uninstall());
}

void LeaveSetup() {
    LetGoOfInstalledFile();
    HaltProcess(0);
}

// The window's end reaches LeaveSetup, which finds the file let go of already.
void ExitAction() {
    LetGoOfInstalledFile();
    DestroyWindow(MainWindow);
    HaltProcess(0);
}
