// The finished cursor and icons as Windows loads them, from their files and from resources
// compiled in by windres: their size, the cursor's hot spot, and every pixel drawn against the
// pixel art they were made from.
#include "file_bytes.h"
#include "pixel_art.h"
#include "pixel_canvas.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

namespace {

const std::string ArtFolder = ART_DIR;
const std::string FilesFolder = ART_FILES_DIR;

// Drawn on a colour that is not in the palette, so every transparent pixel shows.
constexpr COLORREF Background = RGB(12, 200, 34);

PixelArt LoadArt(const std::string& name) {
    ArtLegend legend;
    PixelArt art = {};
    ArtProblem problem;
    EXPECT_TRUE(ParseArtLegend(ReadFileBytes(ArtFolder + "/palette.txt"), legend, problem))
        << "palette.txt:" << problem.Line << ": " << problem.Message;
    EXPECT_TRUE(ParsePixelArt(ReadFileBytes(ArtFolder + "/" + name + ".txt"), legend, art, problem))
        << name << ".txt:" << problem.Line << ": " << problem.Message;
    return art;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// Draws the icon or cursor on the background and compares each pixel with the art.
void ExpectDrawnAsTheArt(HICON icon, const PixelArt& art, const std::string& what) {
    PixelCanvas canvas(ArtSize, ArtSize);
    ASSERT_NE(canvas.Dc(), nullptr) << what;
    HBRUSH brush = CreateSolidBrush(Background);
    RECT all = {0, 0, ArtSize, ArtSize};
    FillRect(canvas.Dc(), &all, brush);
    DeleteObject(brush);
    EXPECT_TRUE(DrawIconEx(canvas.Dc(), 0, 0, icon, ArtSize, ArtSize, 0, nullptr, DI_NORMAL))
        << what;
    const std::vector<uint32_t> pixels = canvas.Pixels();
    int wrong = 0;
    for (int y = 0; y < ArtSize && wrong < 5; ++y) {
        for (int x = 0; x < ArtSize && wrong < 5; ++x) {
            const uint8_t entry = art.Pixels[y][x];
            const uint32_t expected = entry == TransparentPixel
                                          ? uint32_t(GetRValue(Background)) << 16 |
                                                GetGValue(Background) << 8 | GetBValue(Background)
                                          : uint32_t(StandardPalette[entry].Red) << 16 |
                                                StandardPalette[entry].Green << 8 |
                                                StandardPalette[entry].Blue;
            const uint32_t drawn = pixels[y * ArtSize + x];
            if (drawn != expected) {
                ++wrong;
                ADD_FAILURE() << what << ": pixel " << x << ", " << y << " is 0x" << std::hex
                              << drawn << ", the art says 0x" << expected;
            }
        }
    }
}

struct ArtFile {
    const char* Name;     // the art and the file: <Name>.txt, <Name>.cur or .ico
    const char* Resource; // the resource it is compiled in as, asked for in other case
    bool Cursor;
    LONG HotSpotX, HotSpotY;
};

const ArtFile Files[] = {
    {"hint_cursor", "Hint_Cur", true, 1, 4},
    {"setup_icon", "Setup_Ico", false, 16, 16},
    {"clock_icon", "Clock_Ico", false, 16, 16},
};

void ExpectLoadedAsTheArt(HICON handle, const ArtFile& file, const std::string& what) {
    ASSERT_NE(handle, nullptr) << what << ": error " << GetLastError();
    ICONINFO icon = {};
    ASSERT_TRUE(GetIconInfo(handle, &icon)) << what;
    EXPECT_EQ(icon.fIcon, file.Cursor ? FALSE : TRUE) << what;
    EXPECT_EQ(icon.xHotspot, DWORD(file.HotSpotX)) << what << ": hot spot x";
    EXPECT_EQ(icon.yHotspot, DWORD(file.HotSpotY)) << what << ": hot spot y";
    ASSERT_NE(icon.hbmColor, nullptr) << what << ": a colour image";
    const SIZE colour = BitmapSize(icon.hbmColor), mask = BitmapSize(icon.hbmMask);
    EXPECT_EQ(colour.cx, ArtSize) << what;
    EXPECT_EQ(colour.cy, ArtSize) << what;
    EXPECT_EQ(mask.cx, ArtSize) << what;
    EXPECT_EQ(mask.cy, ArtSize) << what;
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    ExpectDrawnAsTheArt(handle, LoadArt(file.Name), what);
}

TEST(ArtFilesTest, EachFileLoadsAsItsArt) {
    for (const ArtFile& file : Files) {
        const std::string path = FilesFolder + "/" + file.Name + (file.Cursor ? ".cur" : ".ico");
        // Size 0 x 0 without LR_DEFAULTSIZE: the image as the file holds it.
        HANDLE handle = LoadImageA(nullptr, path.c_str(), file.Cursor ? IMAGE_CURSOR : IMAGE_ICON,
                                   0, 0, LR_LOADFROMFILE);
        ExpectLoadedAsTheArt(static_cast<HICON>(handle), file, path);
        if (handle)
            file.Cursor ? DestroyCursor(static_cast<HCURSOR>(handle))
                        : DestroyIcon(static_cast<HICON>(handle));
    }
}

TEST(ArtFilesTest, EachResourceLoadsByNameAsItsArt) {
    HINSTANCE self = GetModuleHandleA(nullptr);
    for (const ArtFile& file : Files) {
        // Shared resources: the system owns them, nothing to destroy.
        HICON handle =
            file.Cursor ? LoadCursorA(self, file.Resource) : LoadIconA(self, file.Resource);
        ExpectLoadedAsTheArt(handle, file, std::string("resource ") + file.Resource);
    }
}

} // namespace
