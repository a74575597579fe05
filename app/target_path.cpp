// Building the installed screen saver's path.
#include "target_path.h"
#include "texts.h"

namespace {
// The file name as a shared counted constant: its stored length includes the final NUL.
constexpr CountedString InstallFileName = {sizeof InstallFileNameText, InstallFileNameText};
constexpr LengthPrefixedString Backslash = {1, {'\\'}};
} // namespace

bool WindowsDirectoryFits(uint32_t directoryLength) {
    return directoryLength > 0 && directoryLength < WindowsDirectoryRoom;
}

void BuildTargetPath(LengthPrefixedString& path, uint32_t directoryLength) {
    LengthPrefixedString fileName;
    LengthPrefixedString separatorAndName;
    FromCountedString(fileName, 255, &InstallFileName);
    CopyTruncated(separatorAndName, 255, Backslash);
    AppendTruncated(separatorAndName, fileName);
    InsertTruncated(separatorAndName, path, 255, static_cast<int>(directoryLength) + 1);
}
