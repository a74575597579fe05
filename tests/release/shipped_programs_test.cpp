// The programs that ship, read from the built files as tools that read Windows programs read
// them: every function they import is one that the oldest Windows they admit has, and a layout
// with nothing that such tools would misread.
#include "file_bytes.h"
#include "pe_file.h"
#include "program_headers.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace {

// Every function the shipped programs import, by library: all of them are in Windows 95 and
// NT 4.0, the oldest Windows the headers admit. A new import fails the tests until it is
// listed here; one that only later Windows have is looked up at run time instead. (Windows 95,
// 98 and Me have MoveFileExA without carrying it out: there a reinstall reports that it
// cannot replace the file.)
const std::map<std::string, std::string> Known = {
    {"kernel32.dll",
     " CloseHandle CreateFileA CreateFileMappingA CreateMutexA CreateThread DeleteFileA "
     "ExitProcess GetCommandLineA GetCurrentThreadId GetFileAttributesA GetFileSize "
     "GetFileType GetLastError GetLocalTime GetModuleFileNameA GetModuleHandleA "
     "GetPrivateProfileSectionA GetPrivateProfileSectionNamesA GetPrivateProfileStringA "
     "GetProcAddress GetStartupInfoA GetStdHandle GetVersion GetWindowsDirectoryA MapViewOfFile "
     "MoveFileExA SetFileAttributesA SetUnhandledExceptionFilter UnmapViewOfFile "
     "WaitForSingleObject WriteFile WritePrivateProfileStringA "},
    {"user32.dll",
     " BeginPaint CallNextHookEx CheckDlgButton CheckRadioButton CreateWindowExA DefWindowProcA "
     "DestroyWindow DialogBoxParamA DispatchMessageA DrawTextA EnableWindow EndDialog EndPaint "
     "FindWindowA GetClientRect GetCursorPos GetDC GetDCEx GetDesktopWindow GetDlgItem GetFocus "
     "GetMessageA GetSystemMetrics IntersectRect InvalidateRect IsDlgButtonChecked IsWindow "
     "KillTimer LoadCursorA LoadIconA MapWindowPoints MessageBoxA PostQuitMessage RegisterClassA "
     "ReleaseDC ScreenToClient SetCursor SetForegroundWindow SetTimer SetWindowsHookExA "
     "ShowCursor TranslateMessage UpdateWindow "},
    {"gdi32.dll",
     " BitBlt CreateCompatibleDC CreateDIBSection CreateSolidBrush DeleteDC DeleteObject "
     "GetStockObject PatBlt RoundRect SelectObject SetBkMode SetTextColor StretchDIBits "},
    {"advapi32.dll", " RegCloseKey RegCreateKeyExA RegOpenKeyExA RegQueryValueExA RegSetValueExA "},
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
    EXPECT_EQ(pe.SubsystemMajor << 16 | pe.SubsystemMinor, 4 << 16)
        << "the header admits Windows 95 and NT 4.0";
    for (const PeImportedLibrary& library : pe.ImportTables)
        for (const std::string& function : library.Addressed) {
            auto known = Known.find(library.Name);
            EXPECT_TRUE(known != Known.end() &&
                        known->second.find(" " + function + " ") != std::string::npos)
                << function << " from " << library.Name << " is not listed";
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

TEST_P(ShippedProgram, HasHeadersThenSectionsInOrderEachOfAKnownKind) {
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

    ASSERT_GT(pe.Directories.size(), size_t(PeRelocationDirectory));
    EXPECT_GT(pe.Directories[PeRelocationDirectory].Size, 0u) << "no relocations: it cannot move";
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedProgram, ::testing::Values("setup.exe", "Flarvex.scr"),
                         [](const auto& info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
