// The button menu and the actions behind it, on a main window made in this
// process for a program folder of the test's own, pressed and clicked as the
// mouse does it, and with the real pointer and keyboard (xdotool).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/PickCursors.h"
#include "shell/ShellLinker.h"
#include "support/ButtonFiles.h"
#include "support/FakeEnvironment.h"
#include "support/FakePrompt.h"
#include "support/FixedClock.h"
#include "support/MainWindowFixture.h"
#include "support/NoFileDialogs.h"
#include "support/SpyFileSystem.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"
#include "support/WindowTesting.h"
#include "win32/Utf16.h"
#include "win32/Win32FileSystem.h"

namespace tavrin {
namespace {

using testing::ButtonXml;
using testing::ReadBytes;

// The middle of a cell on the screen.
HWND StatusBarOf(const MainWindow& window) {
    return FindWindowExW(window.Handle(), nullptr, STATUSCLASSNAMEW, nullptr);
}

POINT ScreenPoint(const ButtonCell& cell) {
    POINT point{cell.Rect().left + 16, cell.Rect().top + 16};
    ClientToScreen(cell.Page(), &point);
    return point;
}

// While a menu is open: a picture of the screen when asked for, and the menu closed.
bool g_menuShown = false;
RECT g_menuPlace{};
int g_menuItems = 0;  // of the menu shown last
const char* g_menuPicture = nullptr;
void CALLBACK CloseTheMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, timer);
    g_menuShown = true;
    GetWindowRect(menu, &g_menuPlace);
    g_menuItems = GetMenuItemCount(reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0)));
    if (g_menuPicture) testing::SaveWindowPicture(GetDesktopWindow(), testing::ArtifactPath(g_menuPicture));
    EndMenu();
}

class MainWindowButtonMenuTest : public testing::MainWindowFixture {
protected:
    // Groups Tools and Games, the first shown at (200, 200); recent: six IDs separated by commas.
    MainWindow& Start(const std::string& recent, const std::string& buttons) {
        std::string last6;
        std::istringstream entries(recent);
        int k = 0;
        for (std::string id; std::getline(entries, id, ',');) {
            last6 += "<Item ID=\"" + std::to_string(++k) + "\" Value=\"" + id + "\"/>";
        }
        testing::WriteBytes(folder_ / "TV_alice.xml",
                            "<GLConfig><Application><Item Name=\"LastPanelIndex\" Value=\"1\"/></Application><Groups "
                            "Count=\"2\"><Item ID=\"1\" Value=\"Tools\"/><Item ID=\"2\" Value=\"Games\"/></Groups>"
                            "<Last6Buttons>" +
                                last6 + "</Last6Buttons><Buttons>" + buttons + "</Buttons></GLConfig>");
        SetWindowPos(OpenWindow().Handle(), nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return *window_;
    }
    // A button whose command is a file of the test's folder.
    std::string Named(int id, const std::string& name, int total = 0) {
        return ButtonXml(id,
                         {{"Command", ProgramOf(id)}, {"Description", name}, {"TotolRunTimes", std::to_string(total)}});
    }
    std::string ProgramOf(int id) {
        const std::string program = folder_ / ("button" + std::to_string(id) + ".exe");
        testing::WriteBytes(program, "MZ");
        return program;
    }
    std::string DescriptionOf(int id) { return window_->Buttons().Load(id).value_or(ButtonRecord{}).Description; }

    // A right press on a cell (its menu's commands act on it), then a command.
    void Run(const ButtonCell& cell, Command command) {
        SendMessageW(cell.Page(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(cell.Rect().left + 16, cell.Rect().top + 16));
        if (command != Command::None) window_->RunCommand(command);
    }
    static void Click(const ButtonCell& cell) {
        const LPARAM point = MAKELPARAM(cell.Rect().left + 16, cell.Rect().top + 16);
        SendMessageW(cell.Page(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(cell.Page(), WM_LBUTTONUP, 0, point);
    }
};

// Which of the entries whose enabling depends on the slot are enabled, and the Explorer entry's caption.
std::string EnabledEntries(MainWindow& window) {
    const unique_hmenu menu = window.PrepareButtonMenu();
    std::string enabled;
    for (const Command command : kButtonMenu) {
        const bool on = command != Command::None &&
                        !(GetMenuState(menu.get(), static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED);
        enabled += command == Command::None ? '|' : on ? '+' : '-';
    }
    wchar_t caption[128] = {};
    GetMenuStringW(menu.get(), static_cast<UINT>(Command::ExploreButtonPath), caption, 128, MF_BYCOMMAND);
    return enabled + " " + Narrow(caption);
}

// Each entry of the button menu and of the tab menu has a letter key of its own in its menu.
TEST(MenuLettersTest, EveryEntryOfTheButtonAndTabMenusHasALetterOfItsOwn) {
    const std::pair<const char*, std::span<const Command>> menus[] = {{"button", kButtonMenu}, {"tab", kTabMenu}};
    for (const auto& [menu, layout] : menus) {
        std::set<wchar_t> letters;
        for (const Command command : layout) {
            if (command == Command::None) continue;
            const std::wstring caption =
                command == Command::ExploreButtonPath ? kExploreButtonCaption : TextOf(command).caption;
            const size_t mark = caption.find(L'&');
            ASSERT_LT(mark + 1, caption.size()) << menu << ": " << Narrow(caption);
            EXPECT_TRUE(letters.insert(towlower(caption[mark + 1])).second) << menu << ": " << Narrow(caption);
        }
    }
}

TEST_F(MainWindowButtonMenuTest, TheMenuEnablesMovesBySlotAndNamesTheButtonToExplore) {
    MainWindow& window = Start("0,0,0,0,0,0", ButtonXml(101, {{"Description", "Ed&amp;it"}, {"HotKey", "Ctrl+E"}}) +
                                                  Named(110, "Ten") + Named(120, "Twenty"));
    Run(window.GridCell(1, 1), Command::None);
    EXPECT_EQ(EnabledEntries(window), "--++|++++|++|+ Open \"Ed&&it -[Ctrl+E]\" in Windows &Explorer");
    Run(window.GridCell(1, 10), Command::None);
    EXPECT_EQ(EnabledEntries(window), "++++|++++|++|+ Open \"Ten\" in Windows &Explorer");
    Run(window.GridCell(1, 20), Command::None);
    EXPECT_EQ(EnabledEntries(window), "++--|++++|++|+ Open \"Twenty\" in Windows &Explorer");
    Run(window.GridCell(1, 5), Command::None);  // empty: nothing to copy or explore
    EXPECT_EQ(EnabledEntries(window), "++++|+++-|--|+ Open \"\" in Windows &Explorer");

    // The real menu, from a right-click.
    const ButtonCell& editor = window.GridCell(1, 1);
    SetCursorPos(ScreenPoint(editor).x, ScreenPoint(editor).y);
    g_menuPicture = "main-window-button-menu.png";
    SetTimer(nullptr, 0, 100, CloseTheMenu);
    PostMessageW(editor.Page(), WM_RBUTTONDOWN, MK_RBUTTON,
                 MAKELPARAM(editor.Rect().left + 16, editor.Rect().top + 16));
    PostMessageW(editor.Page(), WM_RBUTTONUP, 0, MAKELPARAM(editor.Rect().left + 16, editor.Rect().top + 16));
    testing::PumpMessages(500);
    EXPECT_TRUE(g_menuShown);

    // Copy full path/file name.
    Run(window.GridCell(1, 10), Command::CopyButtonPath);
    // Under Wine, after some of the main-window tests in this process, no window
    // can open the clipboard any more (its holder is no window); that is no
    // fault of the copy, which then cannot be read back here.
    if (!testing::WaitUntil([&] { return OpenClipboard(window.Handle()) != FALSE; }, 3000)) {
        GTEST_SKIP() << "the clipboard cannot be opened to read the copied path back";
    }
    const auto* text = static_cast<const wchar_t*>(GlobalLock(GetClipboardData(CF_UNICODETEXT)));
    EXPECT_EQ(std::wstring(text ? text : L""), Widen(ProgramOf(110)));
    GlobalUnlock(GetClipboardData(CF_UNICODETEXT));
    CloseClipboard();
}

// Fills the properties box with a program that exists and a description, and presses OK.
std::wstring g_program;
void CALLBACK FillThePropertiesBox(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND box = FindWindowW(L"#32770", L"Properties");
    if (!box || !IsWindowVisible(box)) return;
    KillTimer(nullptr, timer);
    const auto field = [box](const wchar_t* label) {
        return GetWindow(FindWindowExW(box, nullptr, L"Static", label), GW_HWNDNEXT);
    };
    SetWindowTextW(field(L"&File "), g_program.c_str());
    SetWindowTextW(field(L"&Description"), L"Child");
    SendMessageW(FindWindowExW(box, nullptr, L"Button", L"&OK"), BM_CLICK, 0, 0);
}

// The cell takes the hint that the grid draws at start-up, and the status bar
// shows it at once while the pointer rests on the cell.
TEST_F(MainWindowButtonMenuTest, PropertiesOkGivesTheCellTheGridsHintAndIconOnANewOrAStoredButton) {
    MainWindow& window = Start("104,0,0,0,0,0", ButtonXml(105, {{"Description", "Five"}, {"HotKey", "Ctrl+Alt+N"}}));
    Run(window.GridCell(1, 4), Command::None);
    EXPECT_EQ(GetMenuDefaultItem(window.PrepareButtonMenu().get(), FALSE, 0),
              static_cast<UINT>(Command::ButtonProperties));
    g_program = Widen(TAVRIN_TEST_CHILD);
    std::replace(g_program.begin(), g_program.end(), L'/', L'\\');
    SetTimer(nullptr, 0, 50, FillThePropertiesBox);
    window.RunCommand(Command::ButtonProperties);
    const ButtonRecord made = window.Buttons().Load(104).value();
    EXPECT_EQ(Widen(made.Command), g_program);
    EXPECT_EQ(made.TotolRunTimes, 0);
    EXPECT_EQ(window.GridCell(1, 4).Hint(), "Child");
    EXPECT_TRUE(window.GridCell(1, 4).HasPicture());
    EXPECT_EQ(window.TavrinTab().RecentImage(1).Hint(), "Child");  // the Tavrin Tab shows the new button too

    const POINT on = ScreenPoint(window.GridCell(1, 5));
    SetCursorPos(on.x, on.y);
    ASSERT_TRUE(testing::WaitUntil([&] { return window.StatusText(0) == L"Five -[Ctrl+Alt+N]"; }));
    Run(window.GridCell(1, 5), Command::None);
    SetTimer(nullptr, 0, 50, FillThePropertiesBox);
    window.RunCommand(Command::ButtonProperties);
    EXPECT_EQ(window.GridCell(1, 5).Hint(), "Child -[Ctrl+Alt+N]");
    EXPECT_EQ(window.StatusText(0), L"Child -[Ctrl+Alt+N]");
}

// In a process of its own: the X keyboard focus it leaves behind could disturb later tests.
class MainWindowButtonMenuRealKeyTest : public MainWindowButtonMenuTest {};

// The real Esc key and a real click on the caption end a waiting swap.
TEST_F(MainWindowButtonMenuRealKeyTest, ARealEscOrCaptionClickEndsAWaitingSwap) {
    MainWindow& window = Start("0,0,0,0,0,0", Named(101, "One") + Named(102, "Two"));
    SetForegroundWindow(window.Handle());
    const auto waitUntilOver = [&] { return testing::WaitUntil([&] { return !window.Pick().Waiting(); }); };
    Run(window.GridCell(1, 1), Command::SwapButton);
    if (const auto reason = testing::PressKeysWithXdotool("^Tavrin$", "Escape")) GTEST_SKIP() << *reason;
    EXPECT_TRUE(waitUntilOver()) << "Esc";
    RECT frame{};
    GetWindowRect(window.Handle(), &frame);
    Run(window.GridCell(1, 1), Command::SwapButton);
    const POINT caption{(frame.left + frame.right) / 2, frame.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2};
    if (const auto reason = testing::ClickWithXdotool(caption, 1)) GTEST_SKIP() << *reason;
    EXPECT_TRUE(waitUntilOver()) << "caption";
    EXPECT_EQ(DescriptionOf(101), "One");
}

// With the tab strip focused, the real menu key opens the tab menu below the active tab.
TEST_F(MainWindowButtonMenuRealKeyTest, ARealMenuKeyOnTheFocusedTabStripOpensTheTabMenu) {
    MainWindow& window = Start("0,0,0,0,0,0", Named(101, "One"));
    SetForegroundWindow(window.Handle());
    SetFocus(window.TabControl());
    g_menuShown = false;
    g_menuPicture = nullptr;
    SetTimer(nullptr, 0, 100, CloseTheMenu);
    if (const auto reason = testing::PressKeysWithXdotool("^Tavrin$", "Menu")) GTEST_SKIP() << *reason;
    ASSERT_TRUE(testing::WaitUntil([] { return g_menuShown; }));
    RECT tab{};
    TabCtrl_GetItemRect(window.TabControl(), TabCtrl_GetCurSel(window.TabControl()), &tab);
    MapWindowPoints(window.TabControl(), nullptr, reinterpret_cast<POINT*>(&tab), 2);
    EXPECT_EQ(g_menuPlace.top, tab.bottom);
    EXPECT_EQ(g_menuItems, static_cast<int>(kTabMenu.size()));
}

TEST_F(MainWindowButtonMenuRealKeyTest, ARealShiftF10OpensTheMenuOfTheCellUnderThePointer) {
    MainWindow& window = Start("0,0,0,0,0,0", Named(107, "Seven"));
    SetForegroundWindow(window.Handle());
    SetCursorPos(ScreenPoint(window.GridCell(1, 7)).x, ScreenPoint(window.GridCell(1, 7)).y);
    testing::PumpMessages(200);
    g_menuShown = false;
    g_menuPicture = nullptr;
    SetTimer(nullptr, 0, 100, CloseTheMenu);
    if (const auto reason = testing::PressKeysWithXdotool("^Tavrin$", "shift+F10")) GTEST_SKIP() << *reason;
    (void)testing::WaitUntil([] { return g_menuShown; });
    EXPECT_TRUE(g_menuShown);
    EXPECT_EQ(window.ContextButtonId(), 107);
}

// A long description is cut with an ellipsis in the Explorer entry, so that
// the menu that a real right-click opens fits the screen.
TEST_F(MainWindowButtonMenuTest, ALongDescriptionLeavesTheMenuNarrowerThanTheScreen) {
    MainWindow& window = Start("0,0,0,0,0,0", Named(103, std::string(3000, 'w')));
    g_menuShown = false;
    g_menuPicture = nullptr;
    SetTimer(nullptr, 0, 100, CloseTheMenu);
    if (const auto skipped = testing::ClickWithXdotool(ScreenPoint(window.GridCell(1, 3)), 1, 3)) {
        GTEST_SKIP() << *skipped;
    }
    ASSERT_TRUE(testing::WaitUntil([] { return g_menuShown; }));
    EXPECT_LE(g_menuPlace.right - g_menuPlace.left, GetSystemMetrics(SM_CXSCREEN));
    const unique_hmenu menu = window.PrepareButtonMenu();
    std::wstring caption(4096, L'\0');
    caption.resize(static_cast<size_t>(
        GetMenuStringW(menu.get(), static_cast<UINT>(Command::ExploreButtonPath), caption.data(), 4096, MF_BYCOMMAND)));
    EXPECT_LT(caption.size(), 3000u);
    EXPECT_TRUE(caption.ends_with(L"w\x2026\" in Windows &Explorer")) << Narrow(caption.substr(0, 40));
}

TEST_F(MainWindowButtonMenuTest, ASwapAcrossTabsTakesTheTavrinTabAlongAndASwapWithItselfChangesNothing) {
    MainWindow& window = Start("102,0,0,0,0,0", Named(102, "Two", 5) + Named(201, "Other", 3));
    Run(window.GridCell(1, 2), Command::SwapButton);
    EXPECT_EQ(window.GridCell(1, 2).CurrentLook(), ButtonCell::Look::PickSource);
    ASSERT_NE(SwapPickCursor(), CopyPickCursor());
    EXPECT_EQ(window.GridCell(2, 20).Cursor(), SwapPickCursor());
    EXPECT_EQ(window.TavrinTab().RecentImage(1).Cursor(), nullptr);  // the Tavrin Tab launches as usual
    testing::PumpMessages(200);
    testing::SaveWindowPicture(window.Handle(), testing::ArtifactPath("main-window-swap-source.png"));
    Run(window.GridCell(2, 3), Command::None);
    EXPECT_FALSE(window.PrepareButtonMenu());  // no menu while a swap waits

    Click(window.GridCell(2, 3));
    EXPECT_FALSE(window.Pick().Waiting(PickMode::Kind::Swap));
    EXPECT_EQ(DescriptionOf(203), "Two");
    EXPECT_FALSE(window.GridCell(1, 2).HasPicture());
    EXPECT_EQ(window.GridCell(1, 2).CurrentLook(), ButtonCell::Look::Raised);
    EXPECT_EQ(window.GridCell(2, 20).Cursor(), nullptr);
    EXPECT_EQ(window.Settings().RecentList.at(0), "203");
    EXPECT_EQ(window.TavrinTab().RecentImage(1).Hint(), "Two");
    EXPECT_EQ(window.TavrinTab().MostUsedImage(1).Tag(), 203);

    const std::string before = Saved();
    Run(window.GridCell(2, 3), Command::SwapButton);
    Click(window.GridCell(2, 3));
    EXPECT_FALSE(window.Pick().Waiting(PickMode::Kind::Swap));
    EXPECT_EQ(Saved(), before);

    // The source's tab deleted meanwhile: the swap is over.
    Run(window.GridCell(2, 3), Command::SwapButton);
    window.SetActivePage(2);
    window.RunCommand(Command::DeleteTab);
    EXPECT_FALSE(window.Pick().Waiting(PickMode::Kind::Swap));
    EXPECT_EQ(window.GridCell(1, 1).Cursor(), nullptr);
}

// The target is clicked with the real pointer, which shows the copy cursor over the tabs and the cells.
TEST_F(MainWindowButtonMenuTest, ACopyReplacesAButtonOnlyOnYesAndEndsEitherWay) {
    MainWindow& window = Start("0,0,0,0,0,0", Named(101, "One", 4) + Named(102, "Two"));
    prompt_.answer = false;
    Run(window.GridCell(1, 1), Command::CopyButton);
    const std::string before = Saved();
    Click(window.GridCell(1, 2));
    EXPECT_FALSE(window.Pick().Waiting(PickMode::Kind::Copy));
    EXPECT_EQ(prompt_.questions, std::vector<std::string>{"Replace the exists icon:\r\n\r\nTwo"});
    EXPECT_EQ(Saved(), before);

    // A swap chosen while a copy waits takes its place, with its cursor.
    Run(window.GridCell(1, 1), Command::CopyButton);
    Run(window.GridCell(1, 2), Command::SwapButton);
    EXPECT_TRUE(window.Pick().Waiting(PickMode::Kind::Swap));
    EXPECT_EQ(window.GridCell(1, 1).CurrentLook(), ButtonCell::Look::Raised);
    EXPECT_EQ(window.GridCell(2, 1).Cursor(), SwapPickCursor());
    Click(window.GridCell(1, 2));  // on its own source: over without a change
    EXPECT_EQ(Saved(), before);

    prompt_.answer = true;
    Run(window.GridCell(1, 1), Command::CopyButton);
    POINT tabs{5, 5};
    ClientToScreen(window.TabControl(), &tabs);
    for (const POINT point : {tabs, ScreenPoint(window.GridCell(1, 2))}) {
        SetCursorPos(point.x, point.y);
        testing::PumpMessages(200);
        EXPECT_EQ(GetCursor(), CopyPickCursor());
    }
    SetCursorPos(0, 0);  // xdotool waits for a move, which needs the pointer elsewhere
    testing::PumpMessages(100);
    if (const auto skipped = testing::ClickWithXdotool(ScreenPoint(window.GridCell(1, 2)), 1)) GTEST_SKIP() << *skipped;
    (void)testing::WaitUntil([&] { return !window.Pick().Waiting(PickMode::Kind::Copy); });
    const ButtonRecord copy = window.Buttons().Load(102).value();
    EXPECT_EQ(copy.Description, "One");
    EXPECT_EQ(copy.TotolRunTimes, 4);
    EXPECT_EQ(window.GridCell(1, 2).Hint(), "One");
}

// While a pick waits the status bar says which button waits; Esc (on the window or
// the tab strip), a right-click, or a press outside the grid ends it unchanged.
TEST_F(MainWindowButtonMenuTest, AWaitingPickIsShownAndEndsWithEscARightClickOrAPressOutsideTheGrid) {
    MainWindow& window = Start("101,0,0,0,0,0", Named(101, "One") + Named(102, "Two"));
    const std::string before = Saved();
    RECT page{};
    GetClientRect(window.GridCell(1, 1).Page(), &page);
    const POINT emptyArea{page.right - 1, page.bottom - 1};
    for (int slot = 1; slot <= 20; ++slot) ASSERT_FALSE(window.GridCell(1, slot).Contains(emptyArea));
    POINT cellOnScreen = ScreenPoint(window.GridCell(1, 2));
    const std::pair<const char*, std::function<void()>> endings[] = {
        {"Esc", [&] { SendMessageW(window.Handle(), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Esc on the tabs", [&] { SendMessageW(window.TabControl(), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"right-click",
         [&] {
             Run(window.GridCell(1, 2), Command::None);
             SendMessageW(window.GridCell(1, 2).Page(), WM_CONTEXTMENU, 0, MAKELPARAM(cellOnScreen.x, cellOnScreen.y));
         }},
        {"empty page area",
         [&] {
             SendMessageW(window.GridCell(1, 1).Page(), WM_LBUTTONDOWN, MK_LBUTTON,
                          MAKELPARAM(emptyArea.x, emptyArea.y));
         }},
        {"Tavrin Tab", [&] { Click(window.TavrinTab().RecentImage(1)); }},
    };
    for (const auto& [how, end] : endings) {
        Run(window.GridCell(1, 1), Command::CopyButton);
        EXPECT_EQ(window.StatusText(0), L"Copy \"One\": click the button to copy it onto; Esc cancels.");
        end();
        EXPECT_FALSE(window.Pick().Waiting()) << how;
        EXPECT_EQ(window.GridCell(1, 1).CurrentLook(), ButtonCell::Look::Raised) << how;
        EXPECT_EQ(window.GridCell(2, 1).Cursor(), nullptr) << how;
        EXPECT_FALSE(SendMessageW(StatusBarOf(window), SB_ISSIMPLE, 0, 0)) << how;
    }
    Run(window.GridCell(1, 5), Command::SwapButton);
    EXPECT_EQ(window.StatusText(0), L"Swap the empty slot 5: click the button to swap it with; Esc cancels.");
    EXPECT_EQ(Saved(), before);
    EXPECT_EQ(window.Settings().RecentList.at(0), "101");  // the click on the Tavrin Tab started nothing
}

TEST_F(MainWindowButtonMenuTest, ClearAnsweredYesRemovesTheButtonFromTheFileAndTheTavrinTab) {
    MainWindow& window = Start("105,101,0,0,0,0", Named(101, "One", 9) + Named(105, "Five", 2));
    prompt_.answer = false;
    const std::string before = Saved();
    Run(window.GridCell(1, 5), Command::ClearButton);
    EXPECT_EQ(Saved(), before);
    // The pointer stays on the cell: the cleared button's hint leaves the status bar with it.
    const POINT on = ScreenPoint(window.GridCell(1, 5));
    SetCursorPos(on.x, on.y);
    ASSERT_TRUE(testing::WaitUntil([&] { return window.StatusText(0) == L"Five"; }));
    prompt_.answer = true;
    Run(window.GridCell(1, 5), Command::ClearButton);
    EXPECT_EQ(prompt_.questions.back(), "Are you sure to remove this Icon?\r\n\r\nFive ");
    EXPECT_EQ(window.StatusText(0), L"");
    EXPECT_FALSE(window.Buttons().LoadSummary(105));
    EXPECT_FALSE(window.GridCell(1, 5).HasPicture());
    EXPECT_EQ(window.Settings().RecentList, (std::vector<std::string>{"101", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(window.TavrinTab().RecentImage(1).Hint(), "One");
    EXPECT_EQ(window.TavrinTab().MostUsed().MostUsedIDs, (std::array<int, 6>{101, 0, 0, 0, 0, 0}));
}

TEST_F(MainWindowButtonMenuTest, ResetUsageCountsAnsweredYesZeroesTheCountersInOneSaveAndThePanelFollows) {
    MainWindow& window =
        Start("0,0,0,0,0,0",
              ButtonXml(101, {{"Description", "One"}, {"TotolRunTimes", "9"}, {"Day2", "4"}, {"Day2Week", "49"}}) +
                  Named(102, "Two", 2));
    ASSERT_EQ(window.TavrinTab().MostUsedImage(1).Tag(), 101);
    prompt_.answer = false;
    const std::string before = Saved();
    Run(window.GridCell(1, 1), Command::ResetButtonCounts);
    EXPECT_EQ(prompt_.questions.back(), "Reset the usage counts of this button to 0?\r\n\r\nOne");
    EXPECT_EQ(Saved(), before);

    prompt_.answer = true;
    Run(window.GridCell(1, 1), Command::ResetButtonCounts);
    const ButtonRecord reset = window.Buttons().Load(101).value();
    EXPECT_EQ(reset.TotolRunTimes, 0);
    EXPECT_EQ(reset.Day, (std::array<int, 7>{}));
    EXPECT_EQ(reset.DayWeek, (std::array<int, 7>{}));
    EXPECT_EQ(reset.Description, "One");
    EXPECT_EQ(window.TavrinTab().MostUsedImage(1).Tag(), 102);
}

// A button whose command is gone is marked, says so when clicked, and neither
// counts nor enters the recent list.
TEST_F(MainWindowButtonMenuTest, AClickOnAButtonWhoseTargetIsMissingSaysSoAndChangesNothing) {
    const std::string gone = folder_ / "gone.exe";
    // A shortcut whose target went is missing too.
    const std::string moved = folder_ / "moved.exe";
    const std::string link = folder_ / "moved.lnk";
    testing::WriteBytes(moved, "");
    {
        const ComInitScope ole(ComInitScope::Kind::Ole);
        ShellLinkSpec shortcut;
        shortcut.Path = moved;
        ASSERT_TRUE(CreateShellLink(shortcut, link));
    }
    DeleteFileW(Widen(moved).c_str());
    MainWindow& window =
        Start("101,0,0,0,0,0", Named(101, "One") + ButtonXml(102, {{"Description", "Gone"}, {"Command", gone}}) +
                                   ButtonXml(103, {{"Description", "Moved"}, {"Command", link}}));
    EXPECT_EQ(window.GridCell(1, 2).Hint(), "Gone (missing)");
    EXPECT_TRUE(window.GridCell(1, 2).TargetMissing());
    EXPECT_FALSE(window.GridCell(1, 1).TargetMissing());
    EXPECT_FALSE(window.TavrinTab().RecentImage(1).TargetMissing());
    const std::string before = Saved();
    Click(window.GridCell(1, 2));
    EXPECT_EQ(Narrow(window.StatusText(0)), "The target of \"Gone\" is missing: " + gone);
    EXPECT_TRUE(window.GridCell(1, 3).TargetMissing());
    Click(window.GridCell(1, 3));
    EXPECT_EQ(Narrow(window.StatusText(0)), "The target of \"Moved\" is missing: " + link);
    EXPECT_EQ(window.Settings().RecentList.at(0), "101");
    EXPECT_EQ(Saved(), before);
}

TEST_F(MainWindowButtonMenuTest, MovesWrapFromTheFirstRowIntoTheSecondAndGoToTheEnds) {
    MainWindow& window = Start("103,111,0,0,0,0", Named(103, "Three") + Named(110, "Ten"));
    Run(window.GridCell(1, 3), Command::MoveButtonToLast);
    EXPECT_EQ(DescriptionOf(120), "Three");
    for (int slot = 3; slot <= 19; ++slot) EXPECT_EQ(window.GridCell(1, slot).HasPicture(), slot == 9) << slot;
    // The recent list follows the buttons that moved, and so does the ID of an empty slot.
    EXPECT_EQ(window.Settings().RecentList.at(0) + window.Settings().RecentList.at(1), "120110");

    Run(window.GridCell(1, 9), Command::MoveButtonAfter);
    Run(window.GridCell(1, 10), Command::MoveButtonAfter);  // the rows are one sequence
    EXPECT_EQ(window.GridCell(1, 11).Hint(), "Ten");
    Run(window.GridCell(1, 11), Command::MoveButtonLeft);
    EXPECT_EQ(window.GridCell(1, 10).Hint(), "Ten");
    Run(window.GridCell(1, 20), Command::MoveButtonToFirst);
    EXPECT_EQ(DescriptionOf(101) + DescriptionOf(111), "ThreeTen");
}

// Every action of the button and tab menus, and a click, reads the settings file
// once (and again just before replacing it, to see that nobody changed it
// meanwhile) and saves it once: a kill leaves the old or the new file, never
// half of an action.
TEST_F(MainWindowButtonMenuTest, EveryActionReadsAndSavesTheFileOnce) {
    // The clicked buttons start the test's child program, which leaves a marker in the folder.
    const auto runnable = [&](int id, const std::string& name, int total) {
        std::string child = TAVRIN_TEST_CHILD;
        std::replace(child.begin(), child.end(), '/', '\\');
        return ButtonXml(id, {{"Command", child},
                              {"Parameters", "&quot;" + (folder_ / (name + ".txt")) + "&quot;"},
                              {"Description", name},
                              {"TotolRunTimes", std::to_string(total)}});
    };
    MainWindow& window =
        Start("101,102,0,0,0,0", runnable(101, "One", 5) + runnable(102, "Two", 2) + Named(121, "Game"));
    const auto expectOneSave = [&](const char* action, const auto& act, int reads = 2) {
        fs_.reads = fs_.saves = 0;
        act();
        EXPECT_EQ(fs_.saves, 1) << action;
        EXPECT_EQ(fs_.reads, reads) << action;
    };
    Click(window.GridCell(1, 1));  // the day's first save, which also keeps a backup of the file
    expectOneSave("click", [&] { Click(window.GridCell(1, 2)); });
    expectOneSave("move after", [&] { Run(window.GridCell(1, 1), Command::MoveButtonAfter); });
    expectOneSave("move left", [&] { Run(window.GridCell(1, 2), Command::MoveButtonLeft); });
    expectOneSave("move to last", [&] { Run(window.GridCell(1, 1), Command::MoveButtonToLast); });
    expectOneSave("move to first", [&] { Run(window.GridCell(1, 20), Command::MoveButtonToFirst); });
    expectOneSave("swap", [&] {
        Run(window.GridCell(1, 1), Command::SwapButton);
        Click(window.GridCell(1, 5));
    });
    // A copy looks at its target once more, for its question, before its transaction.
    expectOneSave(
        "copy",
        [&] {
            Run(window.GridCell(1, 5), Command::CopyButton);
            Click(window.GridCell(1, 6));
        },
        3);
    expectOneSave("clear", [&] { Run(window.GridCell(1, 6), Command::ClearButton); });
    expectOneSave("reset", [&] { Run(window.GridCell(1, 5), Command::ResetButtonCounts); });
    window.SetActivePage(1);
    expectOneSave("tab right", [&] { window.RunCommand(Command::MoveTabRight); });
    expectOneSave("tab left", [&] { window.RunCommand(Command::MoveTabLeft); });
    EXPECT_EQ(DescriptionOf(101) + "|" + DescriptionOf(102) + "|" + DescriptionOf(105) + "|" + DescriptionOf(106) +
                  "|" + DescriptionOf(121),
              "|Two|One||Game");
}

}  // namespace
}  // namespace tavrin
