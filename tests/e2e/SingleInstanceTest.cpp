// One copy per desktop: a second start tells the running copy and ends
// without a window of its own, and the running copy stays as it was.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "e2e/ProgramUnderTest.h"
#include "e2e/WindowProbe.h"

namespace tavrin::testing {
namespace {

// The main windows of process, visible or not.
std::vector<HWND> MainWindowsOf(DWORD process) {
    std::vector<HWND> windows;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, L"TfrmTavrin", nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process) windows.push_back(window);
    }
    return windows;
}

// The user-interface thread of the running copy, stopped for as long as the object lives.
class SuspendedThread {
public:
    explicit SuspendedThread(HWND window)
        : thread_(OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(window, nullptr))) {
        if (thread_) SuspendThread(thread_);
    }
    ~SuspendedThread() { Resume(); }
    SuspendedThread(const SuspendedThread&) = delete;
    SuspendedThread& operator=(const SuspendedThread&) = delete;

    [[nodiscard]] bool Suspended() const noexcept { return thread_ != nullptr; }
    void Resume() {
        if (!thread_) return;
        ResumeThread(thread_);
        CloseHandle(std::exchange(thread_, nullptr));
    }

private:
    HANDLE thread_;
};

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        first_.Start();
        window_ = first_.WaitForWindow(L"TfrmTavrin", L"Tavrin");
        ASSERT_NE(window_, nullptr) << "the first copy showed no window";
    }
    void TearDown() override {
        if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
        EXPECT_EQ(first_.WaitForExit(), 0u);
    }

    TempFolder folder_;
    ProgramUnderTest first_{folder_};
    ProgramUnderTest second_{folder_};
    HWND window_ = nullptr;
};

// A second copy ends at once with exit code 0 and makes no window; the first
// keeps running, and a hidden window is neither shown nor activated by the news.
TEST_F(SingleInstanceTest, SecondStartEndsAndLeavesTheRunningCopyAsItWas) {
    ShowWindow(window_, SW_HIDE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }));
    const RECT before = WindowRect(window_);

    const ULONGLONG started = GetTickCount64();
    second_.Start();
    EXPECT_EQ(second_.WaitForExit(10000), 0u);
    EXPECT_LT(GetTickCount64() - started, 10000u);

    EXPECT_EQ(MainWindowsOf(first_.ProcessId()), std::vector<HWND>{window_});
    EXPECT_TRUE(MainWindowsOf(second_.ProcessId()).empty());
    EXPECT_EQ(first_.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_FALSE(IsWindowVisible(window_));
    const RECT after = WindowRect(window_);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    // The running copy still answers messages.
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);
}

// The news is sent, not posted: while the running copy handles no messages the
// second copy waits, and it ends as soon as the running copy has answered.
TEST_F(SingleInstanceTest, SecondStartWaitsUntilTheRunningCopyHasHandledTheMessage) {
    SuspendedThread busy(window_);
    ASSERT_TRUE(busy.Suspended());
    second_.Start();
    EXPECT_EQ(second_.WaitForExit(3000), static_cast<DWORD>(STILL_ACTIVE)) << "the second copy did not wait";
    busy.Resume();
    EXPECT_EQ(second_.WaitForExit(10000), 0u);
    EXPECT_EQ(MainWindowsOf(first_.ProcessId()), std::vector<HWND>{window_});
    EXPECT_TRUE(MainWindowsOf(second_.ProcessId()).empty());
}

// Two copies started back to back, before either has made its window: one
// runs, the other tells it and ends, and there is one main window.
TEST(SingleInstanceRaceTest, TwoCopiesStartedTogetherMakeOneWindow) {
    TempFolder folder;
    ProgramUnderTest first(folder);
    ProgramUnderTest second(folder);
    first.Start();
    second.Start();
    ASSERT_TRUE(WaitUntil([&] {
        return first.WaitForExit(0) != STILL_ACTIVE || second.WaitForExit(0) != STILL_ACTIVE;
    })) << "both copies run";
    const bool firstRuns = first.WaitForExit(0) == STILL_ACTIVE;
    EXPECT_EQ((firstRuns ? second : first).WaitForExit(), 0u);
    const HWND window = (firstRuns ? first : second).WaitForWindow(L"TfrmTavrin", L"Tavrin");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(MainWindowsOf(first.ProcessId()).size() + MainWindowsOf(second.ProcessId()).size(), 1u);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ((firstRuns ? first : second).WaitForExit(), 0u);
}

}  // namespace
}  // namespace tavrin::testing
