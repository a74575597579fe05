// The full-screen saver's windows as Windows sees them: one on each monitor, topmost; and the
// saver ends when the user switches to another program.
#include "plain_window.h"
#include "saver_process.h"

#include <gtest/gtest.h>

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

BOOL CALLBACK AddMonitor(HMONITOR, HDC, RECT* rect, LPARAM list) {
    reinterpret_cast<std::vector<RECT>*>(list)->push_back(*rect);
    return TRUE;
}

struct ProcessWindows {
    DWORD Process;
    std::vector<HWND> Found;
};

BOOL CALLBACK AddProcessWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<ProcessWindows*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search.Process && IsWindowVisible(window))
        search.Found.push_back(window);
    return TRUE;
}

std::string RectText(const RECT& r) {
    return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + " at " +
           std::to_string(r.left) + "," + std::to_string(r.top);
}

TEST_F(FullScreenWindow, CoversEachMonitorOnTop) {
    std::vector<RECT> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    ASSERT_FALSE(monitors.empty());
    // The first window may be active before the saver has made the others.
    ProcessWindows windows = {saver_->Id(), {}};
    EXPECT_TRUE(PumpUntil(StartLimit,
                          [&] {
                              windows.Found.clear();
                              EnumWindows(AddProcessWindow, reinterpret_cast<LPARAM>(&windows));
                              return windows.Found.size() == monitors.size();
                          }))
        << windows.Found.size() << " windows for " << monitors.size() << " monitors";
    for (const RECT& monitor : monitors) {
        std::string seen;
        bool covered = false;
        for (HWND window : windows.Found) {
            RECT rect;
            GetWindowRect(window, &rect);
            seen += " " + RectText(rect);
            if (EqualRect(&rect, &monitor)) {
                covered = true;
                EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST);
            }
        }
        EXPECT_TRUE(covered) << "no saver window covers the monitor " << RectText(monitor)
                             << "; the saver's windows:" << seen;
    }

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
