// Reading a Windows program file's headers, for tests of the built programs. Portable: both
// halves of the build use it.
#pragma once
#include <stdint.h>

#include <set>
#include <string>
#include <vector>

struct PeSection {
    std::string Name;
    uint32_t Address, VirtualSize, FileOffset, FileSize, Characteristics;
};

// One library's import descriptor: the functions its lookup table (none when it has none) and
// its address table name, in order ("#n" for an import by ordinal), and where the address
// table lies (a relative address).
struct PeImportedLibrary {
    std::string Name; // lower case
    uint32_t AddressTable = 0;
    std::vector<std::string> LookedUp, Addressed;
};

struct PeDirectory {
    uint32_t Address = 0, Size = 0;
};

struct PeFile {
    uint16_t Machine = 0, Characteristics = 0, Magic = 0, Subsystem = 0;
    uint32_t ImageBase = 0;    // the address the program is loaded at by preference
    uint32_t EntryPoint = 0;   // relative address
    uint32_t TlsDirectory = 0; // relative address, 0 when there is none
    std::vector<PeSection> Sections;
    std::set<std::string> Imports; // library names, lower case
    std::vector<PeImportedLibrary> ImportTables;
    uint16_t DllCharacteristics = 0, SubsystemMajor = 0, SubsystemMinor = 0;
    uint32_t PeOffset = 0, FileAlignment = 0, SectionAlignment = 0, HeadersSize = 0;
    uint32_t ImageSize = 0, Checksum = 0, ChecksumOffset = 0;
    std::vector<PeDirectory> Directories;
    size_t EndOfSections = 0; // file offset where the last section's data ends
    // The signature (the certificate table): a file offset and a size, both 0 when unsigned.
    uint32_t CertificateOffset = 0, CertificateSize = 0;
};

constexpr uint16_t PeMachineI386 = 0x14C;
constexpr uint16_t PeMagic32 = 0x10B;
constexpr uint16_t PeSubsystemWindowsGui = 2;
constexpr uint16_t PeCharacteristicDll = 0x2000;
constexpr uint16_t PeCharacteristicRelocsStripped = 0x0001;
constexpr uint16_t PeDynamicBase = 0x0040, PeNxCompatible = 0x0100, PeTerminalServerAware = 0x8000;
constexpr int PeImportDirectory = 1, PeRelocationDirectory = 5, PeImportAddressDirectory = 12;

// The file offset of a relative address; throws std::runtime_error when no section holds it.
size_t FileOffsetOf(const PeFile& pe, uint32_t address);

// Reads the headers, the section table and the import descriptors with both their tables;
// throws std::runtime_error saying what is wrong when the file is not a PE program or is cut
// off.
PeFile ParsePe(const std::vector<uint8_t>& file);
