// Install and uninstall.
#include "install_actions.h"
#include <windows.h>

#include "installed_file.h"
#include "io_result.h"
#include "payload.h"
#include "setup_state.h"
#include "text_format.h"
#include "texts.h"

namespace {

constexpr char TemporarySuffix[] = ".new";
constexpr UINT UninstallQuestionFlags = MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2; // 0x121

void Report(const char* text, const char* caption, UINT flags) {
    MessageBoxA(nullptr, text, caption, flags);
}

// Writes the payload beside the installed file and moves it into the file's place only once
// it is complete, so that a failure leaves a present screen saver exactly as it was and no
// temporary file behind. Returns what failed, or nullptr.
const char* WritePayloadFile() {
    char temporary[sizeof TargetPath.Chars + sizeof TemporarySuffix];
    *Append(Append(temporary, TargetPath.Chars), TemporarySuffix) = '\0';

    HFILE file = _lcreat(temporary, 0);
    if (file == HFILE_ERROR)
        return CreateFailedText;
    bool written =
        WritePayloadChunks(PayloadDescriptor, [file](const uint8_t* bytes, uint16_t count) {
            return _lwrite(file, reinterpret_cast<LPCCH>(bytes), count) == count;
        });
    bool closed = _lclose(file) != HFILE_ERROR;
    if (written && closed &&
        MoveFileExA(temporary, TargetPath.Chars,
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return nullptr;
    DeleteFileA(temporary);
    return written && closed ? ReplaceFailedText : WriteFailedText;
}

// Makes the installed file the system's screen saver, then asks the system to write its
// cached copy of the file to disk (a request whose result tells nothing).
const char* RegisterScreenSaver() {
    if (!WritePrivateProfileStringA(ProfileSection, ProfileKey, InstallFileNameText, ProfileFile))
        return ProfileFailedText;
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ProfileFile);
    return nullptr;
}

} // namespace

void InstallAction() {
    if (InstallState == 0) {
        CloseFileVariable(ProbeFile);
        InstallState = 1;
    }
    PreparePayload();
    const char* failure = WritePayloadFile();
    if (failure == nullptr)
        failure = RegisterScreenSaver();
    if (failure != nullptr) {
        Report(failure, ErrorCaption, MB_ICONEXCLAMATION);
        ProbeInstalledFile();
        ButtonCaptions[1] = InstallState == 0 ? ReinstallCaption : InstallCaption;
        return;
    }
    Report(InstalledText, InstalledCaption, MB_OK);
    ButtonCaptions[1] = ReinstallCaption;
    ProbeInstalledFile();
}

void UninstallAction() {
    if (InstallState != 0) {
        Report(NotFoundText, NotFoundCaption, MB_ICONEXCLAMATION);
        return;
    }
    if (MessageBoxA(nullptr, UninstallQuestionText, UninstallQuestionCaption,
                    UninstallQuestionFlags) != IDOK)
        return;
    CloseFileVariable(ProbeFile);
    EraseNamedFile(ProbeFile);
    if (TakeIoResult() == 0) {
        InstallState = 1;
        Report(RemovedText, RemovedCaption, MB_OK);
        return;
    }
    // The file may still be there: hold it again if it is, so the state tells the truth.
    ProbeInstalledFile();
    Report(RemoveFailedText, ErrorCaption, MB_ICONEXCLAMATION);
}
