// Painting the setup window with the real gdi32: the picture, the title and the buttons, read
// back from the window.
#include "painting.h"
#include "pixel_canvas.h"
#include "pixel_stream.h"
#include "runtime_state.h"
#include "setup_look.h"
#include "setup_state.h"
#include "start_up.h"
#include "wallpaper_stream.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

// In no part of the window's painting. Pure green reads the same as a COLORREF and as a pixel
// read back.
constexpr uint32_t Marker = 0x00FF00;

// The window and the state as start-up makes them.
class Painting : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ModuleInstance = GetModuleHandleA(nullptr); // as the runtime's start-up leaves it
        PrepareSetupState();
        CreateSetupWindow();
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
        PixelCanvas canvas(width, height);
        canvas.CopyFrom(WindowDC, 0, 0);
        return canvas.Pixels();
    }

    uint32_t At(const std::vector<uint32_t>& shown, int x, int y) {
        return shown[y * width + x];
    }

    // How many pixels of the box show colour.
    int Count(const std::vector<uint32_t>& shown, uint32_t colour, const look::Box& box) {
        int n = 0;
        for (int y = box.Top; y <= box.Bottom; ++y)
            for (int x = box.Left; x <= box.Right; ++x)
                n += At(shown, x, y) == colour;
        return n;
    }

    void Mark(int left, int top, int right, int bottom) {
        RECT r = {left, top, right, bottom};
        HBRUSH brush = CreateSolidBrush(Marker);
        FillRect(WindowDC, &r, brush);
        DeleteObject(brush);
    }

    // The fill of button i, away from its outline and its caption.
    uint32_t Fill(const std::vector<uint32_t>& shown, int i) {
        return At(shown, look::FillX(i), look::FillY(i));
    }

    static std::vector<uint32_t> Picture;
    int width = 0, height = 0;
};
std::vector<uint32_t> Painting::Picture;

TEST_F(Painting, BitmapHeaderDescribesTheBuffer) {
    EXPECT_EQ(BitmapHeader.biSize, 40u);
    EXPECT_EQ(BitmapHeader.biWidth, look::PictureWidth);
    EXPECT_EQ(BitmapHeader.biHeight, -look::PictureHeight);
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
    ASSERT_EQ(width, look::ClientWidth) << "the client area clips the picture";
    ASSERT_EQ(height, look::ClientHeight);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (look::InButtonOrTitle(x, y))
                continue;
            ASSERT_EQ(At(shown, x, y), Picture[y * look::PictureWidth + x])
                << "at " << x << ", " << y;
        }
    }
}

TEST_F(Painting, TitleAndButtonsInTheirColours) {
    SelectedButton = 2;
    RepaintWindow();
    std::vector<uint32_t> shown = Shown();
    EXPECT_EQ(Fill(shown, 1), look::NormalFill);
    EXPECT_EQ(Fill(shown, 2), look::SelectedFill);
    EXPECT_EQ(Fill(shown, 3), look::NormalFill);
    EXPECT_GT(Count(shown, look::Caption, look::CaptionBandOf(1)), 20) << "caption of button 1";
    EXPECT_GT(Count(shown, look::SelectedCaption, look::CaptionBandOf(2)), 20)
        << "caption of button 2";
    EXPECT_EQ(Count(shown, look::SelectedCaption, look::CaptionBandOf(1)), 0);
    EXPECT_GT(Count(shown, look::Title, look::TitleBox), 50) << "the title";
    EXPECT_GT(Count(shown, look::TitleShadow, look::TitleArea), 50) << "its shadow";
    EXPECT_EQ(Count(shown, look::Title, {0, 0, look::TitleBox.Left - 1, height - 1}), 0)
        << "the title stays in its box";
}

TEST_F(Painting, HoverRedrawsTheButtonsOnlyAndOnlyWhenTheSelectionChanges) {
    RepaintWindow();
    Mark(200, 20, 220, 40); // on the picture
    Mark(38, 93, 48, 98);   // inside button 2's fill
    SelectButton1();        // already selected: nothing is drawn
    std::vector<uint32_t> shown = Shown();
    EXPECT_EQ(At(shown, 40, 95), Marker) << "selecting the selected button redrew";
    SelectButton2();
    shown = Shown();
    EXPECT_EQ(SelectedButton, 2);
    EXPECT_EQ(At(shown, 210, 30), Marker) << "hovering redrew the picture";
    EXPECT_EQ(Fill(shown, 2), look::SelectedFill);
    EXPECT_EQ(At(shown, 40, 95), look::SelectedFill) << "the buttons were redrawn";
    EXPECT_EQ(Fill(shown, 1), look::NormalFill);
    Mark(38, 93, 48, 98);
    SelectButton2();
    EXPECT_EQ(At(Shown(), 40, 95), Marker) << "no redraw without a change";
    SelectButton3();
    EXPECT_EQ(Fill(Shown(), 3), look::SelectedFill);
    RepaintWindow();
    EXPECT_EQ(At(Shown(), 210, 30), Picture[30 * look::PictureWidth + 210])
        << "a full repaint does";
}

} // namespace
