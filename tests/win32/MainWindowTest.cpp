// The main window created in this process for a program folder of the test's
// own, with a prepared settings file, driven by the messages a user's mouse
// and the system menu would send.
#include "app/MainWindow.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <filesystem>
#include <map>

#include "support/ButtonFiles.h"
#include "support/FakeEnvironment.h"
#include "support/FakePrompt.h"
#include "support/FixedClock.h"
#include "support/MainWindowFixture.h"
#include "support/Screenshot.h"
#include "support/TempFolder.h"
#include "support/WindowTesting.h"
#include "win32/ShownText.h"
#include "win32/Utf16.h"
#include "win32/Win32FileSystem.h"

namespace tavrin {
namespace {

using testing::ButtonXml;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Answers the file dialogs as the test says and keeps the messages shown.
class FakeFileDialogs : public ISettingsFileDialogs {
public:
    std::optional<std::string> ChooseSaveFile(const std::string& initialFolder,
                                              const std::string& proposedName) override {
        asked.push_back("save " + initialFolder + " " + proposedName);
        return answer;
    }
    std::optional<std::string> ChooseOpenFile(const std::string& initialFolder) override {
        asked.push_back("open " + initialFolder);
        return answer;
    }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }

    std::optional<std::string> answer;
    std::vector<std::string> asked;
    std::vector<std::string> messages;
};

struct Options {
    std::string lastPanelIndex = "1";
    std::string showAppPanel = "1";
    std::string alwaysOnTop = "0";
    int x = 100;
    int y = 100;
    std::vector<std::string> groups = {"Tools", "Games"};
};

std::string SettingsFile(const Options& options, const std::string& recent, const std::string& buttons) {
    const std::pair<const char*, std::string> items[] = {{"RunStartup", "0"},
                                                         {"ShowAppPanel", options.showAppPanel},
                                                         {"LastPanelIndex", options.lastPanelIndex},
                                                         {"SplashScreen", "0"},
                                                         {"AlwaysOnTop", options.alwaysOnTop},
                                                         {"IgnoreBlankButton", "1"},
                                                         {"AnalyseLinkFile", "1"},
                                                         {"GlobalHotKey", ""},
                                                         {"FavoriteGroup", "Tavrin Tab"},
                                                         {"IconSize", "32"},
                                                         {"ButtonSpacing", "0"},
                                                         {"TabStyle", "0"},
                                                         {"X", std::to_string(options.x)},
                                                         {"Y", std::to_string(options.y)}};
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Application>";
    for (const auto& [name, value] : items) {
        xml += "\r\n\t\t<Item Name=\"" + std::string(name) + "\" Value=\"" + value + "\"/>";
    }
    xml += "\r\n\t</Application>\r\n\t<Groups Count=\"" + std::to_string(options.groups.size()) + "\">";
    for (size_t i = 0; i < options.groups.size(); ++i) {
        xml += "\r\n\t\t<Item ID=\"" + std::to_string(i + 1) + "\" Value=\"" + options.groups[i] + "\"/>";
    }
    xml += "\r\n\t</Groups>\r\n\t<Last6Buttons>";
    size_t start = 0;
    for (int i = 1; i <= 6; ++i) {
        const size_t comma = recent.find(',', start);
        xml += "\r\n\t\t<Item ID=\"" + std::to_string(i) + "\" Value=\"" + recent.substr(start, comma - start) + "\"/>";
        start = comma + 1;
    }
    return xml + "\r\n\t</Last6Buttons>\r\n\t<Buttons>" + buttons + "\r\n\t</Buttons>\r\n</GLConfig>";
}

class MainWindowTest : public testing::MainWindowFixture {
protected:
    MainWindowTest() : MainWindowFixture(dialogs_) {}

    MainWindow& Start(const Options& options = {}, const std::string& recent = "0,0,0,0,0,0",
                      const std::string& buttons = "") {
        WriteBytes(SettingsPath(), SettingsFile(options, recent, buttons));
        return Open();
    }

    // Starts the window on the settings file as it is.
    MainWindow& Open() { return OpenWindow(); }

    // A point of a cell's page, (x, y) from the cell's top left corner.
    static LPARAM PointInCell(const ButtonCell& cell, int x, int y) {
        return MAKELPARAM(cell.Rect().left + x, cell.Rect().top + y);
    }

    // A left click in the middle of a cell, as the mouse sends it to the cell's page.
    static void Click(const ButtonCell& cell) {
        SendMessageW(cell.Page(), WM_LBUTTONDOWN, MK_LBUTTON, PointInCell(cell, 16, 16));
        SendMessageW(cell.Page(), WM_LBUTTONUP, 0, PointInCell(cell, 16, 16));
    }

    RECT Frame() const {
        RECT frame{};
        GetWindowRect(window_->Handle(), &frame);
        return frame;
    }

    void MoveTo(int left, int top) const {
        SetWindowPos(window_->Handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    FakeFileDialogs dialogs_;
};

TEST_F(MainWindowTest, BuildsTheTavrinTabAndTwentyCellsPerGroup) {
    MainWindow& window =
        Start({}, "0,0,0,0,0,0", ButtonXml(101, {{"Description", "Editor"}, {"HotKey", "Ctrl+Alt+N"}}));
    ASSERT_EQ(window.PageCount(), 3);
    EXPECT_EQ(window.GridCell(2, 1).Tag(), 201);
    EXPECT_EQ(window.GridCell(2, 20).Tag(), 220);
    const RECT first = window.GridCell(1, 1).Rect();
    const RECT below = window.GridCell(1, 11).Rect();
    EXPECT_EQ(window.GridCell(1, 11).Page(), window.GridCell(1, 1).Page());
    EXPECT_EQ(below.left, first.left);
    EXPECT_EQ(below.top - first.top, 34);
    EXPECT_EQ(first.right - first.left, 34);
    RECT client{};
    GetClientRect(window.Handle(), &client);
    EXPECT_EQ(client.right, 348);

    // A stored button with an icon file that is gone shows the fixed picture; empty slots show nothing.
    EXPECT_TRUE(window.GridCell(1, 1).HasPicture());
    EXPECT_EQ(window.GridCell(1, 1).Hint(), "Editor -[Ctrl+Alt+N]");
    EXPECT_FALSE(window.GridCell(1, 2).HasPicture());
    SendMessageW(window.GridCell(1, 1).Page(), WM_MOUSEMOVE, 0, PointInCell(window.GridCell(1, 1), 5, 5));
    EXPECT_EQ(window.StatusText(0), L"Editor -[Ctrl+Alt+N]");
    SendMessageW(window.GridCell(1, 1).Page(), WM_MOUSEMOVE, 0, PointInCell(window.GridCell(1, 20), 40, 5));
    EXPECT_EQ(window.StatusText(0), L"");  // empty page area clears the hint

    // A right press on a cell's one-pixel frame is a press on that cell.
    SendMessageW(window.GridCell(1, 4).Page(), WM_RBUTTONDOWN, MK_RBUTTON, PointInCell(window.GridCell(1, 4), 0, 16));
    EXPECT_EQ(window.ContextButtonId(), 104);
    EXPECT_EQ(window.CurrentImageId(), 104);
}

// The size of the picture a cell painted last.
SIZE PictureSize(const ButtonCell& cell) {
    ICONINFO info{};
    if (!cell.Picture() || !GetIconInfo(cell.Picture(), &info)) return {};
    const unique_hbitmap colour(info.hbmColor);
    const unique_hbitmap mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    return {bitmap.bmWidth, bitmap.bmHeight};
}

int ClientWidth(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client.right;
}

// An icon file with several image sizes: the program itself.
std::string IconButtons() {
    std::string exe = TAVRIN_EXE;
    std::replace(exe.begin(), exe.end(), '/', '\\');
    return ButtonXml(101, {{"IconFile", exe}, {"Description", "Tavrin"}}) + ButtonXml(102, {{"Description", "Gone"}});
}

// At the display scale of the test's Wine prefix (also run at 150 %, for its pictures).
class MainWindowScaledTest : public MainWindowTest {};

TEST_F(MainWindowScaledTest, EverythingIsScaledToTheDisplayAndSharp) {
    const int dpi = static_cast<int>(GetDpiForSystem());
    MainWindow& window = Start({}, "0,0,0,0,0,0", IconButtons());
    EXPECT_EQ(window.Dpi(), dpi);
    EXPECT_NEAR(ClientWidth(window.Handle()), 348 * dpi / kBaseDpi, 2);
    EXPECT_EQ(window.GridCell(1, 2).Rect().left - window.GridCell(1, 1).Rect().left, 34 * dpi / kBaseDpi);
    EXPECT_EQ(window.GridCell(1, 11).Rect().top - window.GridCell(1, 1).Rect().top, 34 * dpi / kBaseDpi);
    UpdateWindow(window.Handle());
    EXPECT_EQ(PictureSize(window.GridCell(1, 1)).cx, dpi / 3);
    EXPECT_EQ(PictureSize(window.GridCell(1, 2)).cx, dpi / 3);  // the missing-icon picture
    // The pictures at 100 % come from the end-to-end tests, of the real program.
    const auto save = [&](const std::string& name) {
        if (dpi != kBaseDpi)
            testing::SaveWindowPicture(window.Handle(),
                                       testing::ArtifactPath(name + "-" + std::to_string(dpi) + "dpi.png"));
    };
    testing::PumpMessages(500);
    save("main-window");
    window.SetActivePage(0);
    testing::PumpMessages(500);
    EXPECT_EQ(PictureSize(window.TavrinTab().ToolImage(Command::Options)).cx, dpi / 3);
    save("main-window-tavrin-tab");
}

// Wine sends no WM_DPICHANGED of its own: the message is sent as Windows would
// for a move onto a monitor at 150 % and back.
TEST_F(MainWindowTest, DpiChangeLaysTheWindowOutAgain) {
    MainWindow& window = Start({}, "0,0,0,0,0,0", IconButtons());
    const int dpi = window.Dpi();
    const int width = ClientWidth(window.Handle());
    RECT suggested = Frame();
    SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi * 3 / 2, dpi * 3 / 2),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(Frame().left, suggested.left);
    EXPECT_NEAR(ClientWidth(window.Handle()), width * 3 / 2, 2);
    EXPECT_EQ(window.GridCell(1, 2).Rect().left - window.GridCell(1, 1).Rect().left, 34 * dpi / 64);
    EXPECT_EQ(window.TavrinTab().ToolImage(Command::Options).IconSize(), dpi / 2);
    UpdateWindow(window.Handle());
    EXPECT_EQ(PictureSize(window.GridCell(1, 1)).cx, dpi / 2);

    suggested = Frame();
    SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(ClientWidth(window.Handle()), width);
    UpdateWindow(window.Handle());
    EXPECT_EQ(PictureSize(window.GridCell(1, 1)).cx, dpi / 3);
}

// The page windows under the tab control: the pages built so far, and the find's results page.
int BuiltPages(const MainWindow& window) {
    int count = 0;
    for (HWND page = nullptr; (page = FindWindowExW(window.TabControl(), page, L"TavrinTabPage", nullptr));) ++count;
    return count;
}

TEST_F(MainWindowTest, AGroupPageIsBuiltWhenItsTabIsFirstSelected) {
    MainWindow& window = Start({.lastPanelIndex = "1", .groups = {"A", "B", "C"}}, "0,0,0,0,0,0",
                               ButtonXml(302, {{"Description", "Third"}, {"TotolRunTimes", "2"}}));
    EXPECT_EQ(BuiltPages(window), 3);  // the Tavrin Tab, the page shown and the results page
    EXPECT_EQ(window.TavrinTab().MostUsedImage(1).Hint(), "Third");
    TabCtrl_SetCurSel(window.TabControl(), 3);
    NMHDR change{window.TabControl(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(window.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(BuiltPages(window), 4);
    EXPECT_TRUE(IsWindowVisible(window.PageWindow(3)));
    EXPECT_EQ(window.GridCell(3, 2).Tag(), 302);
    EXPECT_EQ(window.GridCell(3, 2).Hint(), "Third");
    EXPECT_EQ(BuiltPages(window), 4);
}

TEST_F(MainWindowTest, StartsOnTheLastPageOrOnNoneWhenItIsGone) {
    EXPECT_EQ(Start({.lastPanelIndex = "1", .showAppPanel = "1"}).ActivePageIndex(), 1);
    window_.reset();
    EXPECT_EQ(Start({.lastPanelIndex = "3"}).ActivePageIndex(), -1);
    EXPECT_EQ(TabCtrl_GetCurSel(window_->TabControl()), -1);
    window_.reset();
    MainWindow& hidden = Start({.lastPanelIndex = "2", .showAppPanel = "0"});
    EXPECT_FALSE(hidden.TabVisible(0));
    EXPECT_EQ(TabCtrl_GetItemCount(hidden.TabControl()), 2);
    EXPECT_EQ(TabCtrl_GetCurSel(hidden.TabControl()), 1);
}

// The strip gets its items beyond the tab shown only after the first paint; once shown it holds them all.
TEST_F(MainWindowTest, ManyTabsAreAllInTheStripWithTheLastPageSelected) {
    std::vector<std::string> groups;
    for (int group = 1; group <= 40; ++group) groups.push_back("Group " + std::to_string(group));
    MainWindow& window = Start({.lastPanelIndex = "5", .groups = groups});
    ASSERT_EQ(TabCtrl_GetItemCount(window.TabControl()), 41);
    EXPECT_EQ(TabCtrl_GetCurSel(window.TabControl()), 5);
    EXPECT_EQ(testing::TabItemText(window.TabControl(), 40), L"Group 40");
}

TEST_F(MainWindowTest, PageChangeIsRememberedAndSavedOnClose) {
    MainWindow& window = Start({.lastPanelIndex = "0"});
    TabCtrl_SetCurSel(window.TabControl(), 2);
    NMHDR change{window.TabControl(), 0, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(window.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&change));
    EXPECT_EQ(window.ActivePageIndex(), 2);
    EXPECT_EQ(window.Settings().LastPanelIndex, 2);
    MoveTo(300, 200);
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    const std::string saved = ReadBytes(SettingsPath());
    EXPECT_NE(saved.find("<Item Name=\"LastPanelIndex\" Value=\"2\"/>"), std::string::npos);
    EXPECT_NE(saved.find("<Item Name=\"X\" Value=\"300\"/>"), std::string::npos);
    EXPECT_NE(saved.find("<Item Name=\"Y\" Value=\"200\"/>"), std::string::npos);
    MSG quit;
    while (PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE)) {
    }
}

TEST_F(MainWindowTest, LogOffAndMinimisingKeepTheRestoredPlace) {
    MainWindow& window = Start();
    MoveTo(300, 200);
    SendMessageW(window.Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_NE(ReadBytes(SettingsPath()).find("<Item Name=\"X\" Value=\"300\"/>"), std::string::npos);

    // Minimised by another program: no snapping to the corner, and the place it is restored to is saved.
    MoveTo(320, 210);
    ShowWindow(window.Handle(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(window.Handle()));
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    const std::string saved = ReadBytes(SettingsPath());
    EXPECT_NE(saved.find("<Item Name=\"X\" Value=\"320\"/>"), std::string::npos) << saved;
    EXPECT_NE(saved.find("<Item Name=\"Y\" Value=\"210\"/>"), std::string::npos);
    MSG quit;
    while (PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE)) {
    }
}

TEST_F(MainWindowTest, HidingTheActiveTavrinTabActivatesItsNeighbour) {
    MainWindow& window = Start({.lastPanelIndex = "0"});
    ASSERT_EQ(window.ActivePageIndex(), 0);
    SendMessageW(window.Handle(), WM_SYSCOMMAND, static_cast<WPARAM>(Command::ShowTavrinTab), 0);
    EXPECT_EQ(window.ActivePageIndex(), 1);
    EXPECT_EQ(TabCtrl_GetCurSel(window.TabControl()), 0);  // the first tab is group 1's now
    EXPECT_FALSE(IsWindowVisible(window.PageWindow(0)));
    EXPECT_TRUE(IsWindowVisible(window.PageWindow(1)));
}

TEST_F(MainWindowTest, EdgesWithin19PixelsOfTheScreenEdgeStickToIt) {
    Start();
    const RECT frame = Frame();
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    MoveTo(5, 300);
    EXPECT_EQ(Frame().left, 0);
    MoveTo(25, 300);
    EXPECT_EQ(Frame().left, 25);
    MoveTo(environment_.screenWidth - width - 10, 300);
    EXPECT_EQ(Frame().right, environment_.screenWidth);
    MoveTo(environment_.screenWidth - width, 19);
    EXPECT_EQ(Frame().right, environment_.screenWidth);
    EXPECT_EQ(Frame().top, 0);
    MoveTo(300, environment_.workAreaHeight - height + 50);  // partly below the work area: pulled back in
    EXPECT_EQ(Frame().bottom, environment_.workAreaHeight);
}

TEST_F(MainWindowTest, FirstPositionIsTheBottomRightCornerOfTheWorkArea) {
    Start({.x = environment_.screenWidth, .y = environment_.workAreaHeight});
    EXPECT_EQ(Frame().right, environment_.screenWidth);
    EXPECT_EQ(Frame().bottom, environment_.workAreaHeight);
}

TEST_F(MainWindowTest, SystemMenuTogglesAlwaysOnTopAndTheTavrinTabAndSavesThem) {
    MainWindow& window = Start({.lastPanelIndex = "1"});
    const HMENU menu = GetSystemMenu(window.Handle(), FALSE);
    auto checked = [menu](unsigned id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; };
    auto topmost = [&] { return (GetWindowLongW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    EXPECT_FALSE(checked(static_cast<unsigned>(Command::AlwaysOnTop)));
    EXPECT_TRUE(checked(static_cast<unsigned>(Command::ShowTavrinTab)));
    EXPECT_EQ(window.ActivePageIndex(), 1);  // the page of last time wins over the Tavrin Tab

    SendMessageW(window.Handle(), WM_SYSCOMMAND, static_cast<unsigned>(Command::AlwaysOnTop), 0);
    EXPECT_TRUE(checked(static_cast<unsigned>(Command::AlwaysOnTop)));
    EXPECT_TRUE(topmost());
    EXPECT_NE(ReadBytes(SettingsPath()).find("\"AlwaysOnTop\" Value=\"1\""), std::string::npos);
    SendMessageW(window.Handle(), WM_SYSCOMMAND, static_cast<unsigned>(Command::AlwaysOnTop), 0);
    EXPECT_FALSE(checked(static_cast<unsigned>(Command::AlwaysOnTop)));
    EXPECT_FALSE(topmost());
    EXPECT_NE(ReadBytes(SettingsPath()).find("\"AlwaysOnTop\" Value=\"0\""), std::string::npos);

    SendMessageW(window.Handle(), WM_SYSCOMMAND, static_cast<unsigned>(Command::ShowTavrinTab), 0);
    EXPECT_FALSE(checked(static_cast<unsigned>(Command::ShowTavrinTab)));
    EXPECT_FALSE(window.TabVisible(0));
    EXPECT_NE(ReadBytes(SettingsPath()).find("\"ShowAppPanel\" Value=\"0\""), std::string::npos);
    SendMessageW(window.Handle(), WM_SYSCOMMAND, static_cast<unsigned>(Command::ShowTavrinTab), 0);
    EXPECT_TRUE(window.TabVisible(0));
    EXPECT_EQ(window.ActivePageIndex(), 0);  // shown again, the Tavrin Tab becomes active
}

class LaunchFromWindowTest : public MainWindowTest {
protected:
    std::string ChildCommand() const { return folder_ / "child.exe"; }
    std::string Marker(int n) const { return folder_ / ("marker" + std::to_string(n) + ".txt"); }

    std::string ChildButton(int id, int marker, const std::map<std::string, std::string>& more = {}) const {
        std::map<std::string, std::string> values{{"Command", ChildCommand()},
                                                  {"IconFile", ChildCommand()},
                                                  {"Parameters", Marker(marker)},
                                                  {"Description", "Child " + std::to_string(id)}};
        values.insert(more.begin(), more.end());
        return ButtonXml(id, values);
    }

    bool WaitForFile(const std::string& path, DWORD timeoutMs = 20000) {
        return testing::WaitUntil([&] { return fs_.FileExists(path); }, timeoutMs);
    }

    void SetUp() override {
        ASSERT_TRUE(CopyFileW(Widen(TAVRIN_TEST_CHILD).c_str(), Widen(ChildCommand()).c_str(), FALSE));
    }
};

TEST_F(LaunchFromWindowTest, ClickStartsTheProgramCountsItAndKeepsThePanels) {
    MainWindow& window =
        Start({}, "105,0,0,0,0,0", ChildButton(101, 1) + ChildButton(105, 5, {{"TotolRunTimes", "4"}}));
    EXPECT_EQ(window.TavrinTab().RecentImage(1).Tag(), 105);
    EXPECT_EQ(window.TavrinTab().MostUsedImage(1).Tag(), 105);
    EXPECT_EQ(window.TavrinTab().MostUsedImage(2).Tag(), 0);  // never started: not on the panel

    Click(window.GridCell(1, 1));
    ASSERT_TRUE(WaitForFile(Marker(1))) << "the program did not start";
    EXPECT_EQ(window.StatusText(1), L"T:1 / W1 /A:1");
    EXPECT_EQ(window.TavrinTab().RecentImage(1).Tag(), 101);
    EXPECT_EQ(window.TavrinTab().RecentImage(2).Tag(), 105);
    EXPECT_EQ(window.TavrinTab().MostUsedImage(2).Tag(), 101);  // 1 is not more than 4
    const std::string saved = ReadBytes(SettingsPath());
    EXPECT_NE(saved.find("<Item ID=\"1\" Value=\"101\"/>\r\n\t\t<Item ID=\"2\" Value=\"105\"/>"), std::string::npos);

    // From the Tavrin Tab: counted, but the recent list and the most-used order stay.
    Click(window.TavrinTab().RecentImage(2));
    ASSERT_TRUE(WaitForFile(Marker(5)));
    EXPECT_EQ(window.StatusText(1), L"T:1 / W1 /A:5");
    EXPECT_EQ(window.TavrinTab().RecentImage(1).Tag(), 101);
    EXPECT_EQ(window.TavrinTab().MostUsed().MostUsedCounts[0], 5);
}

TEST_F(LaunchFromWindowTest, APressThatLosesTheCaptureStartsNothing) {
    MainWindow& window = Start({}, "0,0,0,0,0,0", ChildButton(101, 1));
    const std::string before = ReadBytes(SettingsPath());
    const ButtonCell& cell = window.GridCell(1, 1);
    SendMessageW(cell.Page(), WM_LBUTTONDOWN, MK_LBUTTON, PointInCell(cell, 16, 16));
    EXPECT_EQ(cell.CurrentLook(), ButtonCell::Look::Pressed);
    SendMessageW(window.Handle(), WM_ACTIVATE, WA_INACTIVE, 0);  // another program came to the front
    EXPECT_EQ(cell.CurrentLook(), ButtonCell::Look::Raised);
    SendMessageW(cell.Page(), WM_LBUTTONUP, 0, PointInCell(cell, 16, 16));
    EXPECT_FALSE(WaitForFile(Marker(1), 1000));
    EXPECT_EQ(ReadBytes(SettingsPath()), before);
}

TEST_F(LaunchFromWindowTest, EmptyCellsAndIgnoredButtonsBehave) {
    MainWindow& window = Start({}, "0,0,0,0,0,0", ChildButton(101, 1, {{"IgnoreRunTimes", "1"}}));
    const std::string before = ReadBytes(SettingsPath());
    Click(window.GridCell(1, 2));              // empty slot: nothing at all
    Click(window.TavrinTab().RecentImage(1));  // empty image of the Tavrin Tab
    EXPECT_EQ(ReadBytes(SettingsPath()), before);
    EXPECT_EQ(window.StatusText(1), L"");

    Click(window.GridCell(1, 1));
    ASSERT_TRUE(WaitForFile(Marker(1)));
    EXPECT_EQ(window.StatusText(1), L"");  // no usage text, but the start is counted
    EXPECT_NE(ReadBytes(SettingsPath()).find("<Item Name=\"TotolRunTimes\" Value=\"1\"/>"), std::string::npos);
}

// The usage panel reaches the window's right edge and holds counts in the
// thousands whole at 100 %, 150 % and 200 %.
TEST_F(LaunchFromWindowTest, UsageCountsInTheThousandsFitTheStatusBarAtEveryScale) {
    MainWindow& window = Start(
        {}, "0,0,0,0,0,0", ChildButton(101, 1, {{"TotolRunTimes", "123455"}, {"Day0", "4320"}, {"Day0Week", "50"}}));
    Click(window.GridCell(1, 1));
    ASSERT_TRUE(WaitForFile(Marker(1)));
    const std::wstring usage = window.StatusText(1);
    EXPECT_EQ(usage, L"T:4321 / W4321 /A:123456");
    const HWND bar = FindWindowExW(window.Handle(), nullptr, STATUSCLASSNAMEW, nullptr);
    const int dpi = window.Dpi();
    for (const int scaled : {dpi, dpi * 3 / 2, dpi * 2}) {
        SCOPED_TRACE(scaled);
        RECT suggested = Frame();
        SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(scaled, scaled), reinterpret_cast<LPARAM>(&suggested));
        RECT panel{};
        SendMessageW(bar, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&panel));
        RECT client{};
        GetClientRect(bar, &client);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(bar, WM_GETFONT, 0, 0));
        EXPECT_EQ(panel.right, client.right);
        // The status bar draws the text four pixels inside the panel and keeps one from its right edge.
        EXPECT_GE(panel.right - panel.left, TextWidth(bar, font, usage) + 5);
    }
}

TEST_F(MainWindowTest, AnAmpersandInATabNameIsShownAsWritten) {
    MainWindow& window = Start({.groups = {"R&amp;D &amp; Co"}});
    EXPECT_EQ(testing::TabItemText(window.TabControl(), 1), L"R&&D && Co");
    EXPECT_EQ(window.Settings().GroupNames, std::vector<std::string>{"R&D & Co"});
}

TEST_F(MainWindowTest, MostUsedTiesPutTheEarlierButtonInTheLaterPosition) {
    MainWindow& window = Start({}, "0,0,0,0,0,0",
                               ButtonXml(101, {{"TotolRunTimes", "3"}}) + ButtonXml(205, {{"TotolRunTimes", "7"}}) +
                                   ButtonXml(102, {{"TotolRunTimes", "3"}}));
    EXPECT_EQ(window.TavrinTab().MostUsedImage(1).Tag(), 205);
    EXPECT_EQ(window.TavrinTab().MostUsedImage(2).Tag(), 102);
    EXPECT_EQ(window.TavrinTab().MostUsedImage(3).Tag(), 101);
}

TEST_F(MainWindowTest, ViewFrequencyReportListsTheCountedButtonsOfAllGroups) {
    MainWindow& window = Start({}, "0,0,0,0,0,0",
                               ButtonXml(101, {{"Command", "C:\\a.exe"}, {"TotolRunTimes", "3"}}) +
                                   ButtonXml(205, {{"Command", "C:\\b.exe"}, {"IgnoreRunTimes", "1"}}) +
                                   ButtonXml(206, {{"Command", "C:\\c.exe"}}));
    static int rows;
    rows = -1;
    SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR timer, DWORD) {
        const HWND report = FindWindowW(L"#32770", L"Frequency Report");
        if (!report || !IsWindowVisible(report)) return;
        KillTimer(nullptr, timer);
        rows = ListView_GetItemCount(FindWindowExW(report, nullptr, WC_LISTVIEWW, nullptr));
        PostMessageW(report, WM_COMMAND, IDOK, 0);
    });
    window.RunCommand(Command::Report);
    EXPECT_EQ(rows, 2);
}

TEST_F(MainWindowTest, BackupProposesADatedNameAndRestoreRefusesTheFilesInUse) {
    MainWindow& window = Start();
    dialogs_.answer = folder_ / "copy.xml";
    window.RunCommand(Command::BackupSettings);
    ASSERT_EQ(dialogs_.asked.size(), 1u);
    EXPECT_EQ(dialogs_.asked[0], "save " + config_->ProgramFolder() + " Tavrin Config(20261207).xml");
    EXPECT_EQ(config_->ProgramFolder(), folder_ / "");
    EXPECT_EQ(ReadBytes(folder_ / "copy.xml"), ReadBytes(SettingsPath()));
    EXPECT_EQ(dialogs_.messages, std::vector<std::string>{"Backup done."});

    dialogs_.answer = SettingsPath();
    window.RunCommand(Command::RestoreSettings);
    EXPECT_EQ(dialogs_.messages.back(), "Can't restore from current  xml config file, please choose again.");
    // Only a name is recorded, to be restored from the program's folder at the
    // next start: the settings file however spelled, a file elsewhere and a
    // file that is no settings document are refused as well.
    TempFolder elsewhere;
    WriteBytes(elsewhere / "copy.xml", ReadBytes(SettingsPath()));
    WriteBytes(folder_ / "other.xml", "<Other/>");
    const std::string configText = ReadBytes(folder_ / "tavrin.xml");
    for (const std::string& chosen : {folder_ / "TV_ALICE.XML", elsewhere / "copy.xml", folder_ / "other.xml"}) {
        dialogs_.answer = chosen;
        window.RunCommand(Command::RestoreSettings);
        EXPECT_EQ(dialogs_.messages.back().find("done"), std::string::npos) << dialogs_.messages.back();
    }
    EXPECT_EQ(ReadBytes(folder_ / "tavrin.xml"), configText);
    dialogs_.answer = folder_ / "copy.xml";
    window.RunCommand(Command::RestoreSettings);
    EXPECT_EQ(dialogs_.messages.back(), "Restore Config done, please exit and run Tavrin again.");
    EXPECT_NE(ReadBytes(folder_ / "tavrin.xml").find("RestoreXml=\"copy.xml\""), std::string::npos);
}

// Plays the user of the tab-name boxes that open while it lives: at each timer
// tick an open box gets the next text and OK; with no text left, Cancel.
class NameBoxUser {
public:
    explicit NameBoxUser(std::deque<std::wstring> texts) : timer_(SetTimer(nullptr, 0, 50, Tick)) {
        texts_ = std::move(texts);
        shown_.clear();
    }
    ~NameBoxUser() { KillTimer(nullptr, timer_); }
    // What the box showed at each tick.
    [[nodiscard]] static const std::vector<std::wstring>& Shown() { return shown_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        const HWND box = FindWindowW(L"#32770", L"Tabsheet name");
        if (!box || !IsWindowEnabled(box)) return;
        const HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
        std::wstring text(256, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
        shown_.push_back(text);
        if (texts_.empty()) {
            PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        SetWindowTextW(edit, texts_.front().c_str());
        texts_.pop_front();
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }

    static inline std::deque<std::wstring> texts_;
    static inline std::vector<std::wstring> shown_;
    UINT_PTR timer_;
};

// While a menu is open: whether it shows, a picture of the screen, and the menu closed.
bool g_menuShown = false;
void CALLBACK ShootTheMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, timer);
    g_menuShown = true;
    testing::SaveWindowPicture(GetDesktopWindow(), testing::ArtifactPath("main-window-tab-menu.png"));
    EndMenu();
}

bool Enabled(HMENU menu, Command command) {
    return !(GetMenuState(menu, static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED);
}

// A settings file that a cut-off save left missing comes back, with its
// buttons, from the save's temporary file, which then goes; the user is told
// which file it was. The day's first save keeps the file it replaces as a backup.
TEST_F(MainWindowTest, MissingSettingsFileComesBackFromACutOffSaveAndTheFirstSaveBacksItUp) {
    const std::string leftover = SaveTemporaryPath(SettingsPath(), 4242, 7);
    const std::string recovered = SettingsFile({}, "0,0,0,0,0,0", ButtonXml(101, {{"Description", "Editor"}}));
    WriteBytes(leftover, recovered);
    std::filesystem::last_write_time(leftover, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    MainWindow& window = Open();
    EXPECT_EQ(window.GridCell(1, 1).Hint(), "Editor");
    ASSERT_EQ(dialogs_.messages.size(), 1u);
    EXPECT_NE(dialogs_.messages[0].find("\"" + leftover + "\""), std::string::npos) << dialogs_.messages[0];
    EXPECT_FALSE(fs_.FileExists(leftover));

    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(ReadBytes(folder_ / "Backups\\TV_alice-20261207.xml"), recovered);
    MSG quit;
    while (PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE)) {
    }
}

TEST_F(MainWindowTest, TheTabMenuActsOnTheTabUnderThePointerWithTheTavrinTabShownOrHidden) {
    MainWindow& window = Start({.lastPanelIndex = "2"});
    unique_hmenu menu = window.PrepareTabMenu(1);
    ASSERT_EQ(GetMenuItemCount(menu.get()), static_cast<int>(kTabMenu.size()));
    for (size_t i = 0; i < kTabMenu.size(); ++i) {
        EXPECT_EQ(GetMenuItemID(menu.get(), static_cast<int>(i)),
                  kTabMenu[i] == Command::None ? 0u : static_cast<UINT>(kTabMenu[i]));
    }
    EXPECT_EQ(window.ActivePageIndex(), 1);
    EXPECT_EQ(window.Settings().LastPanelIndex, 2);  // no page change
    EXPECT_FALSE(Enabled(menu.get(), Command::MoveTabLeft));
    EXPECT_TRUE(Enabled(menu.get(), Command::MoveTabRight));
    EXPECT_TRUE(Enabled(menu.get(), Command::DeleteTab));
    EXPECT_TRUE(GetMenuState(menu.get(), static_cast<UINT>(Command::ShowTavrinTab), MF_BYCOMMAND) & MF_CHECKED);

    menu = window.PrepareTabMenu(0);  // the Tavrin Tab: renamed, never moved or deleted
    EXPECT_EQ(window.ActivePageIndex(), 0);
    EXPECT_FALSE(Enabled(menu.get(), Command::MoveTabRight) || Enabled(menu.get(), Command::DeleteTab));
    EXPECT_TRUE(Enabled(menu.get(), Command::RenameTab) && Enabled(menu.get(), Command::NewTab));
    menu = window.PrepareTabMenu(-1);  // beside the tabs: the active tab stays
    EXPECT_EQ(window.ActivePageIndex(), 0);

    window.RunCommand(Command::ShowTavrinTab);  // hidden: the first tab is group 1
    menu = window.PrepareTabMenu(0);
    EXPECT_EQ(window.ActivePageIndex(), 1);
    EXPECT_FALSE(Enabled(menu.get(), Command::MoveTabLeft));
    menu = window.PrepareTabMenu(1);
    EXPECT_EQ(window.ActivePageIndex(), 2);
    EXPECT_TRUE(Enabled(menu.get(), Command::MoveTabLeft));
    EXPECT_FALSE(Enabled(menu.get(), Command::MoveTabRight));
    EXPECT_FALSE(GetMenuState(menu.get(), static_cast<UINT>(Command::ShowTavrinTab), MF_BYCOMMAND) & MF_CHECKED);
    menu = window.PrepareTabMenu(-1);
    EXPECT_EQ(window.ActivePageIndex(), 2);

    // A real right-click beside the tabs, which the tab control leaves to the
    // window beneath, opens the menu too, for the active tab.
    window.RunCommand(Command::ShowTavrinTab);  // shown again, and active
    MoveTo(200, 200);
    SetForegroundWindow(window.Handle());
    POINT besideTheTabs{300, 8};
    ClientToScreen(window.TabControl(), &besideTheTabs);
    SetTimer(nullptr, 0, 100, ShootTheMenu);
    if (const auto skipped = testing::ClickWithXdotool(besideTheTabs, 1, 3)) GTEST_SKIP() << *skipped;
    for (const DWORD deadline = GetTickCount() + 5000; !g_menuShown && GetTickCount() < deadline;) {
        testing::PumpMessages(50);
    }
    EXPECT_TRUE(g_menuShown);
    EXPECT_EQ(window.ActivePageIndex(), 0);
}

TEST_F(MainWindowTest, DeletingTab2Of4RenumbersTheLaterTabsInTheFileAndOnTheCells) {
    MainWindow& window = Start({.groups = {"A", "B", "C", "D"}}, "201,305,101,0,0,0",
                               ButtonXml(101, {{"Description", "One"}}) +
                                   ButtonXml(201, {{"Description", "Gone"}, {"TotolRunTimes", "9"}}) +
                                   ButtonXml(305, {{"Description", "Three"}}) +
                                   ButtonXml(420, {{"Description", "Four"}, {"TotolRunTimes", "4"}}));
    (void)window.PrepareTabMenu(2);
    prompt_.answer = false;
    window.RunCommand(Command::DeleteTab);
    ASSERT_EQ(window.PageCount(), 5);
    EXPECT_EQ(prompt_.questions.at(0), "Are you sure to remove this tabsheet and all the icons within?\r\n\r\nB");

    prompt_.answer = true;
    window.RunCommand(Command::DeleteTab);
    ASSERT_EQ(window.PageCount(), 4);
    EXPECT_EQ(TabCtrl_GetItemCount(window.TabControl()), 4);
    EXPECT_EQ(window.ActivePageIndex(), 2);  // the next tab takes the place
    EXPECT_EQ(window.Settings().GroupNames, (std::vector<std::string>{"A", "C", "D"}));
    const std::string saved = ReadBytes(SettingsPath());
    for (const char* id : {"101", "205", "320"})
        EXPECT_NE(saved.find("ID=\"" + std::string(id) + "\""), std::string::npos);
    for (const char* id : {"201", "305", "420"})
        EXPECT_EQ(saved.find("ID=\"" + std::string(id) + "\""), std::string::npos);
    EXPECT_EQ(window.GridCell(2, 5).Tag(), 205);
    EXPECT_EQ(window.GridCell(2, 5).Hint(), "Three");
    EXPECT_EQ(window.GridCell(3, 20).Tag(), 320);
    EXPECT_EQ(window.GridCell(3, 20).Hint(), "Four");
    // The Tavrin Tab follows: the deleted button leaves it, the moved ones keep their places.
    EXPECT_EQ(window.Settings().RecentList, (std::vector<std::string>{"205", "101", "0", "0", "0", "0"}));
    EXPECT_EQ(window.TavrinTab().RecentImage(1).Hint(), "Three");
    EXPECT_EQ(window.TavrinTab().MostUsed().MostUsedIDs[0], 320);
    EXPECT_EQ(window.TavrinTab().MostUsedImage(1).Hint(), "Four");

    (void)window.PrepareTabMenu(3);  // the last tab: the one before becomes active
    window.RunCommand(Command::DeleteTab);
    EXPECT_EQ(window.PageCount(), 3);
    EXPECT_EQ(window.ActivePageIndex(), 2);
    window.RunCommand(Command::DeleteTab);
    window.RunCommand(Command::DeleteTab);  // one group page is left: nothing is asked or deleted
    EXPECT_EQ(window.PageCount(), 2);
    EXPECT_EQ(prompt_.questions.size(), 4u);
}

TEST_F(MainWindowTest, MovingTab1RightExchangesItsButtonsNamesAndTavrinTabPlaces) {
    MainWindow& window = Start({.lastPanelIndex = "1"}, "101,0,0,0,0,0",
                               ButtonXml(101, {{"Description", "First"}, {"TotolRunTimes", "5"}}) +
                                   ButtonXml(202, {{"Description", "Second"}}));
    window.RunCommand(Command::MoveTabLeft);  // onto the Tavrin Tab: nothing
    window.RunCommand(Command::MoveTabRight);
    EXPECT_EQ(window.ActivePageIndex(), 2);
    EXPECT_EQ(window.Settings().GroupNames, (std::vector<std::string>{"Games", "Tools"}));
    ButtonStore& store = window.Buttons();
    EXPECT_EQ(store.Load(201).value().Description, "First");
    EXPECT_EQ(store.Load(102).value().Description, "Second");
    EXPECT_FALSE(store.LoadSummary(101) || store.LoadSummary(202));
    EXPECT_EQ(window.GridCell(2, 1).Tag(), 201);
    EXPECT_EQ(window.GridCell(2, 1).Hint(), "First");
    EXPECT_EQ(window.GridCell(1, 2).Tag(), 102);
    EXPECT_EQ(window.Settings().RecentList.at(0), "201");
    EXPECT_EQ(window.TavrinTab().RecentImage(1).Tag(), 201);
    EXPECT_EQ(window.TavrinTab().MostUsed().MostUsedIDs[0], 201);

    window.RunCommand(Command::MoveTabRight);  // the last tab: nothing
    EXPECT_EQ(window.ActivePageIndex(), 2);
    window.RunCommand(Command::MoveTabLeft);
    EXPECT_EQ(window.Settings().GroupNames, (std::vector<std::string>{"Tools", "Games"}));
    EXPECT_EQ(window.GridCell(1, 1).Hint(), "First");
}

TEST_F(MainWindowTest, NewAndRenamedTabsAreKeptAndTheProgramReopensOnThePageChosenBefore) {
    MainWindow& window = Start({.lastPanelIndex = "1"});
    {
        const NameBoxUser user({L"   ", L" Work "});  // blanks only keep the box open
        window.RunCommand(Command::NewTab);
        EXPECT_EQ(NameBoxUser::Shown(), (std::vector<std::wstring>{L"", L"   "}));
    }
    ASSERT_EQ(window.PageCount(), 4);
    EXPECT_EQ(window.ActivePageIndex(), 3);
    EXPECT_EQ(window.GridCell(3, 1).Tag(), 301);
    EXPECT_EQ(window.Settings().GroupNames.at(2), " Work ");  // as typed
    {
        const NameBoxUser user({});
        window.RunCommand(Command::NewTab);  // cancelled
    }
    EXPECT_EQ(window.PageCount(), 4);
    (void)window.PrepareTabMenu(0);
    {
        const NameBoxUser user({L"Home"});
        window.RunCommand(Command::RenameTab);
        EXPECT_EQ(NameBoxUser::Shown(), (std::vector<std::wstring>{L"Tavrin Tab"}));
    }
    EXPECT_EQ(window.Settings().FavoriteGroup, "Home");
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    MSG quit;
    while (PeekMessageW(&quit, nullptr, 0, 0, PM_REMOVE)) {
    }

    MainWindow& again = Open();
    EXPECT_EQ(again.PageCount(), 4);
    EXPECT_EQ(again.ActivePageIndex(), 1);
    EXPECT_EQ(again.Settings().GroupNames, (std::vector<std::string>{"Tools", "Games", " Work "}));
    EXPECT_EQ(again.Settings().FavoriteGroup, "Home");
}

}  // namespace
}  // namespace tavrin
