// Finding the debugging sections and the function that holds an address, in made-up program
// files, whole and damaged.
#include "image_symbols.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint16_t Function = 0x20;

struct SectionSpec {
    std::string Name;
    uint32_t Address, Size;
};

struct SymbolSpec {
    std::string Name;
    uint32_t Value;
    int16_t Section;
    uint16_t Type;
    uint8_t AuxRecords = 0; // each written as a record that would read as a function at 0
};

// Lays out a program file: headers, the section table, the symbol table and the string table
// that holds the names longer than eight characters.
std::vector<uint8_t> BuildImage(const std::vector<SectionSpec>& sections,
                                const std::vector<SymbolSpec>& symbols) {
    std::vector<uint8_t> image(0x40 + 24 + 0xE0 + 40 * sections.size());
    std::string strings;
    auto put16 = [&](size_t at, uint32_t value) {
        image[at] = uint8_t(value), image[at + 1] = uint8_t(value >> 8);
    };
    auto put32 = [&](size_t at, uint32_t value) { put16(at, value), put16(at + 2, value >> 16); };
    auto intern = [&](const std::string& name) {
        uint32_t offset = uint32_t(4 + strings.size());
        strings += name + '\0';
        return offset;
    };
    image[0] = 'M', image[1] = 'Z';
    put32(0x3C, 0x40);
    image[0x40] = 'P', image[0x41] = 'E';
    put16(0x44, 0x14C);
    put16(0x46, uint32_t(sections.size()));
    put16(0x54, 0xE0);
    for (size_t i = 0; i < sections.size(); ++i) {
        size_t at = 0x40 + 24 + 0xE0 + 40 * i;
        std::string name = sections[i].Name;
        if (name.size() > 8)
            name = "/" + std::to_string(intern(name));
        name.copy(reinterpret_cast<char*>(&image[at]), 8);
        put32(at + 8, sections[i].Size);
        put32(at + 12, sections[i].Address);
    }
    if (symbols.empty())
        return image;
    put32(0x4C, uint32_t(image.size()));
    uint32_t count = 0;
    for (const SymbolSpec& symbol : symbols) {
        for (int record = 0; record <= symbol.AuxRecords; ++record, ++count) {
            size_t at = image.size();
            image.resize(at + 18);
            if (record > 0) {
                put16(at + 12, uint16_t(symbol.Section));
                put16(at + 14, Function);
                continue;
            }
            if (symbol.Name.size() > 8)
                put32(at + 4, intern(symbol.Name));
            else
                symbol.Name.copy(reinterpret_cast<char*>(&image[at]), 8);
            put32(at + 8, symbol.Value);
            put16(at + 12, uint16_t(symbol.Section));
            put16(at + 14, symbol.Type);
            image[at + 17] = symbol.AuxRecords;
        }
    }
    put32(0x50, count);
    size_t at = image.size();
    image.resize(at + 4 + strings.size());
    put32(at, uint32_t(4 + strings.size()));
    strings.copy(reinterpret_cast<char*>(&image[at + 4]), strings.size());
    return image;
}

ImageView View(const std::vector<uint8_t>& image) {
    return {image.data(), uint32_t(image.size())};
}

const std::vector<SectionSpec> Sections = {
    {".text", 0x1000, 0x800}, {".data", 0x2000, 0x200}, {".debug_info", 0x3000, 0x400}};
const std::vector<SymbolSpec> Symbols = {
    {"_EntryPoint", 0x0, 1, Function},
    {"_Helper", 0x40, 1, Function},
    {"_Table", 0x60, 1, 0},                         // not a function
    {"__Z13MainProcedurev", 0x100, 1, Function, 1}, // its aux record is no symbol
    {"_ABCDEFGH", 0x300, 1, Function},              // a name of all eight bytes
    {"_Counter", 0x0, 2, 0},
    {"_Absolute", 0x1100, -1, Function}, // not in a section
};

TEST(ImageSymbols, FindsDebuggingSectionsByName) {
    EXPECT_TRUE(HasDebuggingSymbols(View(BuildImage(Sections, Symbols))));
    EXPECT_TRUE(
        HasDebuggingSymbols(View(BuildImage({{".text", 0x1000, 1}, {".stab", 0, 1}}, Symbols))));
    EXPECT_FALSE(HasDebuggingSymbols(View(BuildImage({Sections[0], Sections[1]}, Symbols))));
    EXPECT_FALSE(HasDebuggingSymbols(View(BuildImage(Sections, {}))))
        << "debugging sections without a symbol table name nothing";
}

TEST(ImageSymbols, NamesTheFunctionAtOrBelowAnAddress) {
    std::vector<uint8_t> image = BuildImage(Sections, Symbols);
    struct Case {
        uint32_t Rva;
        const char* Name;
        int32_t Distance;
    } cases[] = {
        {0x1000, "EntryPoint", 0},
        {0x103F, "EntryPoint", 0x3F},
        {0x1045, "Helper", 5},
        {0x1065, "Helper", 0x25}, // past a data symbol
        {0x1150, "_Z13MainProcedurev", 0x50},
        {0x1250, "_Z13MainProcedurev", 0x150}, // the aux record does not count
        {0x1310, "ABCDEFGH", 0x10},
        {0x17FF, "ABCDEFGH", 0x4FF},
        {0x1800, "", -1}, // past the end of the code
        {0x2010, "", -1}, // a section without functions
        {0x0500, "", -1}, // in no section
    };
    for (const Case& c : cases) {
        char name[64] = "junk";
        EXPECT_EQ(FindFunctionSymbol(View(image), c.Rva, name, sizeof name), c.Distance)
            << std::hex << c.Rva;
        EXPECT_STREQ(name, c.Name) << std::hex << c.Rva;
    }
}

TEST(ImageSymbols, CutsNamesToFit) {
    std::vector<uint8_t> image = BuildImage(Sections, Symbols);
    char name[5];
    EXPECT_EQ(FindFunctionSymbol(View(image), 0x1150, name, sizeof name), 0x50);
    EXPECT_STREQ(name, "_Z13");
    EXPECT_EQ(FindFunctionSymbol(View(image), 0x1000, name, 1), 0);
    EXPECT_STREQ(name, "");
}

// Every shortened copy of the file, and files whose counts and offsets point past their end,
// give no name or the true one, and read nothing outside their bytes (the sanitizer checks).
TEST(ImageSymbols, DamagedFilesGiveNoNames) {
    std::vector<uint8_t> whole = BuildImage(Sections, Symbols);
    for (size_t size = 0; size < whole.size(); ++size) {
        std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(size));
        char name[64];
        HasDebuggingSymbols(View(cut));
        int32_t distance = FindFunctionSymbol(View(cut), 0x1150, name, sizeof name);
        // With the string table cut, the function is still found, but its long name is not.
        bool whole = std::string(name) == "_Z13MainProcedurev" || name[0] == '\0';
        EXPECT_TRUE(distance == -1 || (distance == 0x50 && whole))
            << "cut to " << size << ": " << distance << " " << name;
    }
    struct Damage {
        size_t At;
        uint32_t Value;
        const char* What;
    } damages[] = {
        {0x3C, 0xFFFFFFF0, "signature offset past the end"},
        {0x46, 0xFFFF, "section count"},
        {0x4C, 0xFFFFFFF0, "symbol table offset"},
        {0x50, 0x7FFFFFFF, "symbol count"},
        {0x50, 0x0E38E38F, "symbol count whose size overflows 32 bits"},
        {0x54, 0xFFFF, "optional header size"},
    };
    for (const Damage& damage : damages) {
        std::vector<uint8_t> image = whole;
        for (int i = 0; i < (damage.At == 0x46 || damage.At == 0x54 ? 2 : 4); ++i)
            image[damage.At + size_t(i)] = uint8_t(damage.Value >> (8 * i));
        char name[64];
        EXPECT_FALSE(HasDebuggingSymbols(View(image))) << damage.What;
        EXPECT_EQ(FindFunctionSymbol(View(image), 0x1150, name, sizeof name), -1) << damage.What;
    }
    // A string table whose size field does not fit the file, or is too small to hold a name:
    // the long names are not read, the short ones still are.
    uint32_t symbols = whole[0x4C] | whole[0x4D] << 8 | whole[0x4E] << 16;
    uint32_t count = whole[0x50] | whole[0x51] << 8;
    for (uint32_t size : {0u, 3u, 0xFFFFFFFFu}) {
        std::vector<uint8_t> image = whole;
        for (int i = 0; i < 4; ++i)
            image[symbols + 18 * count + size_t(i)] = uint8_t(size >> (8 * i));
        char name[64];
        EXPECT_FALSE(HasDebuggingSymbols(View(image))) << "string table size " << size;
        EXPECT_EQ(FindFunctionSymbol(View(image), 0x1150, name, sizeof name), 0x50);
        EXPECT_STREQ(name, "") << "string table size " << size;
        EXPECT_EQ(FindFunctionSymbol(View(image), 0x1045, name, sizeof name), 5);
        EXPECT_STREQ(name, "Helper");
    }
}

} // namespace
