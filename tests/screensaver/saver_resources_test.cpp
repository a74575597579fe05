// What Flarvex.scr carries besides its code: the version text, the name Windows lists it
// under, its icon (the one the build drew) and a manifest that makes it DPI aware.
#include "saver_process.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

constexpr char ProductText[] = "Flarvex clock 2.90b";
constexpr int IconSize = 32;
constexpr UINT DescriptionId = 1;
constexpr UINT IconId = 1;

std::string VersionString(const std::vector<char>& info, const char* key) {
    struct Translation {
        WORD Language, CodePage;
    }* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translations), &length) ||
        length < sizeof(Translation))
        return "(no translation)";
    char path[128];
    snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translations[0].Language,
             translations[0].CodePage, key);
    char* value = nullptr;
    if (!VerQueryValueA(info.data(), path, reinterpret_cast<void**>(&value), &length))
        return std::string("(no ") + path + ")";
    return std::string(value);
}

class SaverVersion : public testing::TestWithParam<const char*> {};

TEST_P(SaverVersion, NamesTheProduct) {
    std::string path = SaverPath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    ASSERT_GT(size, 0u) << path << " has no version resource (error " << GetLastError() << ")";
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, info.data()));
    EXPECT_EQ(VersionString(info, GetParam()), ProductText) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Keys, SaverVersion, testing::Values("FileDescription", "ProductName"));

// The icon drawn into a 32 x 32 bitmap over magenta, which no icon pixel here is.
std::vector<COLORREF> IconPixels(HICON icon) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, IconSize, IconSize);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    RECT all = {0, 0, IconSize, IconSize};
    FillRect(memory, &all, magenta);
    DrawIconEx(memory, 0, 0, icon, IconSize, IconSize, 0, nullptr, DI_NORMAL);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < IconSize; ++y)
        for (int x = 0; x < IconSize; ++x)
            pixels.push_back(GetPixel(memory, x, y));
    DeleteObject(magenta);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST(SaverResources, CarryTheClockIconAndTheListedName) {
    HMODULE saver = LoadLibraryExA(SaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(saver, nullptr) << "error " << GetLastError();
    char name[64] = "";
    EXPECT_GT(LoadStringA(saver, DescriptionId, name, sizeof name), 0);
    EXPECT_STREQ(name, "Flarvex clock");

    HICON icon = static_cast<HICON>(
        LoadImageA(saver, MAKEINTRESOURCEA(IconId), IMAGE_ICON, IconSize, IconSize, 0));
    ASSERT_NE(icon, nullptr) << "no icon " << IconId << " in " << SaverPath();
    HICON drawn = static_cast<HICON>(LoadImageA(nullptr, FLARVEX_CLOCK_ICON_PATH, IMAGE_ICON,
                                                IconSize, IconSize, LR_LOADFROMFILE));
    ASSERT_NE(drawn, nullptr) << "cannot load " << FLARVEX_CLOCK_ICON_PATH;
    std::vector<COLORREF> carried = IconPixels(icon), expected = IconPixels(drawn);
    for (size_t i = 0; i < carried.size(); ++i)
        ASSERT_EQ(carried[i], expected[i])
            << "the icon differs from " << FLARVEX_CLOCK_ICON_PATH << " first at (" << i % IconSize
            << ", " << i / IconSize << ")";
    DestroyIcon(drawn);
    DestroyIcon(icon);
    FreeLibrary(saver);
}

// The settings the loader reads from the manifest, as the system's own manifest reader gives
// them: per-monitor awareness, version 2 first, and the older form for systems before it.
// (Wine scales no program for DPI, so there the awareness shows in no pixel.)
TEST(SaverResources, DeclarePerMonitorDpiAwareness) {
    std::string path = SaverPath();
    ACTCTXA request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path.c_str();
    request.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = CreateActCtxA(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE)
        << "no usable manifest (error " << GetLastError() << ")";
    const struct {
        const wchar_t *Space, *Name, *Expected;
    } settings[] = {
        {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness",
         L"PerMonitorV2, PerMonitor"},
        {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true/pm"}};
    for (auto [space, name, expected] : settings) {
        wchar_t value[64] = L"";
        SIZE_T written = 0;
        EXPECT_TRUE(QueryActCtxSettingsW(0, context, space, name, value, 64, &written))
            << "no setting " << name;
        EXPECT_STREQ(value, expected);
    }
    ReleaseActCtx(context);
}

} // namespace
