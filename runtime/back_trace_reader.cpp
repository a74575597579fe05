// Opening the program's own file for the back trace's function names.
#include "back_trace_reader.h"

#include "error_report.h"
#include "file_variable.h"
#include "image_symbols.h"
#include "io_result.h"

#include <windows.h>

namespace {

// Read access, reading and writing shared: the program's file is open for running.
constexpr uint8_t SharedReadMode = 0x40;

FileVariable ProgramFile;
HANDLE ProgramMapping;
ImageView ProgramImage;

// Opens and maps the program's file; false, holding nothing, when that fails.
bool MapProgramFile() {
    // The report is written through the result gate: with a code pending nothing shows, and
    // the open must not take a code that is not its own.
    if (IoResultCode != IoSuccess)
        return false;
    LengthPrefixedString path;
    path.Length = static_cast<uint8_t>(GetModuleFileNameA(nullptr, path.Chars, 255));
    BindFileName(ProgramFile, path);
    uint8_t mode = OpenModeSetting;
    OpenModeSetting = SharedReadMode;
    OpenExistingFile(ProgramFile);
    OpenModeSetting = mode;
    if (TakeIoResult() != IoSuccess)
        return false;
    ProgramImage.Size = GetFileSize(ProgramFile.Handle, nullptr);
    if (ProgramImage.Size == INVALID_FILE_SIZE)
        return false;
    ProgramMapping = CreateFileMappingA(ProgramFile.Handle, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (ProgramMapping)
        ProgramImage.Bytes =
            static_cast<const uint8_t*>(MapViewOfFile(ProgramMapping, FILE_MAP_READ, 0, 0, 0));
    return ProgramImage.Bytes != nullptr;
}

} // namespace

void ReleaseProgramFile() {
    if (ProgramImage.Bytes)
        UnmapViewOfFile(ProgramImage.Bytes);
    if (ProgramMapping)
        CloseHandle(ProgramMapping);
    ProgramImage = {};
    ProgramMapping = nullptr;
    if (ProgramFile.Mode == ModeInput) {
        // Closed past the result gate: a code pending for the program stays pending.
        uint16_t pending = TakeIoResult();
        CloseFileVariable(ProgramFile);
        IoResultCode = pending;
    }
}

void WriteNamedBackTraceLine(TextOutput& output, uintptr_t address) {
    if (!ProgramImage.Bytes && (!MapProgramFile() || !HasDebuggingSymbols(ProgramImage))) {
        ReleaseProgramFile();
        BackTraceLine = WritePlainBackTraceLine;
    }
    WritePlainBackTraceLine(output, address);
    if (ProgramImage.Bytes)
        WriteFunctionName(
            output, ProgramImage,
            static_cast<uint32_t>(address - reinterpret_cast<uintptr_t>(ModuleInstance)));
}
