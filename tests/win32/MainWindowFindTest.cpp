// Type to find on a main window made in this process: characters as the
// keyboard gives them to the window that has the focus.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "support/ButtonFiles.h"
#include "support/MainWindowFixture.h"
#include "support/WindowTesting.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

std::string Button(int id, const std::string& description, const std::string& parameters = "") {
    std::string child = TAVRIN_TEST_CHILD;
    std::replace(child.begin(), child.end(), '/', '\\');
    return testing::ButtonXml(
        std::to_string(id),
        testing::FullButtonItems({{"Command", child}, {"Parameters", parameters}, {"Description", description}}));
}

class MainWindowFindTest : public testing::MainWindowFixture {
protected:
    MainWindow& Start(const std::string& buttons) {
        testing::WriteBytes(SettingsPath(),
                            "<GLConfig><Application><Item Name=\"LastPanelIndex\" Value=\"1\"/></Application>"
                            "<Groups Count=\"2\"><Item ID=\"1\" Value=\"Tools\"/><Item ID=\"2\" Value=\"Games\"/>"
                            "</Groups><Buttons>" +
                                buttons + "</Buttons></GLConfig>");
        MainWindow& window = OpenWindow();
        SetForegroundWindow(window.Handle());
        testing::PumpMessages(100);
        return window;
    }
    // Each character goes where the keyboard would send it: the window with the focus.
    static void Type(const std::wstring& text) {
        for (const wchar_t character : text) SendMessageW(GetFocus(), WM_CHAR, character, 0);
    }
};

TEST_F(MainWindowFindTest, TypedLettersFindButtonsOfEveryTabAndEnterStartsTheFocusedMatch) {
    const std::string marker = folder_ / "started.txt";
    MainWindow& window = Start(Button(101, "Notepad", "&quot;" + marker + "&quot;") + Button(102, "Notes") +
                               Button(103, "Paint") + Button(205, "Блокнот"));
    ASSERT_EQ(GetFocus(), window.PageWindow(1));

    Type(L"NOT");
    EXPECT_EQ(window.Find().Result().ids, (std::vector<int>{101, 102}));
    EXPECT_EQ(window.StatusText(0), L"Find \"NOT\": 2 buttons match (Enter starts, Esc goes back)");
    EXPECT_FALSE(IsWindowVisible(window.PageWindow(1)));
    // A match the grid shows already shows the grid's picture: it is not made again.
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    ASSERT_NE(window.GridCell(1, 1).Picture(), nullptr);
    EXPECT_EQ(window.FoundCell(0).Picture(), window.GridCell(1, 1).Picture());
    Type(L"\b\b\b");  // erasing the last character brings the page back, with the focus
    EXPECT_FALSE(window.Find().Active());
    EXPECT_TRUE(IsWindowVisible(window.PageWindow(1)));
    EXPECT_EQ(GetFocus(), window.PageWindow(1));

    Type(L"блок");  // the second tab's page is not built: the stored records are searched
    EXPECT_EQ(window.Find().Result().ids, std::vector<int>{205});
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(window.Find().Active());

    Type(L"notepad");
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(window.Find().Active());
    EXPECT_TRUE(
        testing::WaitUntil([&] { return GetFileAttributesW(Widen(marker).c_str()) != INVALID_FILE_ATTRIBUTES; }));
    EXPECT_EQ(window.Buttons().Load(101).value().TotolRunTimes, 1);
    EXPECT_EQ(window.Settings().RecentList.at(0), "101");
}

}  // namespace
}  // namespace tavrin
