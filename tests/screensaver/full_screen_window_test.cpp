// The full-screen saver's window as Windows sees it: over every monitor and topmost; and it
// ends when the user switches to another program.
#include "plain_window.h"
#include "saver_process.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr DWORD StartLimit = 15000;
constexpr DWORD EndLimit = 3000;
constexpr char SaverWindowName[] = "Flarvex clock";

class FullScreenWindow : public testing::Test {
  protected:
    void SetUp() override {
        saver_ = std::make_unique<SaverProcess>("/s");
        ASSERT_TRUE(saver_->Started());
        ASSERT_TRUE(PumpUntil(StartLimit,
                              [&] {
                                  window_ = saver_->FindWindowNamed(SaverWindowName);
                                  return window_ != nullptr;
                              }))
            << "no window named '" << SaverWindowName << "' within " << StartLimit << " ms";
        // Foreground for the system and active for the saver's own thread: only then is
        // there an activation to lose.
        DWORD thread = GetWindowThreadProcessId(window_, nullptr);
        ASSERT_TRUE(PumpUntil(StartLimit,
                              [&] {
                                  GUITHREADINFO info = {};
                                  info.cbSize = sizeof info;
                                  return GetForegroundWindow() == window_ &&
                                         GetGUIThreadInfo(thread, &info) &&
                                         info.hwndActive == window_;
                              }))
            << "the saver's window did not become the active foreground window within "
            << StartLimit << " ms";
    }

    std::unique_ptr<SaverProcess> saver_;
    HWND window_ = nullptr;
};

TEST_F(FullScreenWindow, CoversEveryMonitorOnTop) {
    RECT rect;
    GetWindowRect(window_, &rect);
    EXPECT_EQ(rect.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(rect.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
    EXPECT_EQ(rect.right - rect.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(rect.bottom - rect.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    EXPECT_TRUE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);

    PostMessageA(window_, WM_KEYDOWN, VK_SPACE, 0);
    DWORD code = 1;
    EXPECT_TRUE(saver_->WaitForExit(EndLimit, &code)) << "a key did not end the saver";
    EXPECT_EQ(code, 0u);
}

TEST_F(FullScreenWindow, EndsWhenAnotherProgramBecomesActive) {
    HWND other =
        MakePlainWindow({"OtherProgram", "Other program", 10, 10, 200, 100, WS_EX_TOPMOST});
    ASSERT_NE(other, nullptr);
    // Under X the saver may yet take back the input focus it was given at its start, and with
    // it the foreground; the other program then comes forward again, as a click on it would.
    bool ended = PumpUntil(EndLimit, [&] {
        if (GetForegroundWindow() != other)
            SetForegroundWindow(other);
        return !saver_->Running();
    });
    EXPECT_TRUE(ended) << "the saver still ran " << EndLimit
                       << " ms after another program became active";
    DWORD code = 1;
    if (ended && saver_->WaitForExit(0, &code)) {
        EXPECT_EQ(code, 0u);
    }
    DestroyWindow(other);
}

} // namespace
