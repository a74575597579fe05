// What the setup window shows, end to end: the real setup.exe under Wine, compared pixel for
// pixel with the decoded wallpaper and with captions the test renders itself.
#include "pixel_stream.h"
#include "setup_driver.h"
#include <gtest/gtest.h>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr int PictureWidth = 366, PictureHeight = 275;
constexpr uint32_t NormalFill = 0x202075, SelectedFill = 0xB0B0F0;
constexpr uint32_t Caption = 0xDDDDEE, SelectedCaption = 0xFFFFFF;
constexpr int ButtonLeft = 35, ButtonRight = 110, ButtonTops[] = {0, 30, 90, 150};

uint32_t Value(desktop::Rgb p) {
    return static_cast<uint32_t>(p.r << 16 | p.g << 8 | p.b);
}

// The wallpaper as the build encoded it, decoded here with the bounded decoder.
std::vector<uint32_t> Wallpaper() {
    std::ifstream in(desktop::BuildDir() + "/wallpaper.rle", std::ios::binary);
    std::vector<uint8_t> stream{std::istreambuf_iterator<char>(in), {}};
    std::vector<uint32_t> pixels(PictureWidth * PictureHeight);
    PixelStreamDecodeResult result = DecodePixelStreamBounded(
        stream.data(), static_cast<uint32_t>(stream.size()), pixels.data(), pixels.size() * 4);
    EXPECT_EQ(result.Status, PixelStreamComplete);
    EXPECT_EQ(result.ByteCount, pixels.size() * 4);
    for (uint32_t& p : pixels)
        p &= 0xFFFFFF; // blue, green, red, 0 in memory: 0x00RRGGBB
    return pixels;
}

bool InButtonOrTitle(int x, int y) {
    for (int i = 1; i <= 3; ++i)
        if (x >= ButtonLeft && x <= ButtonRight && y >= ButtonTops[i] && y <= ButtonTops[i] + 30)
            return true;
    return x >= 250 && x <= 351 && y >= 179 && y <= 250; // the title and its shadow
}

// The fill of button i, away from its outline and its caption.
uint32_t Fill(const desktop::Image& client, int i) {
    return Value(client.At(ButtonLeft + 4, ButtonTops[i] + 3));
}

// Compares the caption band of button i with text rendered through DrawTextA; returns the
// number of pixels that differ.
int CaptionDifferences(const desktop::Image& client, int i, const std::string& text,
                       bool selected) {
    desktop::Image reference = RenderCaption(text, selected ? SelectedFill : NormalFill,
                                             selected ? SelectedCaption : Caption);
    if (reference.width != 75)
        return -1;
    int differences = 0;
    for (int y = 5; y < 25; ++y)
        for (int x = 5; x < 70; ++x) // inside the rounded outline
            differences += client.At(ButtonLeft + x, ButtonTops[i] + y) != reference.At(x, y);
    return differences;
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
        return Fill(client, 1) == SelectedFill;
    })) << "no painted window within 10 s";
    desktop::SavePng(client, "setup_picture.png");
    ASSERT_EQ(client.width, 360);
    ASSERT_EQ(client.height, 269);
    int mismatches = 0;
    for (int y = 0; y < client.height; ++y)
        for (int x = 0; x < client.width; ++x)
            if (!InButtonOrTitle(x, y) &&
                Value(client.At(x, y)) != wallpaper[y * PictureWidth + x] && mismatches++ < 5)
                ADD_FAILURE() << "picture pixel (" << x << ", " << y << ") shows " << std::hex
                              << Value(client.At(x, y)) << ", not "
                              << wallpaper[y * PictureWidth + x];
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(Fill(client, 1), SelectedFill);
    EXPECT_EQ(Fill(client, 2), NormalFill);
    EXPECT_EQ(Fill(client, 3), NormalFill);
    EXPECT_EQ(CaptionDifferences(client, 1, "Install", true), 0);
    EXPECT_GT(CaptionDifferences(client, 1, "Reinstall", true), 0)
        << "the comparison tells them apart";
    EXPECT_EQ(CaptionDifferences(client, 2, "Uninstall", false), 0);
    EXPECT_EQ(CaptionDifferences(client, 3, "Exit", false), 0);
    int title = 0;
    for (int y = 179; y <= 250; ++y)
        for (int x = 250; x <= 351 && x < client.width; ++x)
            title += Value(client.At(x, y)) == 0xFFFF40;
    EXPECT_GT(title, 100) << "the title in yellow";
    setup.Press("Escape");
    EXPECT_EQ(setup.WaitForExit(10), 0);
}

TEST_F(SetupPicture, TheHighlightFollowsTheKeysAndThePointer) {
    SetupRun setup;
    ASSERT_TRUE(setup.Started());
    auto selected = [&](int button) {
        return desktop::WaitUntil(5, [&] {
            desktop::Image client = setup.Client();
            for (int i = 1; i <= 3; ++i)
                if (Fill(client, i) != (i == button ? SelectedFill : NormalFill))
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
    setup.Press("Escape");
    EXPECT_EQ(setup.WaitForExit(10), 0);
}

} // namespace
