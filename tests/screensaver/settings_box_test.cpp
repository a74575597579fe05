// The settings request: the saver has none, and says so in a message box of its own.
#include "message_box_reader.h"
#include "plain_window.h"
#include "saver_process.h"

#include <gtest/gtest.h>

namespace {

const std::string& Caption = told::NoSettings.Caption;
constexpr DWORD BoxLimit = 15000;
constexpr DWORD EndLimit = 5000;

void ExpectTheNoSettingsBox(const MessageBoxView& box, const std::string& arguments) {
    EXPECT_TRUE(ShowsBox(box.Seen(), told::NoSettings)) << arguments;
    EXPECT_EQ(box.Buttons, std::vector<int>{IDOK}) << arguments;
}

class SettingsBox : public testing::TestWithParam<const char*> {};

TEST_P(SettingsBox, ShowsNoSettingsAndEndsWhenAnswered) {
    SaverProcess saver(GetParam());
    ASSERT_TRUE(saver.Started());
    MessageBoxView box = WaitForMessageBox(Caption.c_str(), BoxLimit);
    ASSERT_NE(box.Window, nullptr) << "'" << GetParam() << "': no box captioned '" << Caption
                                   << "' within " << BoxLimit << " ms";
    ExpectTheNoSettingsBox(box, GetParam());
    EXPECT_EQ(GetWindow(box.Window, GW_OWNER), nullptr);
    AnswerMessageBox(box.Window, IDOK);
    DWORD code = 1;
    EXPECT_TRUE(saver.WaitForExit(EndLimit, &code))
        << "'" << GetParam() << "' still ran " << EndLimit << " ms after its box was answered";
    EXPECT_EQ(code, 0u);
}

// The forms Windows uses, and an unknown one. 1234 names no window here: the box shows
// without an owner rather than not at all.
INSTANTIATE_TEST_SUITE_P(Arguments, SettingsBox, testing::Values("/c", "-C", "/c:1234", "", "/x"));

TEST(SettingsBoxOwner, IsTheWindowGiven) {
    HWND owner = MakePlainWindow({"SettingsOwner", "Display settings", 50, 50, 300, 200});
    ASSERT_NE(owner, nullptr);
    std::string arguments = "/c:" + std::to_string(reinterpret_cast<uintptr_t>(owner));
    SaverProcess saver(arguments);
    ASSERT_TRUE(saver.Started());
    // The box disables its owner, which needs this thread to take the owner's messages.
    MessageBoxView box;
    PumpUntil(BoxLimit, [&] {
        box = WaitForMessageBox(Caption.c_str(), 0);
        return box.Window != nullptr;
    });
    ASSERT_NE(box.Window, nullptr)
        << "no box captioned '" << Caption << "' within " << BoxLimit << " ms";
    // Read it again once it has been painted: its icon is read from the screen.
    PumpUntil(500, [] { return false; });
    box = WaitForMessageBox(Caption.c_str(), 0);
    ASSERT_NE(box.Window, nullptr);
    ExpectTheNoSettingsBox(box, arguments);
    EXPECT_EQ(GetWindow(box.Window, GW_OWNER), owner);
    EXPECT_FALSE(IsWindowEnabled(owner)) << "the box is not modal to the window given";
    AnswerMessageBox(box.Window, IDOK);
    DWORD code = 1;
    EXPECT_TRUE(saver.WaitForExit(EndLimit, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(PumpUntil(EndLimit, [&] { return IsWindowEnabled(owner) != FALSE; }))
        << "the owner stayed disabled after the box was answered";
    DestroyWindow(owner);
}

} // namespace
