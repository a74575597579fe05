// The built Flarvex.scr as a file: under 32 KiB, a plain 32-bit GUI program (no packer) that
// needs nothing beyond kernel32, user32, gdi32 and, for its settings, advapi32.
#include "file_bytes.h"
#include "pe_file.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr size_t LargestSaver = 32 * 1024;

std::vector<uint8_t> ReadSaver() {
    return ReadFileVector(FLARVEX_SAVER_FILE);
}

TEST(SaverFile, IsUnder32KiB) {
    std::vector<uint8_t> file = ReadSaver();
    ASSERT_FALSE(file.empty()) << FLARVEX_SAVER_FILE << " is missing or empty";
    EXPECT_LT(file.size(), LargestSaver)
        << FLARVEX_SAVER_FILE << " is " << file.size() << " bytes, " << LargestSaver << " or more";
    std::printf("Flarvex.scr: %zu bytes\n", file.size());
}

TEST(SaverFile, IsAPlainWindowsGuiProgramWithoutARuntime) {
    std::vector<uint8_t> file = ReadSaver();
    ASSERT_FALSE(file.empty()) << FLARVEX_SAVER_FILE << " is missing or empty";
    PeFile pe;
    try {
        pe = ParsePe(file);
    } catch (const std::exception& e) {
        FAIL() << FLARVEX_SAVER_FILE << ": " << e.what();
    }
    EXPECT_EQ(pe.Machine, PeMachineI386);
    EXPECT_EQ(pe.Magic, PeMagic32);
    EXPECT_EQ(pe.Subsystem, PeSubsystemWindowsGui);
    const std::set<std::string> allowed = {"kernel32.dll", "user32.dll", "gdi32.dll",
                                           "advapi32.dll"};
    for (const std::string& dll : pe.Imports)
        EXPECT_TRUE(allowed.count(dll)) << "imports from " << dll;
    EXPECT_TRUE(pe.Imports.count("user32.dll"));
    // A packer leaves an empty section for the code it unpacks; here only the zeroed data
    // has no bytes in the file.
    for (const PeSection& s : pe.Sections) {
        if (s.FileSize == 0) {
            EXPECT_EQ(s.Name, ".bss") << "section " << s.Name << " has no data in the file";
        }
    }
    // Nothing appended after the last section but, in a signed build, the signature, which
    // starts at the next multiple of 8.
    size_t end = pe.EndOfSections;
    if (pe.CertificateSize != 0) {
        EXPECT_EQ(pe.CertificateOffset, (pe.EndOfSections + 7) / 8 * 8);
        end = pe.CertificateOffset + pe.CertificateSize;
    }
    EXPECT_EQ(end, file.size());
}

} // namespace
