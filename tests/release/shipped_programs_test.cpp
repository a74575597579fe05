// The programs that ship, read from the built files as tools that read Windows programs read
// them: every function they import, against the oldest Windows that has it, and a layout with
// nothing that such tools would misread.
#include "file_bytes.h"
#include "pe_file.h"
#include "program_headers.h"

#include <gtest/gtest.h>

#include <string.h>

#include <map>
#include <stdexcept>

namespace {

// Every function the shipped programs import, by library and the oldest Windows that has it,
// as the system's version number (major << 16 | minor): 4.0 is Windows 95 and NT 4.0, 5.0 is
// 2000, 5.1 XP, 6.0 Vista. A new import fails the tests until it is listed here with its
// version; one younger than the Windows the header admits is looked up at run time instead.
// (Windows 95, 98 and Me have MoveFileExA without carrying it out: there a reinstall reports
// that it cannot replace the file.)
constexpr uint32_t Windows95 = 4 << 16;
const struct {
    const char* Library;
    uint32_t Version;
    const char* Names; // each between blanks
} Known[] = {
    {"kernel32.dll", Windows95,
     " CloseHandle CreateFileA CreateFileMappingA CreateMutexA CreateThread DeleteFileA "
     "ExitProcess GetCommandLineA GetCurrentThreadId GetFileAttributesA GetFileSize "
     "GetFileType GetLastError GetLocalTime GetModuleFileNameA GetModuleHandleA "
     "GetPrivateProfileSectionA GetPrivateProfileSectionNamesA GetPrivateProfileStringA "
     "GetProcAddress GetStartupInfoA GetStdHandle GetVersion GetWindowsDirectoryA MapViewOfFile "
     "MoveFileExA SetFileAttributesA SetUnhandledExceptionFilter UnmapViewOfFile "
     "WaitForSingleObject WriteFile WritePrivateProfileStringA "},
    {"user32.dll", Windows95,
     " BeginPaint CallNextHookEx CheckDlgButton CheckRadioButton CreateWindowExA DefWindowProcA "
     "DestroyWindow DialogBoxParamA DispatchMessageA DrawTextA EnableWindow EndDialog EndPaint "
     "FindWindowA GetClientRect GetCursorPos GetDC GetDCEx GetDesktopWindow GetDlgItem GetFocus "
     "GetMessageA GetSystemMetrics IntersectRect InvalidateRect IsDlgButtonChecked IsWindow "
     "KillTimer LoadCursorA LoadIconA MapWindowPoints MessageBoxA PostQuitMessage RegisterClassA "
     "ReleaseDC ScreenToClient SetCursor SetForegroundWindow SetTimer SetWindowsHookExA "
     "ShowCursor TranslateMessage UpdateWindow "},
    {"gdi32.dll", Windows95,
     " BitBlt CreateCompatibleDC CreateDIBSection CreateSolidBrush DeleteDC DeleteObject "
     "GetStockObject PatBlt RoundRect SelectObject SetBkMode SetTextColor StretchDIBits "},
    {"advapi32.dll", Windows95,
     " RegCloseKey RegCreateKeyExA RegOpenKeyExA RegQueryValueExA RegSetValueExA "},
};

// What each kind of section may be: its contents and its access, nothing more. (The linker
// makes the resources writable, as it does every section of data it lays out itself.)
constexpr uint32_t Code = 0x20, Data = 0x40, Zeroed = 0x80, Discardable = 0x02000000,
                   Execute = 0x20000000, Read = 0x40000000, Write = 0x80000000;
const std::map<std::string, uint32_t> SectionKinds = {
    {".text", Code | Execute | Read},      {".rdata", Data | Read},
    {".data", Data | Read | Write},        {".bss", Zeroed | Read | Write},
    {".idata", Data | Read | Write},       {".rsrc", Data | Read | Write},
    {".reloc", Data | Discardable | Read},
};

uint32_t Read16(const std::vector<uint8_t>& file, size_t at) {
    if (at + 2 > file.size())
        throw std::runtime_error("offset " + std::to_string(at) + " is past the end");
    return file[at] | file[at + 1] << 8;
}
uint32_t Read32(const std::vector<uint8_t>& file, size_t at) {
    return Read16(file, at) | Read16(file, at + 2) << 16;
}

class ShippedProgram : public ::testing::TestWithParam<const char*> {
  protected:
    void SetUp() override {
        file = ReadFileVector(std::string(MAIN_BUILD) + "/" + GetParam());
        try {
            pe = ParsePe(file);
        } catch (const std::exception& e) {
            FAIL() << GetParam() << ": " << e.what();
        }
    }
    std::vector<uint8_t> file;
    PeFile pe;
};

TEST_P(ShippedProgram, ImportsOnlyWhatTheWindowsItsHeaderAdmitsHas) {
    uint32_t admitted = pe.SubsystemMajor << 16 | pe.SubsystemMinor;
    EXPECT_EQ(admitted, Windows95) << "the header admits Windows 95 and NT 4.0";
    for (const PeImportedLibrary& library : pe.ImportTables)
        for (const std::string& function : library.Addressed) {
            uint32_t version = 0;
            for (const auto& known : Known)
                if (library.Name == known.Library &&
                    strstr(known.Names, (" " + function + " ").c_str()) != nullptr)
                    version = known.Version;
            EXPECT_NE(version, 0u) << function << " from " << library.Name
                                   << " is not listed: add it with its version";
            EXPECT_LE(version, admitted)
                << function << " needs Windows " << (version >> 16) << "." << (version & 0xFFFF);
        }
}

TEST_P(ShippedProgram, HasEveryImportInBothTablesAndTheAddressTablesInTheirDirectory) {
    ASSERT_GT(pe.Directories.size(), size_t(PeImportAddressDirectory));
    const PeDirectory& addresses = pe.Directories[PeImportAddressDirectory];
    uint32_t entries = 0;
    for (const PeImportedLibrary& library : pe.ImportTables) {
        uint32_t size = static_cast<uint32_t>(4 * (library.Addressed.size() + 1));
        EXPECT_FALSE(library.Addressed.empty()) << library.Name;
        EXPECT_EQ(library.LookedUp, library.Addressed)
            << library.Name << ": the lookup table is missing or names other functions";
        EXPECT_TRUE(library.AddressTable >= addresses.Address &&
                    library.AddressTable + size <= addresses.Address + addresses.Size)
            << library.Name << "'s address table lies outside its directory";
        entries += size;
    }
    EXPECT_EQ(addresses.Size, entries) << "the directory holds the address tables only";
    EXPECT_GE(pe.Directories[PeImportDirectory].Size, 20 * (pe.ImportTables.size() + 1));
}

TEST_P(ShippedProgram, HasADosProgramThenHeadersThenSectionsInOrderEachOfAKnownKind) {
    // DOS loads the file from its header's end and starts at cs:ip: push cs, pop ds, and the
    // message at ds:dx, ended by '$', before the PE header.
    uint32_t load = Read16(file, 0x08) * 16;
    uint32_t entry = load + Read16(file, 0x16) * 16 + Read16(file, 0x14);
    ASSERT_LT(entry + 5, pe.PeOffset);
    EXPECT_EQ(Read16(file, entry), 0x1F0Eu) << "push cs, pop ds";
    EXPECT_EQ(file[entry + 2], 0xBA) << "mov dx";
    uint32_t message = load + Read16(file, entry + 3);
    ASSERT_LT(message, pe.PeOffset);
    EXPECT_NE(std::string(file.begin() + message, file.begin() + pe.PeOffset).find('$'),
              std::string::npos)
        << "the message has no end";

    EXPECT_EQ(pe.FileAlignment, 512u);
    EXPECT_EQ(pe.SectionAlignment, 4096u);
    EXPECT_EQ(pe.HeadersSize % pe.FileAlignment, 0u);
    EXPECT_GE(pe.HeadersSize, pe.PeOffset + 24 + 224 + 40 * pe.Sections.size())
        << "the section table lies beyond the headers";
    uint32_t address = pe.SectionAlignment, offset = pe.HeadersSize;
    for (const PeSection& s : pe.Sections) {
        SCOPED_TRACE(s.Name);
        auto kind = SectionKinds.find(s.Name);
        ASSERT_NE(kind, SectionKinds.end()) << "a section of no known kind";
        EXPECT_EQ(s.Characteristics & (Code | Data | Zeroed | Discardable | Execute | Read | Write),
                  kind->second);
        EXPECT_EQ(s.Address, address) << "sections follow each other in memory";
        address +=
            (s.VirtualSize + pe.SectionAlignment - 1) / pe.SectionAlignment * pe.SectionAlignment;
        if (s.FileSize == 0)
            continue;
        EXPECT_EQ(s.FileOffset, offset) << "sections follow each other in the file";
        EXPECT_EQ(s.FileSize % pe.FileAlignment, 0u);
        offset += s.FileSize;
    }
    EXPECT_EQ(pe.ImageSize, address);
    EXPECT_EQ(offset + pe.CertificateSize, file.size()) << "nothing but a signature follows";
}

TEST_P(ShippedProgram, CanBeLoadedAnywhereAndIsMarkedForTodaysWindows) {
    EXPECT_FALSE(pe.Characteristics & PeCharacteristicRelocsStripped);
    EXPECT_EQ(pe.DllCharacteristics & (PeDynamicBase | PeNxCompatible | PeTerminalServerAware),
              PeDynamicBase | PeNxCompatible | PeTerminalServerAware);
    EXPECT_EQ(pe.Checksum, ProgramChecksum(file, pe.ChecksumOffset));

    // The relocations: blocks of one page each, every entry a 32-bit address in the image or
    // padding.
    ASSERT_GT(pe.Directories.size(), size_t(PeRelocationDirectory));
    const PeDirectory& relocations = pe.Directories[PeRelocationDirectory];
    size_t at = FileOffsetOf(pe, relocations.Address), end = at + relocations.Size;
    int addresses = 0;
    while (at < end) {
        uint32_t page = Read32(file, at), size = Read32(file, at + 4);
        ASSERT_TRUE(size >= 8 && size % 4 == 0 && at + size <= end) << "a block of " << size;
        for (uint32_t i = 8; i < size; i += 2) {
            uint32_t entry = Read16(file, at + i), type = entry >> 12;
            EXPECT_TRUE(type == 3 || (type == 0 && i + 2 == size)) << "type " << type;
            addresses += type == 3;
            EXPECT_LT(page + (entry & 0xFFF) + 4, pe.ImageSize);
        }
        at += size;
    }
    EXPECT_GT(addresses, 0) << "no relocations: the program could not move";
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedProgram, ::testing::Values("setup.exe", "Flarvex.scr"),
                         [](const auto& info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
