#include "desktop/TrayIcon.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/WindowTesting.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

using testing::PumpMessages;
using testing::ShellHasIcon;

constexpr UINT kShowCommand = 101;
constexpr UINT kCloseCommand = 102;

// A plain main window that records the menu commands it receives.
class OwnerWindow {
public:
    OwnerWindow() {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TavrinTrayTestOwner";
        RegisterClassExW(&windowClass);
        window_.reset(CreateWindowExW(0, windowClass.lpszClassName, L"Tray owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                      100, 100, 300, 200, nullptr, nullptr, windowClass.hInstance, nullptr));
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    HWND Get() const { return window_.get(); }
    std::vector<UINT> commands;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        auto* self = reinterpret_cast<OwnerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_COMMAND && self != nullptr) self->commands.push_back(LOWORD(wParam));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    unique_hwnd window_;
};

class TrayIconTest : public ::testing::Test {
protected:
    TrayIconTest() : tray(owner.Get()) {
        tray.SetIcon(LoadIconW(nullptr, IDI_APPLICATION));
        tray.SetHint("Tavrin");
        menu.reset(CreatePopupMenu());
        AppendMenuW(menu.get(), MF_STRING, kShowCommand, L"Show");
        SetMenuDefaultItem(menu.get(), kShowCommand, FALSE);
        AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu.get(), MF_STRING, kCloseCommand, L"&Close");
        tray.PopupMenu = menu.get();
        tray.OnClick = [this] { ++clicks; };
    }
    void Shell(UINT mouseMessage) {
        SendMessageW(MessageWindow::Window(), TrayIcon::kCallbackMessage, tray.NotifyData().uID, mouseMessage);
    }
    void DoubleClick() {
        for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Shell(message);
    }

    OwnerWindow owner;
    unique_hmenu menu;
    TrayIcon tray;
    int clicks = 0;
};

TEST_F(TrayIconTest, AddsModifiesAndRemovesTheIcon) {
    EXPECT_FALSE(ShellHasIcon(tray));
    tray.SetIconVisible(true);
    EXPECT_TRUE(ShellHasIcon(tray));
    const NOTIFYICONDATAW& data = tray.NotifyData();
    EXPECT_EQ(data.hWnd, MessageWindow::Window());
    EXPECT_EQ(data.uCallbackMessage, 2048u);
    EXPECT_EQ(data.uFlags, 7u);
    EXPECT_NE(data.hIcon, nullptr);
    EXPECT_STREQ(data.szTip, L"Tavrin");

    tray.SetHint(std::string(200, 'h'));
    EXPECT_EQ(std::wstring(data.szTip), std::wstring(127, L'h'));
    tray.SetShowHint(false);
    EXPECT_STREQ(data.szTip, L"");

    tray.SetIconVisible(false);
    EXPECT_FALSE(ShellHasIcon(tray));
}

TEST_F(TrayIconTest, TwoIconsHaveIdentifiersOfTheirOwn) {
    TrayIcon second(owner.Get());
    EXPECT_NE(second.NotifyData().uID, tray.NotifyData().uID);
    int secondClicks = 0;
    second.OnClick = [&] { ++secondClicks; };
    Shell(WM_LBUTTONDOWN);
    Shell(WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(secondClicks, 0);
}

TEST_F(TrayIconTest, BalloonTextsAreCutToWhatTheShellTakes) {
    tray.SetIconVisible(true);
    ASSERT_TRUE(tray.ShowBalloonTip(std::string(100, 't'), std::string(300, 'x'), BalloonIcon::Info, 10));
    const NOTIFYICONDATAW& data = tray.NotifyData();
    EXPECT_EQ(std::wstring(data.szInfo), std::wstring(255, L'x'));
    EXPECT_EQ(std::wstring(data.szInfoTitle), std::wstring(63, L't'));
    EXPECT_EQ(data.uTimeout, 10000u);
    EXPECT_EQ(data.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_EQ(data.uFlags, 7u);  // back to the normal flags for the next change

    // A character outside the Basic Multilingual Plane is not split at the limit.
    const std::string rocket = "\xF0\x9F\x9A\x80";
    ASSERT_TRUE(tray.ShowBalloonTip("Tavrin", std::string(254, 'a') + rocket, BalloonIcon::Warning, 1));
    EXPECT_EQ(std::wstring(data.szInfo), std::wstring(254, L'a'));
    ASSERT_TRUE(tray.ShowBalloonTip("Tavrin", "Tavrin is running.", BalloonIcon::Info, 10));
    EXPECT_EQ(Narrow(data.szInfo), "Tavrin is running.");

    tray.SetIconVisible(false);
    EXPECT_FALSE(tray.ShowBalloonTip("Tavrin", "gone", BalloonIcon::Info, 10));
}

TEST_F(TrayIconTest, AClickIsReportedOnReleaseAndADoubleClickChoosesTheDefaultItem) {
    Shell(WM_LBUTTONDOWN);
    EXPECT_EQ(clicks, 0);
    Shell(WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1);

    // A double click: its first click, then the menu's default item.
    DoubleClick();
    PumpMessages(50);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(owner.commands, std::vector<UINT>{kShowCommand});

    int balloonClicks = 0;
    tray.OnBalloonHintClick = [&] { ++balloonClicks; };
    Shell(NIN_BALLOONUSERCLICK);
    EXPECT_EQ(balloonClicks, 1);
    EXPECT_EQ(clicks, 2);
}

TEST_F(TrayIconTest, MinimizeHidesTheOwnerInTheNotificationArea) {
    int minimized = 0;
    tray.MinimizeToTray = true;
    tray.OnMinimizeToTray = [&] { ++minimized; };
    ASSERT_TRUE(IsWindowVisible(owner.Get()));
    SendMessageW(owner.Get(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_EQ(minimized, 1);
    EXPECT_FALSE(IsWindowVisible(owner.Get()));
    EXPECT_FALSE(IsIconic(owner.Get()));
    EXPECT_TRUE(tray.IconVisible());
    EXPECT_TRUE(ShellHasIcon(tray));

    tray.ShowOwnerForm();
    EXPECT_TRUE(IsWindowVisible(owner.Get()));
    tray.HideOwnerForm();
    EXPECT_FALSE(IsWindowVisible(owner.Get()));
}

TEST_F(TrayIconTest, WithoutMinimizeHandlerTheOwnerMinimizesNormally) {
    tray.MinimizeToTray = true;
    SendMessageW(owner.Get(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(owner.Get()));
    EXPECT_FALSE(tray.IconVisible());
    tray.ShowOwnerForm();
    EXPECT_FALSE(IsIconic(owner.Get()));
    EXPECT_TRUE(IsWindowVisible(owner.Get()));
}

TEST_F(TrayIconTest, TheIconReturnsWhenTheTaskbarIsCreatedAgain) {
    tray.SetIconVisible(true);
    NOTIFYICONDATAW data = tray.NotifyData();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));  // as if Explorer had ended
    EXPECT_FALSE(ShellHasIcon(tray));
    SendMessageW(MessageWindow::Window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(ShellHasIcon(tray));
}

// The menu opens at the cursor on a right click; the chosen item reaches the owner.
// TAVRIN_MENU_HOLD_MS keeps the menu open that long, for a screenshot.
TEST_F(TrayIconTest, RightClickShowsTheMenuAndPostsTheChosenItem) {
    tray.SetIconVisible(true);
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 40, GetSystemMetrics(SM_CYSCREEN) - 15);
    static HWND menuWindow;
    static DWORD holdUntil;
    menuWindow = nullptr;
    const char* hold = std::getenv("TAVRIN_MENU_HOLD_MS");
    holdUntil = GetTickCount() + (hold != nullptr ? static_cast<DWORD>(std::atoi(hold)) : 0);
    // Runs inside the menu's own message loop: finds the open menu and chooses its first item.
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        if (menuWindow != nullptr || GetTickCount() < holdUntil) return;
        menuWindow = FindWindowW(L"#32768", nullptr);
        if (menuWindow == nullptr || !IsWindowVisible(menuWindow)) {
            menuWindow = nullptr;
            return;
        }
        PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    });
    const UINT_PTR safety = SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
    Shell(WM_RBUTTONDOWN);  // returns when the menu has closed
    KillTimer(nullptr, timer);
    KillTimer(nullptr, safety);
    PumpMessages(50);
    EXPECT_NE(menuWindow, nullptr) << "no menu was shown";
    EXPECT_EQ(owner.commands, std::vector<UINT>{kShowCommand});
}

}  // namespace
}  // namespace tavrin
