// The resources built into setup.exe, read back the way Windows reads them.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

class SetupResources : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        Module = LoadLibraryExA(SETUP_PROGRAM, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        FreeLibrary(Module);
    }
    void SetUp() override {
        ASSERT_NE(Module, nullptr) << "cannot load " << SETUP_PROGRAM;
    }
    static std::string Resource(LPCSTR name, LPCSTR type) {
        HRSRC found = FindResourceA(Module, name, type);
        if (!found)
            return {};
        const char* data = static_cast<const char*>(LockResource(LoadResource(Module, found)));
        return std::string(data, SizeofResource(Module, found));
    }
    static HMODULE Module;
};
HMODULE SetupResources::Module;

TEST_F(SetupResources, ManifestAsksForAdministratorRightsGdiScalingAndNamesTheWindowsVersions) {
    std::string manifest = Resource(MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_FALSE(manifest.empty()) << "no manifest";
    EXPECT_NE(manifest.find("<requestedExecutionLevel level=\"requireAdministrator\""),
              std::string::npos);
    const char* versions[] = {
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"};
    for (const char* id : versions)
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + id + "\"/>"), std::string::npos)
            << id;
    // Read only in the application settings of the version 3 namespace, and only with its own.
    EXPECT_NE(manifest.find("<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">"
                            "<windowsSettings><gdiScaling xmlns=\"http://schemas.microsoft.com/"
                            "SMI/2017/WindowsSettings\">true</gdiScaling></windowsSettings>"
                            "</application>"),
              std::string::npos)
        << manifest;
}

TEST_F(SetupResources, VersionNamesTheProgram) {
    DWORD ignored;
    DWORD size = GetFileVersionInfoSizeA(SETUP_PROGRAM, &ignored);
    ASSERT_GT(size, 0u);
    std::string block(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(SETUP_PROGRAM, 0, size, &block[0]));
    char* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\StringFileInfo\\040904B0\\FileDescription",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, "Flarvex clock 2.90b installation setup");
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(90, 2));
}

TEST_F(SetupResources, HintCursorIsFoundByItsMixedCaseName) {
    HCURSOR cursor = LoadCursorA(Module, "Hint_Cur");
    ASSERT_NE(cursor, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 1u);
    EXPECT_EQ(info.yHotspot, 4u);
    BITMAP mask;
    GetObjectA(info.hbmMask, sizeof mask, &mask);
    EXPECT_EQ(mask.bmWidth, 32);
    DeleteObject(info.hbmMask);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR names) {
    reinterpret_cast<std::string*>(names)->append(IS_INTRESOURCE(name) ? "#" : name).append(" ");
    return TRUE;
}

TEST_F(SetupResources, OnlyIconIsTheProgramFilesIconAndTheClassIconIsAbsent) {
    std::string icons;
    EnumResourceNamesA(Module, RT_GROUP_ICON, CollectName, reinterpret_cast<LONG_PTR>(&icons));
    EXPECT_EQ(icons, "SETUP_ICO ");
    EXPECT_EQ(FindResourceA(Module, "SETUP", RT_GROUP_ICON), nullptr)
        << "the window class asks for an icon that is not there";
    HICON icon = LoadIconA(Module, "SETUP_ICO");
    ASSERT_NE(icon, nullptr);
    ICONINFO info;
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour;
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmHeight, 32);
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
}

} // namespace
