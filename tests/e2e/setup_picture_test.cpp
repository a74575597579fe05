// What the setup window shows, end to end: the real setup.exe under Wine, compared pixel for
// pixel with the decoded wallpaper and with captions the test renders itself.
#include "file_bytes.h"
#include "pixel_stream.h"
#include "setup_driver.h"
#include "setup_look.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The wallpaper as the build encoded it, decoded here with the bounded decoder.
std::vector<uint32_t> Wallpaper() {
    std::vector<uint8_t> stream = ReadFileVector(desktop::BuildDir() + "/wallpaper.rle");
    std::vector<uint32_t> pixels(look::PictureWidth * look::PictureHeight);
    PixelStreamDecodeResult result = DecodePixelStreamBounded(
        stream.data(), static_cast<uint32_t>(stream.size()), pixels.data(), pixels.size() * 4);
    EXPECT_EQ(result.Status, PixelStreamComplete);
    EXPECT_EQ(result.ByteCount, pixels.size() * 4);
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF; // blue, green, red, 0 in memory: 0x00RRGGBB
    return pixels;
}

// The fill of button i, away from its outline and its caption.
uint32_t Fill(const desktop::Image& client, int i) {
    return client.At(look::FillX(i), look::FillY(i)).Value();
}

// Compares the caption band of button i with text rendered through DrawTextA; returns the
// number of pixels that differ.
int CaptionDifferences(const desktop::Image& client, int i, const std::string& text,
                       bool selected) {
    return ::CaptionDifferences(client, i, RenderCaption(text, selected));
}

class SetupPicture : public ::testing::Test {
  protected:
    void SetUp() override {
        desktop::MovePointer(0, 0);
    }
};

TEST_F(SetupPicture, ShowsTheWallpaperTitleAndButtons) {
    std::vector<uint32_t> wallpaper = Wallpaper();
    SetupRun setup;
    ASSERT_TRUE(setup.Started());
    desktop::Image client;
    ASSERT_TRUE(desktop::WaitUntil(10, [&] {
        client = setup.Client();
        return Fill(client, 1) == look::SelectedFill;
    })) << "no painted window within 10 s";
    desktop::SavePng(client, "setup_picture.png");
    ASSERT_EQ(client.width, look::ClientWidth);
    ASSERT_EQ(client.height, look::ClientHeight);
    int mismatches = 0;
    for (int y = 0; y < client.height; ++y)
        for (int x = 0; x < client.width; ++x)
            if (!look::InButtonOrTitle(x, y) &&
                client.At(x, y).Value() != wallpaper[y * look::PictureWidth + x] &&
                mismatches++ < 5)
                ADD_FAILURE() << "picture pixel (" << x << ", " << y << ") shows " << std::hex
                              << client.At(x, y).Value() << ", not "
                              << wallpaper[y * look::PictureWidth + x];
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(Fill(client, 1), look::SelectedFill);
    EXPECT_EQ(Fill(client, 2), look::NormalFill);
    EXPECT_EQ(Fill(client, 3), look::NormalFill);
    EXPECT_EQ(CaptionDifferences(client, 1, "Install", true), 0);
    EXPECT_GT(CaptionDifferences(client, 1, "Reinstall", true), 0)
        << "the comparison tells them apart";
    EXPECT_EQ(CaptionDifferences(client, 2, "Uninstall", false), 0);
    EXPECT_EQ(CaptionDifferences(client, 3, "Exit", false), 0);
    int title = 0;
    for (int y = look::TitleArea.Top; y <= look::TitleArea.Bottom; ++y)
        for (int x = look::TitleArea.Left; x <= look::TitleArea.Right && x < client.width; ++x)
            title += client.At(x, y).Value() == look::Title;
    EXPECT_GT(title, 100) << "the title in yellow";
    EXPECT_EQ(setup.ExitWithEscape(), 0);
}

TEST_F(SetupPicture, TheHighlightFollowsTheKeysAndThePointer) {
    SetupRun setup;
    ASSERT_TRUE(setup.Started());
    auto selected = [&](int button) {
        return desktop::WaitUntil(5, [&] {
            desktop::Image client = setup.Client();
            for (int i = 1; i <= 3; ++i)
                if (Fill(client, i) != (i == button ? look::SelectedFill : look::NormalFill))
                    return false;
            return true;
        });
    };
    EXPECT_TRUE(selected(1));
    setup.Press("Down");
    EXPECT_TRUE(selected(2)) << "Down moves the highlight";
    setup.Press("Down");
    EXPECT_TRUE(selected(3));
    setup.Press("Down");
    EXPECT_TRUE(selected(1)) << "and wraps round";
    setup.MoveTo(70, 100);
    EXPECT_TRUE(selected(2)) << "the pointer over button 2 selects it";
    EXPECT_EQ(CaptionDifferences(setup.Client(), 2, "Uninstall", true), 0);
    EXPECT_EQ(setup.ExitWithEscape(), 0);
}

} // namespace
