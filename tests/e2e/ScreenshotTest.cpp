// Pictures of the main window for the test artifacts: a group page with a few
// buttons, and the Tavrin Tab with its recent and most-used panels filled.
// The pictures are for people to look at; the test checks that the window
// shows what the settings file holds before taking each one.
#include <windows.h>

#include <gtest/gtest.h>

#include "e2e/ProgramUnderTest.h"
#include "support/Screenshot.h"
#include "e2e/WindowProbe.h"
#include "support/ButtonFiles.h"
#include "win32/Utf16.h"

namespace tavrin::testing {
namespace {

struct Program {
    int id;
    const char* path;
    const char* description;
    const char* totol;
};

// Wine's own programs and a folder, each showing its own icon.
constexpr Program kPrograms[] = {
    {101, "C:\\windows\\notepad.exe", "Notepad", "7"},
    {102, "C:\\windows\\regedit.exe", "Registry Editor", "3"},
    {103, "C:\\windows\\system32\\winemine.exe", "Minesweeper", "12"},
    {104, "C:\\windows\\system32\\taskmgr.exe", "Task Manager", "1"},
    {105, "C:\\windows\\system32\\winecfg.exe", "Wine configuration", "0"},
    {111, "C:\\windows", "Windows folder", "2"},
    {113, "C:\\no such folder\\missing.exe", "A program that is gone", "0"},
};

std::string ScreenshotSettings() {
    std::string buttons;
    for (const Program& program : kPrograms) {
        buttons += ButtonXml(program.id, {{"IconFile", program.path},
                                          {"Command", program.path},
                                          {"Description", program.description},
                                          {"TotolRunTimes", program.totol}});
    }
    std::string recent;
    const char* const last[] = {"103", "101", "111", "102", "0", "0"};
    for (int k = 0; k < 6; ++k) {
        recent += "\r\n\t\t<Item ID=\"" + std::to_string(k + 1) + "\" Value=\"" + last[k] + "\"/>";
    }
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Application>"
           "\r\n\t\t<Item Name=\"LastPanelIndex\" Value=\"1\"/>\r\n\t\t<Item Name=\"X\" Value=\"100\"/>"
           "\r\n\t\t<Item Name=\"Y\" Value=\"100\"/>\r\n\t</Application>"
           "\r\n\t<Groups Count=\"3\">\r\n\t\t<Item ID=\"1\" Value=\"Programs\"/>"
           "\r\n\t\t<Item ID=\"2\" Value=\"Documents\"/>\r\n\t\t<Item ID=\"3\" Value=\"Games\"/>\r\n\t</Groups>"
           "\r\n\t<Last6Buttons>" +
           recent + "\r\n\t</Last6Buttons>\r\n\t<Buttons>" + buttons + "\r\n\t</Buttons>\r\n</GLConfig>";
}

// The window paints itself on top of everything before the picture.
void BringToFrontAndSettle(HWND window) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_TRUE(WaitUntilSettled(window));
}

TEST(ScreenshotTest, GroupPageAndTavrinTab) {
    TempFolder folder;
    ProgramUnderTest program(folder);
    WriteBytes(folder / ("TV_" + CurrentUser() + ".xml"), ScreenshotSettings());
    program.Start();
    const HWND window = program.WaitForWindow(L"TfrmTavrin", L"Tavrin");
    ASSERT_NE(window, nullptr) << "no window appeared. " << program.MessageBoxText();

    ASSERT_EQ(SelectedTab(window), 1);
    ASSERT_NE(VisiblePage(window), nullptr);
    BringToFrontAndSettle(window);
    const std::string groupPicture = ArtifactPath("main-window-group-page.png");
    SaveWindowPicture(window, groupPicture);
    EXPECT_GT(ReadBytes(groupPicture).size(), 1000u);

    SelectTabWithKeys(window, 0);
    ASSERT_EQ(SelectedTab(window), 0);
    BringToFrontAndSettle(window);
    const std::string tavrinTabPicture = ArtifactPath("main-window-tavrin-tab.png");
    SaveWindowPicture(window, tavrinTabPicture);
    EXPECT_GT(ReadBytes(tavrinTabPicture).size(), 1000u);

    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace tavrin::testing
