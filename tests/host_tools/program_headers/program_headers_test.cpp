// Packing a program's headers: on a made-up program laid out as the linker lays out ours, and
// on programs it must leave alone.
#include "program_headers.h"

#include <gtest/gtest.h>

#include <string.h>

namespace {

constexpr uint32_t Pe = 0x80, Optional = Pe + 24, Table = Optional + 224,
                   ChecksumAt = Optional + 64;

void Put32(std::vector<uint8_t>& file, uint32_t at, uint32_t value) {
    memcpy(&file[at], &value, 4);
}
uint32_t Get32(const std::vector<uint8_t>& file, uint32_t at) {
    uint32_t value;
    memcpy(&value, &file[at], 4);
    return value;
}

// A program as the linker writes it: DOS header and program, PE headers at 0x80, sections
// whose data starts at 1,024 (one of them, like .bss, with none), each filled with its number.
std::vector<uint8_t> LinkedProgram(uint32_t sections = 5) {
    std::vector<uint8_t> file(1024 + 512 * (sections - 1), 0);
    file[0] = 'M', file[1] = 'Z';
    memcpy(&file[0x40], "This program cannot be run in DOS mode.", 39);
    Put32(file, 0x3C, Pe);
    memcpy(&file[Pe], "PE\0\0\x4C\x01", 6);
    file[Pe + 6] = uint8_t(sections);
    file[Pe + 20] = 224;
    file[Optional] = 0x0B, file[Optional + 1] = 0x01;
    Put32(file, Optional + 36, 512);  // file alignment
    Put32(file, Optional + 60, 1024); // size of headers
    Put32(file, ChecksumAt, 0x12345); // the linker's checksum
    Put32(file, Optional + 92, 16);   // directories
    for (uint32_t i = 0, offset = 1024; i < sections; ++i) {
        uint32_t header = Table + 40 * i;
        if (i == 2)
            continue; // no data in the file
        Put32(file, header + 16, 512);
        Put32(file, header + 20, offset);
        memset(&file[offset], int(i + 1), 512);
        offset += 512;
    }
    return file;
}

TEST(ProgramHeaders, PackedIntoOneStepWithEverySectionMovedUp) {
    const std::vector<uint8_t> linked = LinkedProgram();
    std::vector<uint8_t> file = linked;
    PackResult result = PackProgramHeaders(file);
    ASSERT_TRUE(result.Ok) << result.Problem;
    EXPECT_EQ(result.Saved, 512u);
    ASSERT_EQ(file.size(), linked.size() - 512);
    EXPECT_EQ(Get32(file, 0x3C), 0x40u);
    EXPECT_EQ(memcmp(&file[0x40], &linked[Pe], 24 + 60), 0)
        << "the PE headers follow the DOS header, the same up to the size of headers";
    const uint32_t optional = 0x40 + 24, table = optional + 224;
    EXPECT_EQ(Get32(file, optional + 60), 512u);
    // DOS loads the file from the header's end, here 0x10, and starts it at cs:ip.
    EXPECT_EQ(file[0x08] | file[0x09] << 8, 1) << "header paragraphs";
    EXPECT_EQ(0x10 + (file[0x16] | file[0x17] << 8) * 16 + (file[0x14] | file[0x15] << 8), 0x1C);
    EXPECT_EQ(memcmp(&file[0x1C], "\x0E\x1F\xBA\x1A\x00", 5), 0) << "the DOS program";
    EXPECT_EQ(memcmp(&file[0x2A], "Needs Windows.\r\n$", 17), 0);
    for (uint32_t i = 0; i < 5; ++i) {
        uint32_t offset = Get32(file, table + 40 * i + 20);
        if (i == 2) {
            EXPECT_EQ(offset, 0u) << "a section without data keeps no offset";
            continue;
        }
        EXPECT_EQ(offset, Get32(linked, Table + 40 * i + 20) - 512) << "section " << i;
        EXPECT_EQ(file[offset], i + 1);
        EXPECT_EQ(file[offset + 511], i + 1);
    }
    EXPECT_EQ(Get32(file, optional + 64), ProgramChecksum(file, optional + 64));
    EXPECT_NE(Get32(file, optional + 64), 0x12345u);

    std::vector<uint8_t> again = file;
    result = PackProgramHeaders(again);
    EXPECT_TRUE(result.Ok);
    EXPECT_EQ(result.Saved, 0u) << "packed headers have nothing more to give";
    EXPECT_EQ(again, file);
}

TEST(ProgramHeaders, LeavesAloneWhatItCannotPackSafely) {
    struct Case {
        const char* what;
        void (*spoil)(std::vector<uint8_t>&);
        bool ok;
    };
    const Case cases[] = {
        {"no DOS header", [](std::vector<uint8_t>& f) { f[0] = 'X'; }, false},
        {"no PE header", [](std::vector<uint8_t>& f) { f[Pe] = 'X'; }, false},
        {"PE header beyond the end", [](std::vector<uint8_t>& f) { Put32(f, 0x3C, 0xFFFFFF00); },
         false},
        {"a 64-bit program", [](std::vector<uint8_t>& f) { f[Optional + 1] = 0x02; }, false},
        {"a symbol table", [](std::vector<uint8_t>& f) { Put32(f, Pe + 12, 0x400); }, false},
        {"a signature", [](std::vector<uint8_t>& f) { Put32(f, Optional + 96 + 8 * 4 + 4, 8); },
         false},
        {"a debug directory",
         [](std::vector<uint8_t>& f) { Put32(f, Optional + 96 + 8 * 6 + 4, 28); }, false},
        {"section data inside the headers",
         [](std::vector<uint8_t>& f) { Put32(f, Table + 20, 600); }, false},
        {"section data past the end",
         [](std::vector<uint8_t>& f) { Put32(f, Table + 16, 0x10000); }, false},
        {"a file alignment of 0", [](std::vector<uint8_t>& f) { Put32(f, Optional + 36, 0); },
         false},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> file = LinkedProgram();
        c.spoil(file);
        const std::vector<uint8_t> spoiled = file;
        PackResult result = PackProgramHeaders(file);
        EXPECT_EQ(result.Ok, c.ok) << c.what;
        EXPECT_FALSE(result.Problem.empty()) << c.what;
        EXPECT_EQ(file, spoiled) << c.what << ": the file changed";
    }
    // Six sections: even without the DOS program the headers need two steps.
    std::vector<uint8_t> six = LinkedProgram(6);
    const std::vector<uint8_t> linked = six;
    PackResult result = PackProgramHeaders(six);
    EXPECT_TRUE(result.Ok);
    EXPECT_EQ(result.Saved, 0u);
    EXPECT_EQ(six, linked);
}

} // namespace
