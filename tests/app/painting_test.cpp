// Painting the setup window with the real gdi32: the picture, the title and the buttons, read
// back from the window.
#include "painting.h"
#include "pixel_stream.h"
#include "setup_state.h"
#include "start_up.h"
#include "wallpaper_stream.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr COLORREF Marker = RGB(0, 255, 0); // in no part of the window's painting

// The window as the program makes it, its device context kept as the program keeps it.
class Painting : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        windowClass.lpszClassName = "PaintingTest";
        RegisterClassA(&windowClass);
        MainWindow =
            CreateWindowExA(WS_EX_DLGMODALFRAME, "PaintingTest", " Setup", WS_VISIBLE, 50, 50,
                            PictureWidth, PictureHeight + GetSystemMetrics(SM_CYCAPTION), nullptr,
                            nullptr, windowClass.hInstance, nullptr);
        WindowDC = GetDC(MainWindow);
        SetBkMode(WindowDC, TRANSPARENT);
        NormalBrush = CreateSolidBrush(RGB(32, 32, 117));
        SelectedBrush = CreateSolidBrush(RGB(176, 176, 240));
        ButtonCaptions[1] = "Install";
        ButtonCaptions[2] = "Uninstall";
        ButtonCaptions[3] = "Exit";
        FillButtonTable();
        PrepareBitmapHeader();
        Picture.resize(PixelBufferSize / 4);
        DecodePixelStream(WallpaperStream, Picture.data());
    }

    void SetUp() override {
        RECT client;
        GetClientRect(MainWindow, &client);
        width = client.right;
        height = client.bottom;
        SelectedButton = 1;
    }

    // The client area's pixels as 0x00RRGGBB.
    std::vector<uint32_t> Shown() {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC memory = CreateCompatibleDC(WindowDC);
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, WindowDC, 0, 0, SRCCOPY);
        GdiFlush();
        const uint32_t* pixels = static_cast<const uint32_t*>(bits);
        std::vector<uint32_t> shown(pixels, pixels + width * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        for (uint32_t& p : shown)
            p &= 0xFFFFFF;
        return shown;
    }

    uint32_t At(const std::vector<uint32_t>& shown, int x, int y) {
        return shown[y * width + x];
    }

    static bool InButtonOrTitle(int x, int y) {
        for (int top : {30, 90, 150})
            if (x >= 35 && x <= 110 && y >= top && y <= top + 30)
                return true;
        return x >= 250 && x <= 351 && y >= 179 && y <= 250;
    }

    void Mark(int left, int top, int right, int bottom) {
        RECT r = {left, top, right, bottom};
        HBRUSH brush = CreateSolidBrush(Marker);
        FillRect(WindowDC, &r, brush);
        DeleteObject(brush);
    }

    // The fill of button i, away from its outline and its caption.
    uint32_t Fill(const std::vector<uint32_t>& shown, int i) {
        return At(shown, 40, 30 + 60 * (i - 1) + 3);
    }

    static std::vector<uint32_t> Picture;
    int width = 0, height = 0;
};
std::vector<uint32_t> Painting::Picture;

uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r << 16 | g << 8 | b);
}

TEST_F(Painting, BitmapHeaderDescribesTheBuffer) {
    EXPECT_EQ(BitmapHeader.biSize, 40u);
    EXPECT_EQ(BitmapHeader.biWidth, 366);
    EXPECT_EQ(BitmapHeader.biHeight, -275);
    EXPECT_EQ(BitmapHeader.biPlanes, 1);
    EXPECT_EQ(BitmapHeader.biBitCount, 32);
    EXPECT_EQ(BitmapHeader.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(BitmapHeader.biSizeImage, 0u);
    EXPECT_EQ(BitmapHeader.biXPelsPerMeter, 1800);
    EXPECT_EQ(BitmapHeader.biYPelsPerMeter, 1800);
    EXPECT_EQ(BitmapHeader.biClrUsed, 0u);
    EXPECT_EQ(BitmapHeader.biClrImportant, 0u);
}

TEST_F(Painting, FullRepaintDecodesThePictureAnewAndShowsItOneToOne) {
    memset(PixelBuffer, 0x5A, sizeof PixelBuffer); // what a repaint that skipped the decode shows
    RepaintWindow();
    ASSERT_EQ(memcmp(PixelBuffer, Picture.data(), PixelBufferSize), 0);
    std::vector<uint32_t> shown = Shown();
    ASSERT_EQ(width, 360) << "the client area clips the picture";
    ASSERT_EQ(height, 269);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (InButtonOrTitle(x, y))
                continue;
            ASSERT_EQ(At(shown, x, y), Picture[y * PictureWidth + x]) << "at " << x << ", " << y;
        }
    }
}

TEST_F(Painting, TitleAndButtonsInTheirColours) {
    SelectedButton = 2;
    RepaintWindow();
    std::vector<uint32_t> shown = Shown();
    EXPECT_EQ(Fill(shown, 1), Rgb(32, 32, 117));
    EXPECT_EQ(Fill(shown, 2), Rgb(176, 176, 240));
    EXPECT_EQ(Fill(shown, 3), Rgb(32, 32, 117));
    auto count = [&](uint32_t colour, int left, int top, int right, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                n += At(shown, x, y) == colour;
        return n;
    };
    EXPECT_GT(count(Rgb(221, 221, 238), 36, 35, 110, 55), 20) << "caption of button 1";
    EXPECT_GT(count(Rgb(255, 255, 255), 36, 95, 110, 115), 20) << "caption of button 2";
    EXPECT_EQ(count(Rgb(255, 255, 255), 36, 35, 110, 55), 0);
    EXPECT_GT(count(Rgb(255, 255, 64), 250, 179, 351, 250), 50) << "the title";
    EXPECT_GT(count(Rgb(64, 0, 0), 250, 179, 352, 251), 50) << "its shadow";
    EXPECT_EQ(count(Rgb(255, 255, 64), 0, 0, 250, height), 0) << "the title stays in its box";
}

TEST_F(Painting, HoverRedrawsTheButtonsOnlyAndOnlyWhenTheSelectionChanges) {
    RepaintWindow();
    Mark(200, 20, 220, 40); // on the picture
    Mark(38, 93, 48, 98);   // inside button 2's fill
    SelectButton1();        // already selected: nothing is drawn
    std::vector<uint32_t> shown = Shown();
    EXPECT_EQ(At(shown, 40, 95), Rgb(0, 255, 0)) << "selecting the selected button redrew";
    SelectButton2();
    shown = Shown();
    EXPECT_EQ(SelectedButton, 2);
    EXPECT_EQ(At(shown, 210, 30), Rgb(0, 255, 0)) << "hovering redrew the picture";
    EXPECT_EQ(Fill(shown, 2), Rgb(176, 176, 240));
    EXPECT_EQ(At(shown, 40, 95), Rgb(176, 176, 240)) << "the buttons were redrawn";
    EXPECT_EQ(Fill(shown, 1), Rgb(32, 32, 117));
    Mark(38, 93, 48, 98);
    SelectButton2();
    EXPECT_EQ(At(Shown(), 40, 95), Rgb(0, 255, 0)) << "no redraw without a change";
    SelectButton3();
    EXPECT_EQ(Fill(Shown(), 3), Rgb(176, 176, 240));
    RepaintWindow();
    EXPECT_EQ(At(Shown(), 210, 30), Picture[30 * PictureWidth + 210]) << "a full repaint does";
}

} // namespace
