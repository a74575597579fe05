// Reading the section table and the symbol table of a program file.
#include "image_symbols.h"

namespace {

constexpr uint32_t SignatureOffsetAt = 0x3C;
constexpr uint32_t FileHeaderSize = 20;
constexpr uint32_t SectionHeaderSize = 40;
constexpr uint32_t SymbolSize = 18;
constexpr uint16_t FunctionType = 0x20;
constexpr uint32_t ShortNameSize = 8;

// The tables of one file, found once per lookup.
struct ImageTables {
    uint32_t Sections; // offset of the section table
    uint32_t SectionCount;
    uint32_t Symbols; // offset of the symbol table
    uint32_t SymbolCount;
    uint32_t Strings;     // offset of the string table
    uint32_t StringsSize; // including its own size field
};

bool Fits(ImageView image, uint32_t offset, uint32_t count) {
    return offset <= image.Size && count <= image.Size - offset;
}

// The file's numbers are little-endian, as are the processors this runs on.
uint32_t Read16(ImageView image, uint32_t offset) {
    uint16_t value;
    __builtin_memcpy(&value, image.Bytes + offset, sizeof value);
    return value;
}

uint32_t Read32(ImageView image, uint32_t offset) {
    uint32_t value;
    __builtin_memcpy(&value, image.Bytes + offset, sizeof value);
    return value;
}

bool FindTables(ImageView image, ImageTables& tables) {
    if (!Fits(image, SignatureOffsetAt, 4))
        return false;
    uint32_t signature = Read32(image, SignatureOffsetAt);
    if (!Fits(image, signature, 4 + FileHeaderSize) || Read32(image, signature) != 0x00004550)
        return false;
    uint32_t header = signature + 4;
    tables.SectionCount = Read16(image, header + 2);
    tables.Symbols = Read32(image, header + 8);
    tables.SymbolCount = Read32(image, header + 12);
    tables.Sections = header + FileHeaderSize + Read16(image, header + 16);
    if (tables.Symbols == 0 || tables.SymbolCount == 0 ||
        tables.SymbolCount > image.Size / SymbolSize ||
        !Fits(image, tables.Symbols, tables.SymbolCount * SymbolSize) ||
        tables.SectionCount > image.Size / SectionHeaderSize ||
        !Fits(image, tables.Sections, tables.SectionCount * SectionHeaderSize))
        return false;
    tables.Strings = tables.Symbols + tables.SymbolCount * SymbolSize;
    tables.StringsSize = Fits(image, tables.Strings, 4) ? Read32(image, tables.Strings) : 0;
    if (!Fits(image, tables.Strings, tables.StringsSize))
        tables.StringsSize = 0;
    return true;
}

// The NUL-terminated string at offset in the string table, or nullptr when it does not end
// inside the table.
const char* StringAt(ImageView image, const ImageTables& tables, uint32_t offset) {
    if (offset < 4 || offset >= tables.StringsSize)
        return nullptr;
    for (uint32_t at = offset; at < tables.StringsSize; ++at)
        if (image.Bytes[tables.Strings + at] == 0)
            return reinterpret_cast<const char*>(image.Bytes + tables.Strings + offset);
    return nullptr;
}

bool StartsWith(const char* text, uint32_t length, const char* prefix) {
    for (uint32_t i = 0; prefix[i]; ++i)
        if (i == length || text[i] != prefix[i])
            return false;
    return true;
}

bool IsDebuggingSection(ImageView image, const ImageTables& tables, uint32_t section) {
    const char* name = reinterpret_cast<const char*>(image.Bytes + section);
    uint32_t length = ShortNameSize;
    if (name[0] == '/') {
        uint32_t offset = 0;
        for (uint32_t i = 1; i < ShortNameSize && name[i] >= '0' && name[i] <= '9'; ++i)
            offset = offset * 10 + static_cast<uint32_t>(name[i] - '0');
        name = StringAt(image, tables, offset);
        if (!name)
            return false;
        length = ~0u;
    }
    return StartsWith(name, length, ".debug") || StartsWith(name, length, ".stab");
}

// Copies the symbol's name into name; short names may fill all eight bytes without a NUL.
void CopySymbolName(ImageView image, const ImageTables& tables, uint32_t symbol, char* name,
                    uint32_t capacity) {
    const char* from = reinterpret_cast<const char*>(image.Bytes + symbol);
    uint32_t length = ShortNameSize;
    if (Read32(image, symbol) == 0) {
        from = StringAt(image, tables, Read32(image, symbol + 4));
        length = ~0u;
        if (!from)
            from = "";
    }
    if (from[0] == '_')
        ++from, --length;
    uint32_t count = 0;
    while (count + 1 < capacity && count < length && from[count])
        name[count] = from[count], ++count;
    name[count] = '\0';
}

} // namespace

bool HasDebuggingSymbols(ImageView image) {
    ImageTables tables;
    if (!FindTables(image, tables))
        return false;
    for (uint32_t i = 0; i < tables.SectionCount; ++i)
        if (IsDebuggingSection(image, tables, tables.Sections + i * SectionHeaderSize))
            return true;
    return false;
}

int32_t FindFunctionSymbol(ImageView image, uint32_t rva, char* name, uint32_t capacity) {
    name[0] = '\0';
    ImageTables tables;
    if (!FindTables(image, tables))
        return -1;
    uint32_t sectionNumber = 0, sectionStart = 0;
    for (uint32_t i = 0; i < tables.SectionCount && sectionNumber == 0; ++i) {
        uint32_t section = tables.Sections + i * SectionHeaderSize;
        uint32_t start = Read32(image, section + 12);
        if (rva >= start && rva - start < Read32(image, section + 8))
            sectionNumber = i + 1, sectionStart = start;
    }
    if (sectionNumber == 0)
        return -1;
    uint32_t offset = rva - sectionStart;
    uint32_t best = 0;
    int32_t distance = -1;
    for (uint32_t i = 0; i < tables.SymbolCount;
         i += 1 + image.Bytes[tables.Symbols + i * SymbolSize + 17]) {
        uint32_t symbol = tables.Symbols + i * SymbolSize;
        uint32_t value = Read32(image, symbol + 8);
        if (Read16(image, symbol + 12) == sectionNumber &&
            Read16(image, symbol + 14) == FunctionType && value <= offset &&
            (distance < 0 || offset - value < static_cast<uint32_t>(distance)))
            best = symbol, distance = static_cast<int32_t>(offset - value);
    }
    if (distance >= 0)
        CopySymbolName(image, tables, best, name, capacity);
    return distance;
}
