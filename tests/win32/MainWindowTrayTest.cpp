// The main window's notification-area icon and global hot key: the window is made in
// this process for a program folder of the test's own; the shell's callbacks and the
// hot key messages are sent as Windows would send them.
#include "app/MainWindow.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "support/FakeEnvironment.h"
#include "support/MainWindowFixture.h"
#include "support/NoFileDialogs.h"
#include "support/TempFolder.h"
#include "support/WindowTesting.h"
#include "win32/Utf16.h"
#include "win32/Win32Clock.h"
#include "win32/Win32FileSystem.h"

namespace tavrin {
namespace {

using testing::PumpMessages;
using testing::ShellHasIcon;

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Combinations that nothing else on a test machine is likely to hold.
constexpr HotKeyValue kFirstKey = kHotKeyCtrl | kHotKeyAlt | kHotKeyShift | VK_F7;
constexpr HotKeyValue kSecondKey = kHotKeyCtrl | kHotKeyAlt | kHotKeyShift | VK_F8;
constexpr char kFirstKeyText[] = "Ctrl+Shift+Alt+F7";
constexpr char kSecondKeyText[] = "ctrl + shift + alt + f8";

// The backup and restore dialogs are not reached by these tests.
// A press as Windows reports it: the registration's identifier, the modifiers and the key.
void PressHotKey(std::uint16_t index, HotKeyValue hotKey) {
    const HotKeyParts parts = DecomposeHotKey(hotKey);
    SendMessageW(MessageWindow::Window(), WM_HOTKEY, index, MAKELPARAM(parts.modifiers, parts.key));
}

class MainWindowTrayTest : public testing::MainWindowFixture {
protected:
    MainWindowTrayTest() : MainWindowFixture(dialogs_) {}

    MainWindow& Start(const std::string& globalHotKey = "") {
        // The options not given here, the groups and the recent list take their defaults.
        const std::string hotKeyItem = "<Item Name=\"GlobalHotKey\" Value=\"" + globalHotKey + "\"/>";
        WriteBytes(SettingsPath(),
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Application>\r\n\t\t" + hotKeyItem +
                       "\r\n\t\t<Item Name=\"X\" Value=\"200\"/>\r\n\t\t<Item Name=\"Y\" Value=\"150\"/>"
                       "\r\n\t</Application>\r\n</GLConfig>");
        return OpenWindow();
    }

    // A mouse message about the window's icon, as the shell sends it.
    void Shell(UINT message) const {
        SendMessageW(MessageWindow::Window(), TrayIcon::kCallbackMessage, window_->Tray().Icon().NotifyData().uID,
                     message);
    }
    void TrayClick() const {
        Shell(WM_LBUTTONDOWN);
        Shell(WM_LBUTTONUP);
    }

    [[nodiscard]] bool Visible() const { return IsWindowVisible(window_->Handle()) != FALSE; }

    testing::NoFileDialogs dialogs_;  // no message is expected
};

TEST_F(MainWindowTrayTest, TheIconAndItsMenuAreThereOnceTheWindowIsMade) {
    const MainWindow& window = Start();
    const TrayIcon& tray = window.Tray().Icon();
    EXPECT_TRUE(tray.IconVisible());
    EXPECT_TRUE(ShellHasIcon(tray));
    EXPECT_STREQ(tray.NotifyData().szTip, L"Tavrin");
    EXPECT_NE(tray.NotifyData().hIcon, nullptr);  // the application icon
    EXPECT_FALSE(window.Tray().Hidden());
    EXPECT_EQ(window.Tray().HotKeyIndex(), 0);  // no text, no hot key
    EXPECT_TRUE(window.Tray().HotKeys().RegisteredKeys().empty());

    std::vector<std::wstring> captions;
    for (int position = 0; position < GetMenuItemCount(tray.PopupMenu); ++position) {
        wchar_t caption[64] = L"-";
        GetMenuStringW(tray.PopupMenu, position, caption, 64, MF_BYPOSITION);
        captions.push_back(caption[0] != L'\0' ? caption : L"-");
    }
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"Show", L"-", L"Options...", L"Tavrin Home", L"-", L"&Close"}));
    EXPECT_EQ(GetMenuDefaultItem(tray.PopupMenu, FALSE, 0), static_cast<UINT>(Command::ToggleWindow));

    // Explorer started again: the icon comes back.
    NOTIFYICONDATAW data = tray.NotifyData();
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &data));
    SendMessageW(MessageWindow::Window(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(ShellHasIcon(tray));
}

TEST_F(MainWindowTrayTest, OnlyThePressOfTheWindowsOwnHotKeyTogglesIt) {
    MainWindow& window = Start(kFirstKeyText);
    const std::uint16_t index = window.Tray().HotKeyIndex();
    ASSERT_NE(index, 0);
    ASSERT_EQ(window.Tray().HotKeys().RegisteredKeys().size(), 1u);
    EXPECT_EQ(window.Tray().HotKeys().RegisteredKeys()[0].hotKey, kFirstKey);

    PressHotKey(index, kFirstKey);
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(window.Tray().Hidden());
    EXPECT_TRUE(window.Tray().Icon().IconVisible());
    PressHotKey(index, kFirstKey);
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(window.Tray().Hidden());

    // The same combination reported under another registration's identifier does nothing.
    PressHotKey(static_cast<std::uint16_t>(index + 1), kFirstKey);
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(window.Tray().Hidden());
}

TEST_F(MainWindowTrayTest, ACombinationAnotherProgramHoldsLeavesTheWindowWithoutHotKey) {
    GlobalHotKeys otherProgram;
    ASSERT_NE(otherProgram.RegisterGlobalKey(kFirstKey), 0);
    MainWindow& window = Start(kFirstKeyText);
    EXPECT_EQ(window.Tray().HotKeyIndex(), 0);
    EXPECT_TRUE(window.Tray().HotKeys().RegisteredKeys().empty());

    // And the other way round: the window holds it, the other program is refused.
    otherProgram.ReleaseAllGlobalKeys();
    window.Tray().ReregisterMainHotKey(window.Settings().GlobalHotKeyText);
    EXPECT_NE(window.Tray().HotKeyIndex(), 0);
    EXPECT_EQ(otherProgram.RegisterGlobalKey(kFirstKey), 0);
}

TEST_F(MainWindowTrayTest, ReregisteringReplacesEmptiesAndRestoresTheHotKey) {
    MainWindow& window = Start(kFirstKeyText);
    const std::uint16_t first = window.Tray().HotKeyIndex();
    ASSERT_NE(first, 0);
    GlobalHotKeys otherProgram;

    // Another combination replaces the first, which is free again.
    window.Settings().GlobalHotKeyText = kSecondKeyText;
    window.Tray().ReregisterMainHotKey(window.Settings().GlobalHotKeyText);
    const std::uint16_t second = window.Tray().HotKeyIndex();
    ASSERT_NE(second, 0);
    ASSERT_EQ(window.Tray().HotKeys().RegisteredKeys().size(), 1u);
    EXPECT_EQ(window.Tray().HotKeys().RegisteredKeys()[0].hotKey, kSecondKey);
    const std::uint16_t borrowed = otherProgram.RegisterGlobalKey(kFirstKey);
    EXPECT_NE(borrowed, 0);
    otherProgram.ReleaseGlobalKey(borrowed);
    PressHotKey(second, kSecondKey);
    EXPECT_TRUE(window.Tray().Hidden());
    PressHotKey(second, kSecondKey);
    EXPECT_FALSE(window.Tray().Hidden());

    // Emptied: no hot key, but the old combination stays taken and its press does nothing.
    window.Settings().GlobalHotKeyText = "";
    window.Tray().ReregisterMainHotKey(window.Settings().GlobalHotKeyText);
    EXPECT_EQ(window.Tray().HotKeyIndex(), 0);
    EXPECT_EQ(otherProgram.RegisterGlobalKey(kSecondKey), 0);
    PressHotKey(second, kSecondKey);
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(window.Tray().Hidden());

    // Chosen again, the combination still held is the hot key again instead of being refused.
    window.Settings().GlobalHotKeyText = kSecondKeyText;
    window.Tray().ReregisterMainHotKey(window.Settings().GlobalHotKeyText);
    EXPECT_EQ(window.Tray().HotKeyIndex(), second);
    PressHotKey(second, kSecondKey);
    EXPECT_TRUE(window.Tray().Hidden());

    // A text that names no hot key (an unknown modifier) is no hot key either.
    window.Settings().GlobalHotKeyText = "Ctrl+Foo+A";
    window.Tray().ReregisterMainHotKey(window.Settings().GlobalHotKeyText);
    EXPECT_EQ(window.Tray().HotKeyIndex(), 0);

    // Emptied, then another combination, then the kept one again: the kept one is found on the replace path too.
    window.Settings().GlobalHotKeyText = kFirstKeyText;
    window.Tray().ReregisterMainHotKey(window.Settings().GlobalHotKeyText);
    ASSERT_NE(window.Tray().HotKeyIndex(), 0);
    window.Settings().GlobalHotKeyText = kSecondKeyText;
    window.Tray().ReregisterMainHotKey(window.Settings().GlobalHotKeyText);
    EXPECT_EQ(window.Tray().HotKeyIndex(), second);
    EXPECT_EQ(window.Tray().HotKeys().RegisteredKeys().size(), 1u);  // the first one is released
    window.Settings().GlobalHotKeyText = "";
    window.Tray().ReregisterMainHotKey(window.Settings().GlobalHotKeyText);

    // A new combination that another program holds is refused.
    ASSERT_NE(otherProgram.RegisterGlobalKey(kFirstKey), 0);
    window.Settings().GlobalHotKeyText = kFirstKeyText;
    window.Tray().ReregisterMainHotKey(window.Settings().GlobalHotKeyText);
    EXPECT_EQ(window.Tray().HotKeyIndex(), 0);
}

TEST_F(MainWindowTrayTest, TrayClicksToggleTheWindowAndADoubleClickTogglesTwice) {
    MainWindow& window = Start();
    Shell(WM_LBUTTONDOWN);
    EXPECT_TRUE(Visible());  // nothing until the button is released
    Shell(WM_LBUTTONUP);
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(window.Tray().Hidden());
    TrayClick();
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(window.Tray().Hidden());
    EXPECT_EQ(GetForegroundWindow(), window.Handle());

    // The first click hides, then the default entry "Show" shows again.
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Shell(message);
    EXPECT_FALSE(Visible());
    PumpMessages(50);
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(window.Tray().Hidden());

    // "Show" chosen from the menu while the window is shown hides it.
    PostMessageW(window.Handle(), WM_COMMAND, static_cast<UINT>(Command::ToggleWindow), 0);
    PumpMessages(50);
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(window.Tray().Hidden());
}

TEST_F(MainWindowTrayTest, MinimizingHidesTheWindowInTheNotificationArea) {
    MainWindow& window = Start();
    SendMessageW(window.Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(Visible());
    EXPECT_FALSE(IsIconic(window.Handle()));
    EXPECT_TRUE(window.Tray().Hidden());
    EXPECT_TRUE(ShellHasIcon(window.Tray().Icon()));
    TrayClick();
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(window.Tray().Hidden());
}

TEST_F(MainWindowTrayTest, CloseFromTheTrayMenuWhileHiddenSavesTheLastPosition) {
    MainWindow& window = Start();
    SetWindowPos(window.Handle(), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    TrayClick();
    ASSERT_FALSE(Visible());

    // The tray icon posts the chosen entry once its menu has gone.
    PostMessageW(window.Handle(), WM_COMMAND, static_cast<UINT>(Command::Close), 0);
    PumpMessages(50);
    EXPECT_FALSE(IsWindow(window.Handle()));
    const std::string saved = ReadBytes(SettingsPath());
    EXPECT_NE(saved.find("<Item Name=\"X\" Value=\"300\"/>"), std::string::npos) << saved;
    EXPECT_NE(saved.find("<Item Name=\"Y\" Value=\"200\"/>"), std::string::npos) << saved;
}

TEST_F(MainWindowTrayTest, ASecondStartIsAnsweredWithABalloonThatLeavesTheWindowAlone) {
    MainWindow& window = Start();
    TrayClick();
    ASSERT_FALSE(Visible());

    SendMessageW(window.Handle(), kRunningCopyMessage, 0, 0);
    const NOTIFYICONDATAW& data = window.Tray().Icon().NotifyData();
    EXPECT_EQ(Narrow(data.szInfoTitle), "Tavrin");
    EXPECT_EQ(Narrow(data.szInfo), "Tavrin is running.");
    EXPECT_EQ(data.dwInfoFlags, static_cast<DWORD>(NIIF_INFO));
    EXPECT_EQ(data.uTimeout, 10000u);
    EXPECT_FALSE(Visible());
    EXPECT_TRUE(window.Tray().Hidden());

    // Clicking the balloon shows the window but leaves the flag: the next tray click
    // only catches up with it, and the window stays.
    Shell(NIN_BALLOONUSERCLICK);
    EXPECT_TRUE(Visible());
    EXPECT_TRUE(window.Tray().Hidden());
    TrayClick();
    EXPECT_TRUE(Visible());
    EXPECT_FALSE(window.Tray().Hidden());

    // Shown but not the active window: the balloon does not activate it.
    const unique_hwnd other(CreateWindowExW(0, L"STATIC", L"Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                                            300, 100, nullptr, nullptr, nullptr, nullptr));
    SetForegroundWindow(other.get());
    ASSERT_EQ(GetForegroundWindow(), other.get());
    SendMessageW(window.Handle(), kRunningCopyMessage, 0, 0);
    EXPECT_EQ(GetForegroundWindow(), other.get());
}

// A real key press from the X server; Wine reports it while one of its windows has the
// keyboard focus. Skipped where no X tool can press keys or the press does not arrive.
class MainWindowTrayRealKeyTest : public MainWindowTrayTest {};

TEST_F(MainWindowTrayRealKeyTest, ARealPressOfTheHotKeyTogglesTheWindow) {
    MainWindow& window = Start(kFirstKeyText);
    ASSERT_NE(window.Tray().HotKeyIndex(), 0);
    SetForegroundWindow(window.Handle());

    if (const auto reason = testing::PressKeysWithXdotool("^Tavrin$", "ctrl+shift+alt+F7")) GTEST_SKIP() << *reason;
    const DWORD deadline = GetTickCount() + 5000;
    while (!window.Tray().Hidden() && GetTickCount() < deadline) PumpMessages(50);
    if (!window.Tray().Hidden()) GTEST_SKIP() << "the key press of xdotool did not arrive within 5 seconds";
    EXPECT_FALSE(Visible());
}

}  // namespace
}  // namespace tavrin
