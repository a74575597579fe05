// A Windows program file's headers, read with every offset checked.
#include "pe_file.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>

namespace {

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

std::string TextAt(const std::vector<uint8_t>& file, size_t at) {
    std::string text;
    for (; at < file.size() && file[at] != 0; ++at)
        text += static_cast<char>(file[at]);
    return text;
}

// The functions a table of 32-bit references names, up to its closing 0.
std::vector<std::string> ImportedFunctions(const std::vector<uint8_t>& file, const PeFile& pe,
                                           uint32_t table) {
    std::vector<std::string> names;
    for (size_t at = FileOffsetOf(pe, table);; at += 4) {
        uint32_t entry = Read32(file, at);
        if (entry == 0)
            return names;
        names.push_back(entry & 0x80000000u ? "#" + std::to_string(entry & 0xFFFF)
                                            : TextAt(file, FileOffsetOf(pe, entry) + 2));
    }
}

} // namespace

size_t FileOffsetOf(const PeFile& pe, uint32_t address) {
    for (const PeSection& s : pe.Sections)
        if (address >= s.Address && address < s.Address + std::max(s.VirtualSize, s.FileSize))
            return s.FileOffset + (address - s.Address);
    throw std::runtime_error("address " + std::to_string(address) + " is in no section");
}

PeFile ParsePe(const std::vector<uint8_t>& file) {
    PeFile pe;
    if (file.size() < 64 || file[0] != 'M' || file[1] != 'Z')
        throw std::runtime_error("no MZ header");
    size_t header = pe.PeOffset = Read32(file, 0x3C);
    if (Read32(file, header) != 0x4550)
        throw std::runtime_error("no PE signature");
    pe.Machine = Read16(file, header + 4);
    uint16_t sectionCount = Read16(file, header + 6);
    uint16_t optionalSize = Read16(file, header + 20);
    pe.Characteristics = Read16(file, header + 22);
    size_t optional = header + 24;
    pe.Magic = Read16(file, optional);
    pe.EntryPoint = Read32(file, optional + 16);
    pe.ImageBase = Read32(file, optional + 28);
    pe.SectionAlignment = Read32(file, optional + 32);
    pe.FileAlignment = Read32(file, optional + 36);
    pe.SubsystemMajor = Read16(file, optional + 48);
    pe.SubsystemMinor = Read16(file, optional + 50);
    pe.ImageSize = Read32(file, optional + 56);
    pe.HeadersSize = Read32(file, optional + 60);
    pe.ChecksumOffset = static_cast<uint32_t>(optional + 64);
    pe.Checksum = Read32(file, optional + 64);
    pe.Subsystem = Read16(file, optional + 68);
    pe.DllCharacteristics = Read16(file, optional + 70);
    for (uint32_t i = 0, count = std::min(Read32(file, optional + 92), 16u); i < count; ++i)
        pe.Directories.push_back(
            {Read32(file, optional + 96 + i * 8), Read32(file, optional + 96 + i * 8 + 4)});
    uint32_t importAddress = Read32(file, optional + 96 + 1 * 8);
    pe.TlsDirectory = Read32(file, optional + 96 + 9 * 8);
    // Unlike the other directories, the certificate table's is a file offset.
    pe.CertificateOffset = Read32(file, optional + 96 + 4 * 8);
    pe.CertificateSize = Read32(file, optional + 96 + 4 * 8 + 4);
    if (static_cast<uint64_t>(pe.CertificateOffset) + pe.CertificateSize > file.size())
        throw std::runtime_error("the certificate table runs past the end");
    for (size_t i = 0, at = optional + optionalSize; i < sectionCount; ++i, at += 40) {
        if (at + 40 > file.size())
            throw std::runtime_error("the section table is cut off");
        PeSection s;
        s.Name.assign(reinterpret_cast<const char*>(&file[at]),
                      strnlen(reinterpret_cast<const char*>(&file[at]), 8));
        s.VirtualSize = Read32(file, at + 8);
        s.Address = Read32(file, at + 12);
        s.FileSize = Read32(file, at + 16);
        s.FileOffset = Read32(file, at + 20);
        s.Characteristics = Read32(file, at + 36);
        pe.EndOfSections = std::max<size_t>(pe.EndOfSections, s.FileOffset + s.FileSize);
        pe.Sections.push_back(s);
    }
    for (size_t at = FileOffsetOf(pe, importAddress);; at += 20) {
        uint32_t name = Read32(file, at + 12);
        if (name == 0)
            break;
        PeImportedLibrary library;
        library.Name = TextAt(file, FileOffsetOf(pe, name));
        for (char& c : library.Name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (uint32_t lookup = Read32(file, at); lookup != 0)
            library.LookedUp = ImportedFunctions(file, pe, lookup);
        library.AddressTable = Read32(file, at + 16);
        library.Addressed = ImportedFunctions(file, pe, library.AddressTable);
        pe.Imports.insert(library.Name);
        pe.ImportTables.push_back(library);
    }
    return pe;
}
