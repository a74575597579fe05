// Reading a Windows program file's headers, for tests of the built programs. Portable: both
// halves of the build use it.
#pragma once
#include <stdint.h>

#include <set>
#include <string>
#include <vector>

struct PeSection {
    std::string Name;
    uint32_t Address, VirtualSize, FileOffset, FileSize;
};

struct PeFile {
    uint16_t Machine = 0, Characteristics = 0, Magic = 0, Subsystem = 0;
    uint32_t ImageBase = 0;    // the address the program is loaded at by preference
    uint32_t EntryPoint = 0;   // relative address
    uint32_t TlsDirectory = 0; // relative address, 0 when there is none
    std::vector<PeSection> Sections;
    std::set<std::string> Imports; // library names, lower case
    size_t EndOfSections = 0;      // file offset where the last section's data ends
    // The signature (the certificate table): a file offset and a size, both 0 when unsigned.
    uint32_t CertificateOffset = 0, CertificateSize = 0;
};

constexpr uint16_t PeMachineI386 = 0x14C;
constexpr uint16_t PeMagic32 = 0x10B;
constexpr uint16_t PeSubsystemWindowsGui = 2;
constexpr uint16_t PeCharacteristicDll = 0x2000;

// Reads the headers, the section table and the imported libraries; throws std::runtime_error
// saying what is wrong when the file is not a PE program or is cut off.
PeFile ParsePe(const std::vector<uint8_t>& file);
