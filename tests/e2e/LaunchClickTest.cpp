// A click on a button of a group page starts its program through the shell
// and counts the start in the settings file; the Tavrin Tab then offers it.
// A double click with the real mouse starts it once.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "e2e/ProgramUnderTest.h"
#include "e2e/WindowProbe.h"
#include "support/ButtonFiles.h"
#include "support/WindowTesting.h"
#include "win32/Utf16.h"

namespace tavrin::testing {
namespace {

bool Exists(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// The marker's text, or empty while it cannot be read: under Wine a reader can
// meet the file in the moment the child's rename puts it in place.
std::string MarkerText(const std::string& marker) {
    try {
        return ReadBytes(marker);
    } catch (const std::exception&) {
        return {};
    }
}

// A program folder whose button 101 starts the test child, which writes the marker file.
class LaunchClickTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string built = TAVRIN_TEST_CHILD;
        std::replace(built.begin(), built.end(), '/', '\\');
        const std::string child = folder / "child.exe";
        ASSERT_TRUE(CopyFileW(Widen(built).c_str(), Widen(child).c_str(), TRUE));
        const std::string quotedMarker = "&quot;" + marker + "&quot;";  // as XML writes quotes in a value
        WriteBytes(
            settingsFile,
            SettingsXml(ButtonXml(
                101,
                {{"IconFile", child}, {"Command", child}, {"Parameters", quotedMarker}, {"Description", "child"}})));
        program.Start();
        window = program.WaitForWindow(L"TfrmTavrin", L"Tavrin");
        ASSERT_NE(window, nullptr) << "no window appeared. " << program.MessageBoxText();
        ASSERT_EQ(SelectedTab(window), 1);
        page = VisiblePage(window);
        ASSERT_NE(page, nullptr);
    }

    TempFolder folder;
    ProgramUnderTest program{folder};
    const std::string marker = folder / "started.txt";
    const std::string settingsFile = folder / ("TV_" + CurrentUser() + ".xml");
    HWND window = nullptr;
    HWND page = nullptr;
};

TEST_F(LaunchClickTest, ClickStartsTheProgramAndCountsTheStart) {
    // An empty slot starts nothing.
    ClickAt(page, MiddleOfSlot(2));
    ClickAt(page, MiddleOfSlot(1));
    ASSERT_TRUE(WaitUntil([&] { return !MarkerText(marker).empty(); })) << "the program did not start";
    EXPECT_EQ(MarkerText(marker), "cwd=" + folder.Path() + "\nshow=1\n");
    EXPECT_TRUE(WaitUntil([&] { return ButtonValue(settingsFile, 101, "TotolRunTimes") == "1"; }))
        << ButtonValue(settingsFile, 101, "TotolRunTimes");
    EXPECT_EQ(StoredRecentList(settingsFile), (std::vector<std::string>{"101", "0", "0", "0", "0", "0"}));

    // The first recent image of the Tavrin Tab starts it again; the recent list stays.
    DeleteFileW(Widen(marker).c_str());
    SelectTabWithKeys(window, 0);
    const HWND tavrinTab = VisiblePage(window);
    ASSERT_NE(tavrinTab, nullptr);
    ClickAt(tavrinTab, MiddleOfRecentImage(1));
    EXPECT_TRUE(WaitUntil([&] { return Exists(marker); })) << "the recent image started nothing";
    EXPECT_TRUE(WaitUntil([&] { return ButtonValue(settingsFile, 101, "TotolRunTimes") == "2"; }))
        << ButtonValue(settingsFile, 101, "TotolRunTimes");
    EXPECT_EQ(StoredRecentList(settingsFile), (std::vector<std::string>{"101", "0", "0", "0", "0", "0"}));

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

TEST_F(LaunchClickTest, ARealDoubleClickStartsTheProgramOnce) {
    POINT slot = MiddleOfSlot(1);
    ClientToScreen(page, &slot);
    if (const auto reason = ClickWithXdotool(slot, 2)) GTEST_SKIP() << *reason;
    ASSERT_TRUE(WaitUntil([&] { return Exists(marker); })) << "the double click started nothing";
    ASSERT_TRUE(WaitUntilSettled(window));  // a second start would have been counted by now
    EXPECT_EQ(ButtonValue(settingsFile, 101, "TotolRunTimes"), "1");

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace tavrin::testing
