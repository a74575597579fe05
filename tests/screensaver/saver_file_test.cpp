// The built Flarvex.scr as a file: small enough for the setup to carry, a plain 32-bit GUI
// program (no packer) that needs nothing beyond kernel32, user32 and gdi32.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr size_t LargestPayload = 46592;
constexpr uint16_t MachineI386 = 0x14C;
constexpr uint16_t Pe32Magic = 0x10B;
constexpr uint16_t SubsystemWindowsGui = 2;

std::vector<uint8_t> ReadSaver() {
    std::ifstream in(FLARVEX_SAVER_FILE, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t Read32(const std::vector<uint8_t>& file, size_t at) {
    if (at + 4 > file.size())
        throw std::runtime_error("offset " + std::to_string(at) + " is past the end");
    return file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
           static_cast<uint32_t>(file[at + 3]) << 24;
}

uint16_t Read16(const std::vector<uint8_t>& file, size_t at) {
    if (at + 2 > file.size())
        throw std::runtime_error("offset " + std::to_string(at) + " is past the end");
    return static_cast<uint16_t>(file[at] | file[at + 1] << 8);
}

struct Section {
    std::string Name;
    uint32_t Address, VirtualSize, FileOffset, FileSize;
};

struct PeFile {
    uint16_t Machine = 0, Magic = 0, Subsystem = 0;
    std::vector<Section> Sections;
    std::set<std::string> Imports; // lower case
    size_t EndOfSections = 0;
};

size_t FileOffsetOf(const PeFile& pe, uint32_t address) {
    for (const Section& s : pe.Sections)
        if (address >= s.Address && address < s.Address + std::max(s.VirtualSize, s.FileSize))
            return s.FileOffset + (address - s.Address);
    throw std::runtime_error("address " + std::to_string(address) + " is in no section");
}

PeFile ParsePe(const std::vector<uint8_t>& file) {
    PeFile pe;
    if (file.size() < 64 || file[0] != 'M' || file[1] != 'Z')
        throw std::runtime_error("no MZ header");
    size_t header = Read32(file, 0x3C);
    if (Read32(file, header) != 0x4550)
        throw std::runtime_error("no PE signature");
    pe.Machine = Read16(file, header + 4);
    uint16_t sectionCount = Read16(file, header + 6);
    uint16_t optionalSize = Read16(file, header + 20);
    size_t optional = header + 24;
    pe.Magic = Read16(file, optional);
    pe.Subsystem = Read16(file, optional + 68);
    uint32_t importAddress = Read32(file, optional + 96 + 8);
    for (size_t i = 0, at = optional + optionalSize; i < sectionCount; ++i, at += 40) {
        if (at + 40 > file.size())
            throw std::runtime_error("the section table is cut off");
        Section s;
        s.Name.assign(reinterpret_cast<const char*>(&file[at]),
                      strnlen(reinterpret_cast<const char*>(&file[at]), 8));
        s.VirtualSize = Read32(file, at + 8);
        s.Address = Read32(file, at + 12);
        s.FileSize = Read32(file, at + 16);
        s.FileOffset = Read32(file, at + 20);
        pe.EndOfSections = std::max<size_t>(pe.EndOfSections, s.FileOffset + s.FileSize);
        pe.Sections.push_back(s);
    }
    for (size_t at = FileOffsetOf(pe, importAddress);; at += 20) {
        uint32_t name = Read32(file, at + 12);
        if (name == 0)
            break;
        std::string dll;
        for (size_t c = FileOffsetOf(pe, name); c < file.size() && file[c] != 0; ++c)
            dll += static_cast<char>(std::tolower(file[c]));
        pe.Imports.insert(dll);
    }
    return pe;
}

TEST(SaverFile, FitsThePayloadSize) {
    std::vector<uint8_t> file = ReadSaver();
    ASSERT_FALSE(file.empty()) << FLARVEX_SAVER_FILE << " is missing or empty";
    EXPECT_LE(file.size(), LargestPayload)
        << FLARVEX_SAVER_FILE << " is " << file.size() << " bytes, over the " << LargestPayload
        << " the setup carries";
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
    EXPECT_EQ(pe.Machine, MachineI386);
    EXPECT_EQ(pe.Magic, Pe32Magic);
    EXPECT_EQ(pe.Subsystem, SubsystemWindowsGui);
    const std::set<std::string> allowed = {"kernel32.dll", "user32.dll", "gdi32.dll"};
    for (const std::string& dll : pe.Imports)
        EXPECT_TRUE(allowed.count(dll)) << "imports from " << dll;
    EXPECT_TRUE(pe.Imports.count("user32.dll"));
    // A packer leaves an empty section for the code it unpacks; here only the zeroed data
    // has no bytes in the file.
    for (const Section& s : pe.Sections) {
        if (s.FileSize == 0) {
            EXPECT_EQ(s.Name, ".bss") << "section " << s.Name << " has no data in the file";
        }
    }
    // Nothing appended after the last section.
    EXPECT_EQ(pe.EndOfSections, file.size());
}

} // namespace
