// Building the installed screen saver's path from the Windows directory.
#include "target_path.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The path buffer as the system leaves it: the directory and a NUL in a zeroed buffer, the
// length set to the room given.
LengthPrefixedString AfterSystem(const std::string& directory) {
    LengthPrefixedString path;
    memset(&path, 0, sizeof path);
    path.Length = WindowsDirectoryRoom;
    memcpy(path.Chars, directory.c_str(), directory.size() + 1);
    return path;
}

TEST(TargetPath, EveryDirectoryLengthGives253AndThePath) {
    for (uint32_t n = 0; n < WindowsDirectoryRoom; ++n) {
        std::string directory = "C:" + std::string(n > 2 ? n - 2 : 0, 'W');
        directory.resize(n);
        LengthPrefixedString path = AfterSystem(directory);
        BuildTargetPath(path, n);
        ASSERT_EQ(path.Length, 253) << "directory length " << n;
        EXPECT_EQ(std::string(path.Chars), directory + "\\Flarvex.scr") << "directory length " << n;
        EXPECT_EQ(path.Chars[n + 12], '\0') << "the name's own NUL follows it";
    }
}

TEST(TargetPath, TheUsualWindowsDirectory) {
    LengthPrefixedString path = AfterSystem("C:\\WINDOWS");
    BuildTargetPath(path, 10);
    EXPECT_STREQ(path.Chars, "C:\\WINDOWS\\Flarvex.scr");
}

TEST(TargetPath, OnlyADirectoryThatFitsItsRoomIsUsed) {
    EXPECT_FALSE(WindowsDirectoryFits(0)) << "the system failed";
    EXPECT_TRUE(WindowsDirectoryFits(1));
    EXPECT_TRUE(WindowsDirectoryFits(239));
    EXPECT_FALSE(WindowsDirectoryFits(240)) << "the system asks for more room";
    EXPECT_FALSE(WindowsDirectoryFits(4000));
}

TEST(TargetPath, AFinalPathNamesThePathOnlyWhenItIsThePathItself) {
    struct Case {
        const char* finalPath;
        bool same;
    };
    const Case cases[] = {
        {"\\\\?\\C:\\windows\\Flarvex.scr.new", true},
        {"\\\\?\\c:\\WINDOWS\\FLARVEX.SCR.NEW", true}, // names ignore case
        {"\\\\?\\Z:\\tmp\\other", false},              // a link that leads elsewhere
        {"\\\\?\\C:\\windows\\Flarvex.scr.ne", false},
        {"\\\\?\\C:\\windows\\Flarvex.scr.new2", false},
        {"C:\\windows\\Flarvex.scr.new", false},
        {"\\\\?\\UNC\\server\\windows\\Flarvex.scr.new", false},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsFinalPathOf(c.finalPath, "C:\\windows\\Flarvex.scr.new"), c.same)
            << c.finalPath;
}

} // namespace
