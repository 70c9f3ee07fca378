#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "e2e/ProgramUnderTest.h"
#include "e2e/WindowProbe.h"
#include "win32/Utf16.h"

namespace tavrin::testing {
namespace {

// The window of a first start sits in the bottom-right corner of the work area.
// The file made with the defaults is the one that closing replaces, so it is
// the day's backup.
TEST(StartupTest, FirstStartInAnEmptyFolderWritesTheConfigurationAndSettingsFiles) {
    TempFolder folder;
    ProgramUnderTest program(folder);
    program.Start();
    const HWND window = program.WaitForWindow(L"TfrmTavrin", L"Tavrin");
    ASSERT_NE(window, nullptr) << "no window appeared";
    EXPECT_TRUE(IsWindowVisible(window));
    const RECT frame = WindowRect(window);
    const RECT area = WorkArea();
    EXPECT_EQ(frame.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(frame.bottom, area.bottom);

    const std::string user = CurrentUser();
    EXPECT_EQ(ReadBytes(folder / "tavrin.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Config>\r\n\t<UserConfig>\r\n\t\t<Item Name=\"" + user +
                  "\" CurXml=\"TV_" + user + ".xml\" RestoreXml=\"\"/>\r\n\t</UserConfig>\r\n</Config>");
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
    // The lock files stay: a lock is a range of its file that ends with its holder.
    EXPECT_EQ(ListFolder(folder.Path()),
              "Backups TV_" + user + ".xml TV_" + user + ".xml.lock tavrin.exe tavrin.xml tavrin.xml.lock");
    // Saving on close was the day's first save: it kept the new file as it was.
    SYSTEMTIME today{};
    GetLocalTime(&today);
    char date[16];
    std::snprintf(date, sizeof date, "%04u%02u%02u", today.wYear, today.wMonth, today.wDay);
    EXPECT_EQ(ListFolder(folder / "Backups"), "TV_" + user + "-" + date + ".xml");
}

TEST(StartupTest, UnreadableConfigurationIsShownAndLeftAsItWas) {
    TempFolder folder;
    ProgramUnderTest program(folder);
    const std::string broken = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Config>\r\n\t<UserConfig>";
    WriteBytes(folder / "tavrin.xml", broken);
    program.Start();
    const HWND box = program.WaitForWindow(L"#32770", L"Tavrin");
    ASSERT_NE(box, nullptr) << "no error message appeared";
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    EXPECT_NE(Narrow(text).find(folder / "tavrin.xml"), std::string::npos) << Narrow(text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(program.WaitForExit(), 1u);
    EXPECT_EQ(ReadBytes(folder / "tavrin.xml"), broken);
    EXPECT_EQ(ListFolder(folder.Path()), "tavrin.exe tavrin.xml tavrin.xml.lock");
}

// A hand-edited entry with an empty "CurXml" and a pending restore of the
// configuration file, spelled in capitals: the start says why it restored
// nothing, gives the user a settings file of their own and runs.
TEST(StartupTest, EmptyCurXmlAndARestoreOfTheConfigurationAreMended) {
    TempFolder folder;
    ProgramUnderTest program(folder);
    const std::string user = CurrentUser();
    const auto config = [&](const std::string& current, const std::string& restore) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Config>\r\n\t<UserConfig>\r\n\t\t<Item Name=\"" + user +
               "\" CurXml=\"" + current + "\" RestoreXml=\"" + restore + "\"/>\r\n\t</UserConfig>\r\n</Config>";
    };
    WriteBytes(folder / "tavrin.xml", config("", "TAVRIN.XML"));
    program.Start();
    const HWND box = program.WaitForWindow(L"#32770", L"Tavrin");
    ASSERT_NE(box, nullptr) << "no message about the restore";
    EXPECT_NE(program.MessageBoxText().find("TAVRIN.XML\" is not a Tavrin settings file"), std::string::npos)
        << program.MessageBoxText();
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    const HWND window = program.WaitForWindow(L"TfrmTavrin", L"Tavrin");
    ASSERT_NE(window, nullptr) << program.MessageBoxText();
    EXPECT_EQ(ReadBytes(folder / "tavrin.xml"), config("TV_" + user + ".xml", ""));
    EXPECT_NE(ReadBytes(folder / ("TV_" + user + ".xml")).find("<GLConfig>"), std::string::npos);
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace tavrin::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2) {
        fprintf(stderr, "usage: tavrin_e2e_tests <path of tavrin.exe>\n");
        return 2;
    }
    // The build passes a Unix path; under Wine the root of the Unix file system is drive Z:.
    std::string program = argv[1];
    if (!program.empty() && program[0] == '/') {
        program = "Z:" + program;
        for (char& c : program) c = c == '/' ? '\\' : c;
    }
    tavrin::testing::g_builtProgram = program;
    return RUN_ALL_TESTS();
}
