// Packing a program's headers.
#include "program_headers.h"

#include <string.h>

namespace {

constexpr uint32_t DosHeaderSize = 64;
constexpr uint32_t PeOffsetField = 0x3C;
constexpr uint32_t FileHeaderSize = 24; // "PE\0\0" and the COFF file header
constexpr uint32_t SectionHeaderSize = 40;
// Offsets in the file header (from the signature) and in the optional header.
constexpr uint32_t SectionCountField = 6, SymbolTableField = 12, OptionalSizeField = 20;
constexpr uint32_t MagicField = 0, FileAlignmentField = 36, HeadersSizeField = 60,
                   ChecksumField = 64, DirectoryCountField = 92, DirectoriesField = 96;
constexpr uint32_t CertificateDirectory = 4, DebugDirectory = 6;
constexpr uint16_t Pe32Magic = 0x10B;
// In a section header: raw data size and file offset.
constexpr uint32_t RawSizeField = 16, RawOffsetField = 20;

// The DOS program, in the DOS header's reserved bytes 0x1C to 0x3B: with the header's size set
// to one paragraph, DOS loads the file from 0x10 and starts at 0x1C. It prints the message
// that follows it and ends with exit code 1.
constexpr uint32_t DosProgramOffset = 0x1C;
constexpr uint8_t DosProgram[] = {
    0x0E,             // push cs
    0x1F,             // pop ds
    0xBA, 0x1A, 0x00, // mov dx, 0x1A: the message, at 0x2A, from the load start at 0x10
    0xB4, 0x09,       // mov ah, 9: write a string ending in '$'
    0xCD, 0x21,       // int 21h
    0xB8, 0x01, 0x4C, // mov ax, 0x4C01: end, exit code 1
    0xCD, 0x21,       // int 21h
    'N',  'e',  'e',  'd', 's', ' ', 'W', 'i', 'n', 'd', 'o', 'w', 's', '.', '\r', '\n', '$'};
static_assert(DosProgramOffset + sizeof DosProgram <= PeOffsetField, "the program fits");
// DOS header fields for it: a file of one 64-byte page, no relocations, one paragraph of
// header, all the memory there is, the stack at 0xB8 and the start at 0x0C from the load
// start.
constexpr uint16_t DosFields[] = {0x5A4D, 64, 1, 0, 1, 0, 0xFFFF, 0, 0xB8, 0, 0x0C, 0, 0x40, 0};

uint32_t Read16(const std::vector<uint8_t>& bytes, uint32_t at) {
    return bytes[at] | bytes[at + 1] << 8;
}
uint32_t Read32(const std::vector<uint8_t>& bytes, uint32_t at) {
    return Read16(bytes, at) | Read16(bytes, at + 2) << 16;
}
void Write16(std::vector<uint8_t>& bytes, uint32_t at, uint32_t value) {
    bytes[at] = uint8_t(value);
    bytes[at + 1] = uint8_t(value >> 8);
}
void Write32(std::vector<uint8_t>& bytes, uint32_t at, uint32_t value) {
    Write16(bytes, at, value & 0xFFFF);
    Write16(bytes, at + 2, value >> 16);
}

PackResult Refuse(const std::string& problem) {
    return {false, 0, problem};
}

} // namespace

uint32_t ProgramChecksum(const std::vector<uint8_t>& program, uint32_t checksumOffset) {
    uint64_t sum = 0;
    for (uint32_t at = 0; at < program.size(); at += 2) {
        if (at == checksumOffset || at == checksumOffset + 2)
            continue;
        sum += program[at] | (at + 1 < program.size() ? program[at + 1] << 8 : 0);
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return uint32_t(sum + program.size());
}

PackResult PackProgramHeaders(std::vector<uint8_t>& program) {
    if (program.size() < DosHeaderSize || Read16(program, 0) != DosFields[0])
        return Refuse("no DOS header");
    const uint32_t pe = Read32(program, PeOffsetField);
    if (pe < DosHeaderSize || pe > program.size() - FileHeaderSize ||
        memcmp(&program[pe], "PE\0\0", 4) != 0)
        return Refuse("no PE header");
    const uint32_t optional = pe + FileHeaderSize;
    const uint32_t optionalSize = Read16(program, pe + OptionalSizeField);
    const uint32_t sections = Read16(program, pe + SectionCountField);
    const uint32_t table = optional + optionalSize;
    const uint32_t end = table + sections * SectionHeaderSize;
    if (optionalSize < DirectoriesField || end > program.size() ||
        Read16(program, optional + MagicField) != Pe32Magic)
        return Refuse("not a 32-bit PE program");
    if (Read32(program, pe + SymbolTableField) != 0)
        return Refuse("it has a symbol table");
    const uint32_t directories = Read32(program, optional + DirectoryCountField);
    for (uint32_t directory : {CertificateDirectory, DebugDirectory})
        if (directory < directories &&
            Read32(program, optional + DirectoriesField + 8 * directory + 4) != 0)
            return Refuse(directory == CertificateDirectory ? "it is signed"
                                                            : "it has a debug directory");

    const uint32_t alignment = Read32(program, optional + FileAlignmentField);
    const uint32_t headersSize = Read32(program, optional + HeadersSizeField);
    if (alignment == 0 || (alignment & (alignment - 1)) != 0 || headersSize < end ||
        headersSize > program.size())
        return Refuse("its headers' sizes do not add up");
    const uint32_t packedEnd = DosHeaderSize + (end - pe);
    const uint32_t packedSize = (packedEnd + alignment - 1) & ~(alignment - 1);
    if (packedSize >= headersSize)
        return {true, 0, ""};
    const uint32_t saved = headersSize - packedSize;
    // Every section's data must lie after the headers, so that moving them up by saved moves
    // it all, and nothing else in the file is addressed by its offset.
    for (uint32_t i = 0; i < sections; ++i) {
        const uint32_t header = table + i * SectionHeaderSize;
        const uint32_t offset = Read32(program, header + RawOffsetField);
        const uint32_t size = Read32(program, header + RawSizeField);
        if (size != 0 && (offset < headersSize || offset + size > program.size()))
            return Refuse("a section's data lies outside the file after the headers");
    }

    std::vector<uint8_t> packed(program.size() - saved, 0);
    for (uint32_t i = 0; i < sizeof DosFields / sizeof DosFields[0]; ++i)
        Write16(packed, 2 * i, DosFields[i]);
    memcpy(&packed[DosProgramOffset], DosProgram, sizeof DosProgram);
    Write32(packed, PeOffsetField, DosHeaderSize);
    memcpy(&packed[DosHeaderSize], &program[pe], end - pe);
    memcpy(&packed[packedSize], &program[headersSize], program.size() - headersSize);

    const uint32_t packedOptional = DosHeaderSize + FileHeaderSize;
    const uint32_t packedTable = DosHeaderSize + (table - pe);
    Write32(packed, packedOptional + HeadersSizeField, packedSize);
    for (uint32_t i = 0; i < sections; ++i) {
        const uint32_t header = packedTable + i * SectionHeaderSize;
        if (Read32(packed, header + RawSizeField) != 0)
            Write32(packed, header + RawOffsetField,
                    Read32(packed, header + RawOffsetField) - saved);
    }
    const uint32_t checksum = packedOptional + ChecksumField;
    if (Read32(packed, checksum) != 0)
        Write32(packed, checksum, ProgramChecksum(packed, checksum));
    program.swap(packed);
    return {true, saved, ""};
}
