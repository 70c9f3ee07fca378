// A button started end to end: the settings file on disk, the store, the real
// Win32 file system, shell and clock, and a real child program that reports
// how it was started. Everything lives in a folder whose name is not ASCII.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "shell/ShellLinker.h"
#include "shell/Win32Shell.h"
#include "storage/ButtonStore.h"
#include "support/ButtonFiles.h"
#include "support/FakeEnvironment.h"
#include "support/FakePrompt.h"
#include "support/TempFolder.h"
#include "support/WindowTesting.h"
#include "win32/UniqueResource.h"
#include "win32/Utf16.h"
#include "win32/Win32Clock.h"
#include "win32/Win32FileSystem.h"

namespace tavrin {
namespace {

using testing::FakeEnvironment;
using testing::FakePrompt;
using testing::ListFolder;
using testing::ReadBytes;
using testing::SettingsXml;
using testing::TempFolder;
using testing::WriteBytes;

// Cyrillic, CJK and an emoji (outside the Basic Multilingual Plane), with a blank.
const std::string kFolderName = "\xD0\x9F\xD1\x83\xD1\x81\xD0\xBA \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x9A\x80";
const std::string kUnicodeArgument = "\xE6\x96\x87\xD0\xB6";

// The program tavrin_test_child.exe, which writes a marker file and ends.
const std::string kChild = [] {
    std::string path = TAVRIN_TEST_CHILD;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}();

bool Exists(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES; }

// The marker's content once the child has written it; empty after the time-out.
std::string WaitForMarker(const std::string& marker) {
    return testing::WaitUntil([&] { return Exists(marker); }) ? ReadBytes(marker) : std::string{};
}

std::string CurrentFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return Narrow(folder);
}

// The visible top-level window captioned caption, or null.
HWND FindTopLevelWindow(const std::string& caption) {
    struct Search {
        std::wstring caption;
        HWND found = nullptr;
    } search{Widen(caption)};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(parameter);
            wchar_t text[512] = {};
            GetWindowTextW(window, text, 512);
            if (!IsWindowVisible(window) || search.caption != text) return TRUE;
            search.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// True when the stored counters are those of a single start on date.
bool CountedOnceOn(const ButtonRecord& stored, const LocalDate& date) {
    ButtonRecord expected;
    CountStart(expected, date);
    return stored.TotolRunTimes == 1 && stored.Day == expected.Day && stored.DayWeek == expected.DayWeek;
}

class LaunchTest : public ::testing::Test {
protected:
    LaunchTest() {
        EXPECT_TRUE(CreateDirectoryW(Widen(folder_).c_str(), nullptr));
        WriteBytes(settingsFile_, SettingsXml(""));
    }

    // A copy of the child program in the folder under name.
    std::string Program(const std::string& name) const {
        const std::string path = folder_ + "\\" + name;
        EXPECT_TRUE(CopyFileW(Widen(kChild).c_str(), Widen(path).c_str(), TRUE));
        return path;
    }

    // Stores the launch button 101 through the store.
    void StoreButton(const std::string& command, const std::string& parameters, int windowStyle = kShowMinNoActive) {
        ButtonRecord record;
        record.Empty = false;
        record.BtnStyle = kLaunchButton;
        record.Command = command;
        record.Parameters = parameters;
        record.Description = "child";
        record.WindowStyle = windowStyle;
        ButtonStore(services_).Write(101, record);
    }

    // Starts button 101 through a new store; the dates before and after the
    // start, so that a start at midnight is checked against either day.
    std::pair<LocalDate, LocalDate> Launch() {
        const LocalDate before = clock_.Today();
        ButtonStore(services_).Launch(101);
        return {before, clock_.Today()};
    }

    // Button 101 as the file holds it now.
    ButtonRecord Stored() { return ButtonStore(services_).Load(101).value_or(ButtonRecord{}); }

    ComInitScope com_{ComInitScope::Kind::Ole};
    TempFolder temp_;
    const std::string folder_ = temp_ / kFolderName;
    const std::string settingsFile_ = folder_ + "\\TV_user.xml";
    Win32FileSystem fs_;
    FakeEnvironment environment_{folder_ + "\\tavrin.exe", "user"};
    Win32Shell shell_;
    FakePrompt prompt_;
    Win32Clock clock_;
    StorageServices services_{fs_, environment_, shell_, prompt_, clock_, settingsFile_};
};

// A lower-case ".exe" without a working folder starts in its own folder; that
// folder is used for the start only and never written to the file.
TEST_F(LaunchTest, ProgramStartsInItsOwnFolderWithItsParametersAndIsCounted) {
    const std::string program = Program("tavrin_test_child.exe");
    const std::string marker = folder_ + "\\started.txt";
    StoreButton(program, "\"" + marker + "\" " + kUnicodeArgument);

    const auto [before, after] = Launch();

    EXPECT_EQ(WaitForMarker(marker), "cwd=" + folder_ + "\nshow=7\narg=" + kUnicodeArgument + "\n");
    const ButtonRecord stored = Stored();
    EXPECT_TRUE(CountedOnceOn(stored, before) || CountedOnceOn(stored, after));
    EXPECT_EQ(stored.WorkingDir, "");
    EXPECT_EQ(stored.Parameters, "\"" + marker + "\" " + kUnicodeArgument);
}

// Only ".exe" in lower case gets its own folder: "APP.EXE" is started with an
// empty working folder, and the shell starts it in the launcher's current folder.
TEST_F(LaunchTest, UpperCaseExeStartsInTheLaunchersCurrentFolder) {
    const std::string program = Program("CHILD.EXE");
    const std::string marker = folder_ + "\\upper.txt";
    StoreButton(program, "\"" + marker + "\"", kShowNormal);

    const auto [before, after] = Launch();

    const std::string content = WaitForMarker(marker);
    EXPECT_EQ(content, "cwd=" + CurrentFolder() + "\nshow=1\n");
    EXPECT_NE(content.substr(0, content.find('\n')), "cwd=" + folder_);
    const ButtonRecord stored = Stored();
    EXPECT_TRUE(CountedOnceOn(stored, before) || CountedOnceOn(stored, after));
}

// A shortcut starts its target with the shortcut's arguments, working folder
// and show state; the button's own parameters are not passed. (Wine's shell
// refuses a shortcut to a path that is not ASCII, as this one is: its target
// is then started directly.)
TEST_F(LaunchTest, ShortcutStartsItsTargetWithItsArgumentsFolderAndShowState) {
    const std::string workingFolder = folder_ + "\\" + kFolderName;
    ASSERT_TRUE(CreateDirectoryW(Widen(workingFolder).c_str(), nullptr));
    const std::string marker = folder_ + "\\link.txt";
    ShellLinkSpec spec;
    spec.Path = Program("tavrin_test_child.exe");
    spec.Arguments = "\"" + marker + "\" " + kUnicodeArgument;
    spec.WorkingDirectory = workingFolder;
    spec.ShowCmd = SW_SHOWMINNOACTIVE;
    const std::string link = folder_ + "\\" + kFolderName + ".lnk";
    ASSERT_TRUE(CreateShellLink(spec, link));
    const std::string ignoredMarker = folder_ + "\\ignored.txt";
    StoreButton(link, "\"" + ignoredMarker + "\"", kShowMaximized);

    const auto [before, after] = Launch();

    EXPECT_EQ(WaitForMarker(marker), "cwd=" + workingFolder + "\nshow=7\narg=" + kUnicodeArgument + "\n");
    EXPECT_FALSE(Exists(ignoredMarker));
    const ButtonRecord stored = Stored();
    EXPECT_TRUE(CountedOnceOn(stored, before) || CountedOnceOn(stored, after));
}

// The real ShellLink object still reads a shortcut whose target was deleted:
// the shortcut is marked as missing then, and again not once the target is back.
TEST_F(LaunchTest, AShortcutWhoseTargetIsGoneIsMissing) {
    ShellLinkSpec spec;
    spec.Path = Program("moved.exe");
    const std::string link = folder_ + "\\moved.lnk";
    ASSERT_TRUE(CreateShellLink(spec, link));
    StoreButton(link, "");
    ButtonStore store(services_);
    EXPECT_FALSE(store.TargetMissing(Stored()));
    ASSERT_TRUE(DeleteFileW(Widen(spec.Path).c_str()));
    EXPECT_TRUE(store.TargetMissing(Stored()));
    (void)Program("moved.exe");
    EXPECT_FALSE(store.TargetMissing(Stored()));
}

// A command that is gone is neither handed to the shell nor counted, and the
// file is not even saved again: no byte and no temporary file changes.
TEST_F(LaunchTest, MissingCommandStartsNothingAndLeavesTheFileAsItWas) {
    StoreButton(folder_ + "\\gone.exe", "\"" + folder_ + "\\gone.txt\"");
    const std::string bytes = ReadBytes(settingsFile_);
    const std::string entries = ListFolder(folder_);

    (void)Launch();

    EXPECT_EQ(ReadBytes(settingsFile_), bytes);
    EXPECT_EQ(ListFolder(folder_), entries);
    EXPECT_EQ(Stored().TotolRunTimes, 0);
}

// A folder is explored through the shell: Wine opens an Explorer window
// captioned with the folder's name, which the test closes again.
TEST_F(LaunchTest, FolderIsExploredAndCounted) {
    const std::string name = "\xD0\x9F\xD0\xB0\xD0\xBF\xD0\xBA\xD0\xB0 \xE6\x96\x87\xE4\xBB\xB6 \xF0\x9F\x93\x81";
    const std::string folder = folder_ + "\\" + name;
    ASSERT_TRUE(CreateDirectoryW(Widen(folder).c_str(), nullptr));
    StoreButton(folder, "", kShowNormal);

    const auto [before, after] = Launch();

    const ButtonRecord stored = Stored();
    EXPECT_TRUE(CountedOnceOn(stored, before) || CountedOnceOn(stored, after));
    HWND explorer = nullptr;
    EXPECT_TRUE(testing::WaitUntil([&] { return (explorer = FindTopLevelWindow(name)) != nullptr; }));
    if (explorer) {
        PostMessageW(explorer, WM_CLOSE, 0, 0);
        EXPECT_TRUE(testing::WaitUntil([&] { return !IsWindow(explorer); }));
    }
}

}  // namespace
}  // namespace tavrin
