// The button menu of the main window and the actions behind it, on a window
// made in this process for a program folder of the test's own, pressed and
// clicked as the mouse does it, and once with the real pointer (xdotool).
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/PickCursors.h"
#include "support/ButtonFiles.h"
#include "support/FakeEnvironment.h"
#include "support/FakePrompt.h"
#include "support/FixedClock.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"
#include "support/WindowTesting.h"
#include "win32/Utf16.h"
#include "win32/Win32FileSystem.h"

namespace tavrin {
namespace {

using testing::ButtonXml;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

class NoFileDialogs : public ISettingsFileDialogs {
public:
    std::optional<std::string> ChooseSaveFile(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> ChooseOpenFile(const std::string&) override { return {}; }
    void ShowMessage(const std::string&) override {}
};

// A settings file with two groups on the first page, the recent list and the buttons.
std::string Settings(const std::vector<std::string>& recent, const std::string& buttons) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig><Application><Item Name=\"LastPanelIndex\" "
        "Value=\"1\"/></Application><Groups Count=\"2\"><Item ID=\"1\" Value=\"Tools\"/><Item ID=\"2\" "
        "Value=\"Games\"/></Groups><Last6Buttons>";
    for (size_t k = 0; k < recent.size(); ++k) {
        xml += "<Item ID=\"" + std::to_string(k + 1) + "\" Value=\"" + recent[k] + "\"/>";
    }
    return xml + "</Last6Buttons><Buttons>" + buttons + "</Buttons></GLConfig>";
}

std::string Named(int id, const std::string& description, int total = 0) {
    return ButtonXml(id, {{"Command", "C:\\" + description + ".exe"},
                          {"Description", description},
                          {"TotolRunTimes", std::to_string(total)}});
}

class MainWindowButtonMenuTest : public ::testing::Test {
protected:
    MainWindowButtonMenuTest() { testing::InitWindowControls(); }

    MainWindow& Start(const std::vector<std::string>& recent, const std::string& buttons) {
        WriteBytes(SettingsPath(), Settings(recent, buttons));
        owner_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                                     nullptr));
        window_.emplace(services_, config_, owner_.get());
        window_->Show();
        return *window_;
    }
    std::string SettingsPath() const { return folder_ / "TV_alice.xml"; }
    std::string Saved() const { return ReadBytes(SettingsPath()); }
    std::string DescriptionOf(int id) {
        return window_->Buttons().LoadButton(id) ? window_->Buttons().Current().Description : "";
    }

    // A right press on a cell: the menu's commands act on it.
    static void RightPress(const ButtonCell& cell) {
        SendMessageW(cell.Page(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(cell.Rect().left + 16, cell.Rect().top + 16));
    }
    static void Click(const ButtonCell& cell) {
        const LPARAM point = MAKELPARAM(cell.Rect().left + 16, cell.Rect().top + 16);
        SendMessageW(cell.Page(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(cell.Page(), WM_LBUTTONUP, 0, point);
    }
    void Run(const ButtonCell& cell, Command command) {
        RightPress(cell);
        window_->RunCommand(command);
    }

    TempFolder folder_;
    testing::FakeEnvironment environment_{folder_ / "tavrin.exe", "alice"};
    Win32FileSystem fs_;
    Win32Shell shell_;
    testing::ScriptedPrompt<Win32Prompt> prompt_;
    testing::FixedClock clock_{{2026, 12, 7}};
    NoFileDialogs dialogs_;
    MainWindowServices services_{fs_, environment_, shell_, prompt_, clock_, dialogs_};
    AppConfig config_{fs_, environment_, dialogs_};
    unique_hwnd owner_;
    std::optional<MainWindow> window_;
};

bool Enabled(HMENU menu, Command command) {
    return !(GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED);
}

std::wstring Caption(HMENU menu, Command command) {
    wchar_t text[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(command), text, 128, MF_BYCOMMAND);
    return text;
}

// While a menu is open: a picture of the screen, once, and the menu closed.
bool g_menuShown = false;
const char* g_menuPicture = nullptr;
void CALLBACK CloseTheMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, timer);
    g_menuShown = true;
    if (g_menuPicture) testing::SaveWindowPicture(GetDesktopWindow(), testing::ArtifactPath(g_menuPicture));
    EndMenu();
}

TEST_F(MainWindowButtonMenuTest, TheMenuEnablesMovesBySlotAndNamesTheButtonToExplore) {
    MainWindow& window = Start({}, ButtonXml(101, {{"Description", "Editor"}, {"HotKey", "Ctrl+E"}}) +
                                       Named(110, "Ten") + Named(120, "Twenty"));
    RightPress(window.GridCell(1, 1));
    unique_hmenu menu = window.PrepareButtonMenu();
    ASSERT_EQ(GetMenuItemCount(menu.get()), static_cast<int>(kButtonMenu.size()));
    for (size_t i = 0; i < kButtonMenu.size(); ++i) {
        EXPECT_EQ(GetMenuItemID(menu.get(), static_cast<int>(i)), static_cast<UINT>(kButtonMenu[i]));
    }
    EXPECT_EQ(Caption(menu.get(), Command::ExploreButtonPath), L"Open \"Editor -[Ctrl+E]\" in Windows Explorer");
    EXPECT_FALSE(Enabled(menu.get(), Command::MoveButtonToFirst) || Enabled(menu.get(), Command::MoveButtonLeft));
    EXPECT_TRUE(Enabled(menu.get(), Command::MoveButtonAfter) && Enabled(menu.get(), Command::MoveButtonToLast));
    EXPECT_TRUE(Enabled(menu.get(), Command::CopyButtonPath) && Enabled(menu.get(), Command::ExploreButtonPath));

    RightPress(window.GridCell(1, 10));
    menu = window.PrepareButtonMenu();
    for (const Command move :
         {Command::MoveButtonToFirst, Command::MoveButtonLeft, Command::MoveButtonAfter, Command::MoveButtonToLast}) {
        EXPECT_TRUE(Enabled(menu.get(), move));
    }
    RightPress(window.GridCell(1, 20));
    menu = window.PrepareButtonMenu();
    EXPECT_TRUE(Enabled(menu.get(), Command::MoveButtonToFirst) && Enabled(menu.get(), Command::MoveButtonLeft));
    EXPECT_FALSE(Enabled(menu.get(), Command::MoveButtonAfter) || Enabled(menu.get(), Command::MoveButtonToLast));

    // An empty slot: nothing to copy or explore; swap, copy and clear stay.
    RightPress(window.GridCell(1, 5));
    menu = window.PrepareButtonMenu();
    EXPECT_EQ(Caption(menu.get(), Command::ExploreButtonPath), L"Open \"\" in Windows Explorer");
    EXPECT_FALSE(Enabled(menu.get(), Command::CopyButtonPath) || Enabled(menu.get(), Command::ExploreButtonPath));
    EXPECT_TRUE(Enabled(menu.get(), Command::SwapButton) && Enabled(menu.get(), Command::ClearButton));

    // The real menu, from a right-click and from the keyboard's menu key over a cell.
    SetWindowPos(window.Handle(), nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    const ButtonCell& editor = window.GridCell(1, 1);
    const LPARAM middle = MAKELPARAM(editor.Rect().left + 16, editor.Rect().top + 16);
    POINT screen{editor.Rect().left + 16, editor.Rect().top + 16};
    ClientToScreen(editor.Page(), &screen);
    SetCursorPos(screen.x, screen.y);
    g_menuPicture = "main-window-button-menu.png";
    SetTimer(nullptr, 0, 100, CloseTheMenu);
    PostMessageW(editor.Page(), WM_RBUTTONDOWN, MK_RBUTTON, middle);
    PostMessageW(editor.Page(), WM_RBUTTONUP, 0, middle);
    testing::PumpMessages(500);
    EXPECT_TRUE(g_menuShown);

    RightPress(window.GridCell(1, 20));
    SendMessageW(editor.Page(), WM_MOUSEMOVE, 0, middle);  // the pointer rests on slot 1
    g_menuShown = false;
    g_menuPicture = nullptr;
    SetTimer(nullptr, 0, 100, CloseTheMenu);
    PostMessageW(window.TabControl(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.TabControl()), -1);
    testing::PumpMessages(500);
    EXPECT_TRUE(g_menuShown);
    EXPECT_EQ(window.ContextButtonId(), 101);
}

// Shift+F10 pressed for real (xdotool), in a process of its own: the menu of the cell the pointer is on.
TEST_F(MainWindowButtonMenuTest, ARealShiftF10OpensTheMenuOfTheCellUnderThePointer) {
    MainWindow& window = Start({}, Named(107, "Seven"));
    SetWindowPos(window.Handle(), nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    SetForegroundWindow(window.Handle());
    const ButtonCell& cell = window.GridCell(1, 7);
    POINT screen{cell.Rect().left + 16, cell.Rect().top + 16};
    ClientToScreen(cell.Page(), &screen);
    SetCursorPos(screen.x, screen.y);
    testing::PumpMessages(200);
    g_menuShown = false;
    g_menuPicture = nullptr;
    SetTimer(nullptr, 0, 100, CloseTheMenu);
    if (const auto reason = testing::PressKeysWithXdotool("^Tavrin$", "shift+F10")) GTEST_SKIP() << *reason;
    for (int waited = 0; waited < 5000 && !g_menuShown; waited += 100) testing::PumpMessages(100);
    EXPECT_TRUE(g_menuShown);
    EXPECT_EQ(window.ContextButtonId(), 107);
}

TEST_F(MainWindowButtonMenuTest, ASwapAcrossTabsTakesTheTavrinTabAlongAndASwapWithItselfChangesNothing) {
    MainWindow& window = Start({"102", "0", "0", "0", "0", "0"}, Named(102, "Two", 5) + Named(201, "Other", 3));
    ASSERT_EQ(window.MostUsedImage(1).Tag(), 102);
    Run(window.GridCell(1, 2), Command::SwapButton);
    EXPECT_TRUE(window.SwapPending());
    EXPECT_EQ(window.GridCell(1, 2).CurrentLook(), ButtonCell::Look::PickSource);
    ASSERT_NE(SwapPickCursor(), CopyPickCursor());
    EXPECT_NE(SwapPickCursor(), LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(window.GridCell(2, 20).Cursor(), SwapPickCursor());
    EXPECT_EQ(window.RecentImage(1).Cursor(), nullptr);  // the Tavrin Tab launches as usual
    testing::PumpMessages(200);
    testing::SaveWindowPicture(window.Handle(), testing::ArtifactPath("main-window-swap-source.png"));
    RightPress(window.GridCell(2, 3));
    EXPECT_FALSE(window.PrepareButtonMenu());  // no menu while a swap waits

    window.SetActivePage(2);
    Click(window.GridCell(2, 3));
    EXPECT_FALSE(window.SwapPending());
    EXPECT_EQ(DescriptionOf(203), "Two");
    EXPECT_FALSE(window.Buttons().LoadButtonSummary(102));
    EXPECT_EQ(window.GridCell(2, 3).Hint(), "Two");
    EXPECT_FALSE(window.GridCell(1, 2).HasPicture());
    EXPECT_EQ(window.GridCell(1, 2).CurrentLook(), ButtonCell::Look::Raised);
    EXPECT_EQ(window.GridCell(2, 20).Cursor(), nullptr);
    EXPECT_EQ(window.Settings().RecentList.at(0), "203");
    EXPECT_EQ(window.RecentImage(1).Hint(), "Two");
    EXPECT_EQ(window.MostUsedImage(1).Tag(), 203);

    const std::string before = Saved();
    Run(window.GridCell(2, 3), Command::SwapButton);
    Click(window.GridCell(2, 3));
    EXPECT_FALSE(window.SwapPending());
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(window.GridCell(2, 3).CurrentLook(), ButtonCell::Look::Raised);

    // The source's tab deleted meanwhile: the swap is over, and the cells' cursors are the default ones.
    Run(window.GridCell(2, 3), Command::SwapButton);
    window.RunCommand(Command::DeleteTab);  // the active tab, after Yes
    EXPECT_EQ(window.PageCount(), 2);
    EXPECT_FALSE(window.SwapPending());
    EXPECT_EQ(window.GridCell(1, 1).Cursor(), nullptr);
}

// The target is clicked with the real pointer, which shows the copy cursor over it.
TEST_F(MainWindowButtonMenuTest, ACopyReplacesAButtonOnlyOnYesAndEndsEitherWay) {
    MainWindow& window = Start({}, Named(101, "One", 4) + Named(102, "Two"));
    prompt_.answer = false;
    Run(window.GridCell(1, 1), Command::CopyButton);
    EXPECT_TRUE(window.CopyPending());
    const std::string before = Saved();
    Click(window.GridCell(1, 2));
    EXPECT_FALSE(window.CopyPending());
    EXPECT_EQ(prompt_.questions, std::vector<std::string>{"Replace the exists icon:\r\n\r\nTwo"});
    EXPECT_EQ(Saved(), before);

    prompt_.answer = true;
    Run(window.GridCell(1, 1), Command::CopyButton);
    SetWindowPos(window.Handle(), nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    testing::PumpMessages(100);
    const ButtonCell& target = window.GridCell(1, 2);
    POINT screen{target.Rect().left + 16, target.Rect().top + 16};
    ClientToScreen(target.Page(), &screen);
    POINT tabs{5, 5};
    ClientToScreen(window.TabControl(), &tabs);
    for (const POINT point : {tabs, screen}) {
        SetCursorPos(point.x, point.y);
        testing::PumpMessages(200);
        EXPECT_EQ(GetCursor(), CopyPickCursor());
    }
    SetCursorPos(0, 0);  // xdotool waits for a move, which needs the pointer elsewhere
    testing::PumpMessages(100);
    if (const auto skipped = testing::ClickWithXdotool(screen, 1)) GTEST_SKIP() << *skipped;
    for (int waited = 0; waited < 5000 && window.CopyPending(); waited += 100) testing::PumpMessages(100);
    EXPECT_FALSE(window.CopyPending());
    ASSERT_TRUE(window.Buttons().LoadButton(102));
    EXPECT_EQ(window.Buttons().Current().Description, "One");
    EXPECT_EQ(window.Buttons().Current().TotolRunTimes, 4);
    EXPECT_EQ(DescriptionOf(101), "One");
    EXPECT_EQ(window.GridCell(1, 2).Hint(), "One");
}

TEST_F(MainWindowButtonMenuTest, ClearAnsweredYesRemovesTheButtonFromTheFileAndTheTavrinTab) {
    MainWindow& window = Start({"105", "101", "0", "0", "0", "0"}, Named(101, "One", 9) + Named(105, "Five", 2));
    prompt_.answer = false;
    const std::string before = Saved();
    Run(window.GridCell(1, 5), Command::ClearButton);
    EXPECT_EQ(Saved(), before);
    prompt_.answer = true;
    Run(window.GridCell(1, 5), Command::ClearButton);
    EXPECT_EQ(prompt_.questions.back(), "Are you sure to remove this Icon?\r\n\r\nFive ");
    EXPECT_FALSE(window.Buttons().LoadButtonSummary(105));
    EXPECT_FALSE(window.GridCell(1, 5).HasPicture());
    EXPECT_EQ(window.Settings().RecentList, (std::vector<std::string>{"101", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(window.RecentImage(1).Hint(), "One");
    EXPECT_EQ(window.MostUsed().MostUsedIDs, (std::array<int, 6>{101, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(window.MostUsedImage(2).HasPicture());
}

TEST_F(MainWindowButtonMenuTest, MovesWrapFromTheFirstRowIntoTheSecondAndGoToTheEnds) {
    MainWindow& window = Start({"103", "111", "0", "0", "0", "0"}, Named(103, "Three") + Named(110, "Ten"));
    Run(window.GridCell(1, 3), Command::MoveButtonToLast);
    EXPECT_EQ(DescriptionOf(120), "Three");
    for (int slot = 3; slot <= 19; ++slot) {
        EXPECT_EQ(window.GridCell(1, slot).HasPicture(), slot == 9) << slot;  // Ten moved back one place
    }
    EXPECT_EQ(window.GridCell(1, 20).Hint(), "Three");
    // The recent list follows the buttons that moved; an empty slot's ID moves along with them.
    EXPECT_EQ(window.Settings().RecentList, (std::vector<std::string>{"120", "110", "0", "0", "0", "0"}));

    Run(window.GridCell(1, 9), Command::MoveButtonAfter);   // 9 to 10
    Run(window.GridCell(1, 10), Command::MoveButtonAfter);  // 10 to 11: the rows are one sequence
    EXPECT_EQ(window.GridCell(1, 11).Hint(), "Ten");
    Run(window.GridCell(1, 11), Command::MoveButtonLeft);
    EXPECT_EQ(window.GridCell(1, 10).Hint(), "Ten");
    Run(window.GridCell(1, 20), Command::MoveButtonToFirst);
    EXPECT_EQ(DescriptionOf(101), "Three");
    EXPECT_EQ(DescriptionOf(111), "Ten");
}

TEST_F(MainWindowButtonMenuTest, CopyPathPutsTheCommandOnTheClipboard) {
    MainWindow& window = Start({}, ButtonXml(104, {{"Command", "C:\\Program Files\\\xD0\x9F.exe"}}));
    Run(window.GridCell(1, 4), Command::CopyButtonPath);
    ASSERT_TRUE(OpenClipboard(nullptr));
    const auto* text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    const std::wstring copied = text ? text : L"";
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();
    EXPECT_EQ(copied, L"C:\\Program Files\\\u041F.exe");
}

}  // namespace
}  // namespace tavrin
