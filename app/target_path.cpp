// Building the installed screen saver's path.
#include "target_path.h"

#include "text_format.h"
#include "texts.h"

namespace {
// The file name as a shared counted constant: its stored length includes the final NUL.
constexpr CountedString InstallFileName = {sizeof InstallFileNameText, InstallFileNameText};
constexpr CountedString Backslash = {1, "\\"};
constexpr char FinalPathPrefix[] = "\\\\?\\";
} // namespace

bool WindowsDirectoryFits(uint32_t directoryLength) {
    return directoryLength > 0 && directoryLength < WindowsDirectoryRoom;
}

void BuildTargetPath(LengthPrefixedString& path, uint32_t directoryLength) {
    LengthPrefixedString fileName;
    LengthPrefixedString separatorAndName;
    FromCountedString(fileName, 255, &InstallFileName);
    FromCountedString(separatorAndName, 255, &Backslash);
    AppendTruncated(separatorAndName, fileName);
    InsertTruncated(separatorAndName, path, 255, static_cast<int>(directoryLength) + 1);
}

bool IsFinalPathOf(const char* finalPath, const char* path) {
    for (const char* prefix = FinalPathPrefix; *prefix; ++prefix, ++finalPath)
        if (*finalPath != *prefix)
            return false;
    const char* end = AfterWithoutCase(finalPath, path);
    return end != nullptr && *end == '\0';
}
