// The built setup.exe as a file: a 32-bit Windows GUI program that imports from the three
// system libraries only, carries no runtime of a compiler's, and stays small.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
    return at + 4 <= b.size() ? b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24
                              : 0;
}
uint16_t Read16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(at + 2 <= b.size() ? b[at] | b[at + 1] << 8 : 0);
}

struct Section {
    std::string name;
    uint32_t virtualAddress, virtualSize, rawOffset, rawSize;
};

class SetupProgram : public ::testing::Test {
  protected:
    void SetUp() override {
        file = ReadFile(SETUP_PROGRAM);
        ASSERT_GT(file.size(), 1024u) << "cannot read " << SETUP_PROGRAM;
        ASSERT_EQ(Read16(file, 0), 0x5A4D) << "MZ";
        pe = Read32(file, 0x3C);
        ASSERT_EQ(Read32(file, pe), 0x00004550u) << "PE signature";
        optional = pe + 24;
        uint16_t count = Read16(file, pe + 6);
        size_t table = optional + Read16(file, pe + 20);
        for (uint16_t i = 0; i < count; ++i) {
            size_t at = table + 40 * i;
            Section s;
            s.name.assign(reinterpret_cast<const char*>(&file[at]),
                          strnlen(reinterpret_cast<const char*>(&file[at]), 8));
            s.virtualSize = Read32(file, at + 8);
            s.virtualAddress = Read32(file, at + 12);
            s.rawSize = Read32(file, at + 16);
            s.rawOffset = Read32(file, at + 20);
            sections.push_back(s);
        }
    }

    size_t Offset(uint32_t rva) const {
        for (const Section& s : sections)
            if (rva >= s.virtualAddress &&
                rva < s.virtualAddress + std::max(s.virtualSize, s.rawSize))
                return rva - s.virtualAddress + s.rawOffset;
        return file.size();
    }

    std::set<std::string> ImportedLibraries() const {
        std::set<std::string> names;
        for (size_t at = Offset(Read32(file, optional + 104)); Read32(file, at + 12) != 0;
             at += 20) {
            std::string name(reinterpret_cast<const char*>(&file[Offset(Read32(file, at + 12))]));
            std::transform(name.begin(), name.end(), name.begin(), ::toupper);
            names.insert(name);
        }
        return names;
    }

    std::vector<uint8_t> file;
    size_t pe = 0, optional = 0;
    std::vector<Section> sections;
};

TEST_F(SetupProgram, IsA32BitWindowsGuiProgram) {
    EXPECT_EQ(Read16(file, pe + 4), 0x014C) << "machine: i386";
    EXPECT_EQ(Read16(file, optional), 0x010B) << "PE32";
    EXPECT_EQ(Read16(file, optional + 68), 2) << "subsystem: Windows GUI";
    EXPECT_FALSE(Read16(file, pe + 22) & 0x2000) << "a program, not a library";
}

TEST_F(SetupProgram, ImportsFromTheThreeSystemLibrariesOnly) {
    EXPECT_EQ(ImportedLibraries(),
              (std::set<std::string>{"KERNEL32.DLL", "USER32.DLL", "GDI32.DLL"}));
}

TEST_F(SetupProgram, CarriesNoCompilerRuntime) {
    for (const Section& s : sections) {
        EXPECT_NE(s.name, ".tls") << "thread-local storage comes with a C runtime";
        EXPECT_NE(s.name, ".eh_frame") << "no exception tables";
        EXPECT_NE(s.name, ".CRT") << "no C runtime start-up tables";
    }
    EXPECT_EQ(Read32(file, optional + 96 + 9 * 8), 0u) << "no thread-local storage directory";
    // The entry point is the program's own, in its code.
    uint32_t entry = Read32(file, optional + 16);
    const Section& code = sections.front();
    EXPECT_EQ(code.name, ".text");
    EXPECT_TRUE(entry >= code.virtualAddress && entry < code.virtualAddress + code.virtualSize);
}

TEST_F(SetupProgram, IsSmall) {
    // Code, data, imports and resources: everything the program adds to what it carries.
    EXPECT_LE(file.size(), 16u * 1024) << "setup.exe grew to " << file.size() << " bytes";
}

} // namespace
