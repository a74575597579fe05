// The full-screen saver's windows as Windows sees them: one on each monitor, topmost; and the
// saver ends when the user switches to another program.
#include "plain_window.h"
#include "saver_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

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
        // One of the saver's windows foreground for the system and active for the saver's own
        // thread: only then is there an activation to lose.
        DWORD thread = GetWindowThreadProcessId(window_, nullptr);
        ASSERT_TRUE(PumpUntil(StartLimit,
                              [&] {
                                  GUITHREADINFO info = {};
                                  info.cbSize = sizeof info;
                                  HWND foreground = GetForegroundWindow();
                                  return GetWindowThreadProcessId(foreground, nullptr) == thread &&
                                         GetGUIThreadInfo(thread, &info) &&
                                         info.hwndActive == foreground;
                              }))
            << "no window of the saver became the active foreground window within " << StartLimit
            << " ms";
        window_ = GetForegroundWindow();
    }

    std::unique_ptr<SaverProcess> saver_;
    HWND window_ = nullptr;
};

std::string RectText(const RECT& r) {
    return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + " at " +
           std::to_string(r.left) + "," + std::to_string(r.top);
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, RECT* rect, LPARAM list) {
    reinterpret_cast<std::vector<std::string>*>(list)->push_back(RectText(*rect));
    return TRUE;
}

struct SaverWindows {
    DWORD Process;
    std::vector<std::string> Rects;
    bool AllTopmost;
};

BOOL CALLBACK AddSaverWindow(HWND window, LPARAM data) {
    auto& windows = *reinterpret_cast<SaverWindows*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    RECT rect;
    if (process == windows.Process && IsWindowVisible(window) && GetWindowRect(window, &rect)) {
        windows.Rects.push_back(RectText(rect));
        windows.AllTopmost &= (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    }
    return TRUE;
}

TEST_F(FullScreenWindow, CoversEachMonitorOnTop) {
    std::vector<std::string> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    std::sort(monitors.begin(), monitors.end());
    // The first window may be active before the saver has made the others.
    SaverWindows windows;
    PumpUntil(StartLimit, [&] {
        windows = {saver_->Id(), {}, true};
        EnumWindows(AddSaverWindow, reinterpret_cast<LPARAM>(&windows));
        std::sort(windows.Rects.begin(), windows.Rects.end());
        return windows.Rects == monitors;
    });
    EXPECT_EQ(windows.Rects, monitors);
    EXPECT_TRUE(windows.AllTopmost);

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
