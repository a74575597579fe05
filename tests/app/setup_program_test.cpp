// The built setup.exe as a file: a 32-bit Windows GUI program that imports from the three
// system libraries only, carries no runtime of a compiler's, holds the screen saver and the
// wallpaper as they were built, and stays small beside them.
#include "file_bytes.h"
#include "pe_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

namespace {

class SetupProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        file = ReadFileVector(SETUP_PROGRAM);
        try {
            pe = ParsePe(file);
        } catch (const std::exception& e) {
            FAIL() << SETUP_PROGRAM << ": " << e.what();
        }
    }
    std::vector<uint8_t> file;
    PeFile pe;
};

TEST_F(SetupProgram, IsA32BitWindowsGuiProgram) {
    EXPECT_EQ(pe.Machine, PeMachineI386);
    EXPECT_EQ(pe.Magic, PeMagic32);
    EXPECT_EQ(pe.Subsystem, PeSubsystemWindowsGui);
    EXPECT_FALSE(pe.Characteristics & PeCharacteristicDll) << "a program, not a library";
}

TEST_F(SetupProgram, ImportsFromTheThreeSystemLibrariesOnly) {
    EXPECT_EQ(pe.Imports, (std::set<std::string>{"kernel32.dll", "user32.dll", "gdi32.dll"}));
}

TEST_F(SetupProgram, CarriesNoCompilerRuntime) {
    for (const PeSection& s : pe.Sections) {
        EXPECT_NE(s.Name, ".tls") << "thread-local storage comes with a C runtime";
        EXPECT_NE(s.Name, ".eh_frame") << "no exception tables";
        EXPECT_NE(s.Name, ".CRT") << "no C runtime start-up tables";
    }
    EXPECT_EQ(pe.TlsDirectory, 0u);
    // The entry point is the program's own, in its code.
    ASSERT_FALSE(pe.Sections.empty());
    const PeSection& code = pe.Sections.front();
    EXPECT_EQ(code.Name, ".text");
    EXPECT_TRUE(pe.EntryPoint >= code.Address && pe.EntryPoint < code.Address + code.VirtualSize);
}

TEST_F(SetupProgram, CarriesTheBuiltScreenSaverAndWallpaperByteForByte) {
    for (const char* path : {SCREEN_SAVER, WALLPAPER_STREAM}) {
        std::vector<uint8_t> carried = ReadFileVector(path);
        ASSERT_FALSE(carried.empty()) << path;
        EXPECT_NE(std::search(file.begin(), file.end(), carried.begin(), carried.end()), file.end())
            << "setup.exe does not hold " << path << " as it was built";
    }
}

TEST_F(SetupProgram, IsSmallBesideWhatItCarries) {
    // Code, data, imports and resources: everything the program adds to the screen saver and
    // the wallpaper stream that it carries. A signature, whose size follows the certificate
    // chain, is not the program's own.
    size_t carried = ReadFileVector(SCREEN_SAVER).size() + ReadFileVector(WALLPAPER_STREAM).size();
    ASSERT_GT(carried, 0u);
    size_t added = file.size() - carried - pe.CertificateSize;
    // The budget, in 512-byte steps of the file (tools/size-report tells where they go). A
    // conventional structure comes first: a layout that tools read as they expect is worth
    // more than the steps it takes.
    constexpr size_t Budget = 18 * 1024;
    EXPECT_LE(added, Budget) << "setup.exe adds " << added << " bytes to what it carries";
}

} // namespace
