// Where the main window is, and which page it shows: edge snapping after a
// move, and the place and page kept from one run to the next.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "e2e/ProgramUnderTest.h"
#include "e2e/WindowProbe.h"

namespace tavrin::testing {
namespace {

class WindowPlaceTest : public ::testing::Test {
protected:
    // Starts the program and waits for its main window.
    HWND Start() {
        program_.Start();
        const HWND window = program_.WaitForWindow(L"TfrmTavrin", L"Tavrin");
        EXPECT_NE(window, nullptr) << "no window appeared. " << program_.MessageBoxText();
        return window;
    }
    void Close(HWND window) {
        PostMessageW(window, WM_CLOSE, 0, 0);
        EXPECT_EQ(program_.WaitForExit(), 0u);
    }

    TempFolder folder_;
    ProgramUnderTest program_{folder_};
    const std::string settingsFile_ = folder_ / ("TV_" + CurrentUser() + ".xml");
};

// A left or top edge within 19 pixels of the screen's edge sticks to it; at
// 20 pixels and more it stays. A window partly outside is pulled back in.
TEST_F(WindowPlaceTest, EdgesNearTheScreenEdgesSnapToThem) {
    const HWND window = Start();
    ASSERT_NE(window, nullptr);
    const RECT frame = WindowRect(window);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const RECT area = WorkArea();

    MoveWindowTo(window, 5, 300);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(window).left == 0; })) << WindowRect(window).left;
    MoveWindowTo(window, 25, 300);
    ASSERT_TRUE(WaitUntilSettled(window));
    EXPECT_EQ(WindowRect(window).left, 25);
    EXPECT_EQ(WindowRect(window).top, 300);

    MoveWindowTo(window, 300, 12);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(window).top == 0; })) << WindowRect(window).top;

    // Right edge 10 pixels inside the screen: flush; exactly flush stays flush.
    MoveWindowTo(window, screenWidth - width - 10, 300);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(window).right == screenWidth; })) << WindowRect(window).right;
    MoveWindowTo(window, screenWidth - width, 300);
    ASSERT_TRUE(WaitUntilSettled(window));
    EXPECT_EQ(WindowRect(window).right, screenWidth);

    // Half outside at the bottom right: back in the corner of the work area.
    MoveWindowTo(window, screenWidth - width / 2, area.bottom - height / 2);
    EXPECT_TRUE(WaitUntil([&] {
        const RECT now = WindowRect(window);
        return now.right == screenWidth && now.bottom == area.bottom - area.top;
    })) << WindowRect(window).right
        << "," << WindowRect(window).bottom;
    Close(window);
}

// Closing keeps the place and the page shown last; the next start shows the
// window there, on that page.
TEST_F(WindowPlaceTest, PlaceAndPageAreKeptFromOneRunToTheNext) {
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(SelectedTab(window), 1) << "a new settings file opens the first group";
    const HWND firstGroupPage = VisiblePage(window);

    MoveWindowTo(window, 200, 150);
    SelectTabWithKeys(window, 2);
    ASSERT_EQ(SelectedTab(window), 2);
    const HWND secondGroupPage = VisiblePage(window);
    EXPECT_NE(secondGroupPage, nullptr);
    EXPECT_NE(secondGroupPage, firstGroupPage);
    Close(window);

    EXPECT_EQ(OptionValue(settingsFile_, "X"), "200");
    EXPECT_EQ(OptionValue(settingsFile_, "Y"), "150");
    EXPECT_EQ(OptionValue(settingsFile_, "LastPanelIndex"), "2");

    window = Start();
    ASSERT_NE(window, nullptr);
    const RECT frame = WindowRect(window);
    EXPECT_EQ(frame.left, 200);
    EXPECT_EQ(frame.top, 150);
    EXPECT_EQ(SelectedTab(window), 2);

    // The Tavrin Tab, chosen last, comes back too.
    SelectTabWithKeys(window, 0);
    ASSERT_EQ(SelectedTab(window), 0);
    Close(window);
    EXPECT_EQ(OptionValue(settingsFile_, "LastPanelIndex"), "0");
    window = Start();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(SelectedTab(window), 0);
    Close(window);
}

// A place stored off the screen is pulled back in while it is applied: to
// the top left corner, or beyond the right and bottom edges to the right edge
// of the screen and the bottom of the work area.
TEST_F(WindowPlaceTest, StoredPlaceOffTheScreenIsPulledBackIn) {
    const auto startAt = [this](const char* x, const char* y) {
        WriteBytes(settingsFile_,
                   std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Application>"
                               "\r\n\t\t<Item Name=\"X\" Value=\"") +
                       x + "\"/>\r\n\t\t<Item Name=\"Y\" Value=\"" + y + "\"/>\r\n\t</Application>\r\n</GLConfig>");
        return Start();
    };
    HWND window = startAt("-400", "-300");
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] {
        const RECT frame = WindowRect(window);
        return frame.left == 0 && frame.top == 0;
    })) << WindowRect(window).left
        << "," << WindowRect(window).top;
    Close(window);

    window = startAt("5000", "5000");
    ASSERT_NE(window, nullptr);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const RECT area = WorkArea();
    EXPECT_TRUE(WaitUntil([&] {
        const RECT frame = WindowRect(window);
        return frame.right == screenWidth && frame.bottom == area.bottom;
    })) << WindowRect(window).right
        << "," << WindowRect(window).bottom;
    Close(window);
}

}  // namespace
}  // namespace tavrin::testing
