#include <gtest/gtest.h>

#include <filesystem>

#include "storage/AppSettings.h"
#include "storage/ButtonStore.h"
#include "support/ButtonFiles.h"
#include "support/FakeStorageServices.h"
#include "support/TempFolder.h"

namespace tavrin {
namespace {

using testing::ButtonXml;
using testing::FakeStorageServices;
using testing::ReadBytes;
using testing::SettingsXml;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kCyrillic = "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B";

ExecuteRequest Open(std::string file, std::string parameters, std::string directory, int showCommand) {
    return {ExecuteOwner::Application, "open",     std::move(file), std::move(parameters),
            std::move(directory),      showCommand};
}

class ButtonLaunchTest : public ::testing::Test {
protected:
    ButtonLaunchTest() {
        std::filesystem::create_directory(
            std::filesystem::path(std::u8string(folder_.Path().begin(), folder_.Path().end())) /
            std::u8string(kCyrillic.begin(), kCyrillic.end()));
        fakes_.clock.today = {2025, 3, 17};  // Monday of week 12
    }

    // Stores the button 101 with these values and starts it.
    void LaunchButton(const std::map<std::string, std::string>& values) {
        WriteBytes(SettingsFile(), SettingsXml(ButtonXml(101, values)));
        ButtonStore(fakes_.services).Launch(101);
    }
    std::int64_t StoredTotal() { return ButtonStore(fakes_.services).Load(101).value().TotolRunTimes; }
    std::string SettingsFile() const { return folder_ / "TV_user.xml"; }
    std::string Stored() const { return ReadBytes(SettingsFile()); }
    std::string Program(const std::string& name) const {
        const std::string path = folder_ / (kCyrillic + "/" + name);
        WriteBytes(path, "MZ");
        return path;
    }

    TempFolder folder_;
    FakeStorageServices fakes_{folder_ / "TV_user.xml"};
};

TEST_F(ButtonLaunchTest, ProgramStartsInItsOwnFolderWhichIsNotStored) {
    const std::string program = Program("app.exe");
    LaunchButton({{"Command", program}, {"Parameters", "-v " + kCyrillic}, {"WindowStyle", "3"}});
    const std::string folder = folder_ / kCyrillic;
    EXPECT_EQ(fakes_.shell.requests, std::vector<ExecuteRequest>{Open(program, "-v " + kCyrillic, folder, 3)});
    // Only the counters reach the file, in one save.
    EXPECT_EQ(Stored(), SettingsXml(ButtonXml(101, {{"Command", program},
                                                    {"Parameters", "-v " + kCyrillic},
                                                    {"WindowStyle", "3"},
                                                    {"TotolRunTimes", "1"},
                                                    {"Day0", "1"},
                                                    {"Day0Week", "12"}})));
    EXPECT_EQ(fakes_.fs.saves, 1);
}

TEST_F(ButtonLaunchTest, WorkingFolderIsFilledOnlyForALowerCaseExeWithoutOne) {
    const std::string upper = Program("APP.EXE");
    LaunchButton({{"Command", upper}});
    const std::string own = Program("own.exe");
    LaunchButton({{"Command", own}, {"WorkingDir", "D:\\data"}});
    fakes_.fs.phantomFiles = {"C:\\tool.exe", "C:\\Tools\\tool.exe"};
    LaunchButton({{"Command", "C:\\tool.exe"}});
    LaunchButton({{"Command", "C:\\Tools\\tool.exe"}});
    EXPECT_EQ(fakes_.shell.requests,
              (std::vector<ExecuteRequest>{Open(upper, "", "", 1), Open(own, "", "D:\\data", 1),
                                           Open("C:\\tool.exe", "", "C:\\", 1),  // the root keeps its separator
                                           Open("C:\\Tools\\tool.exe", "", "C:\\Tools", 1)}));
}

// The shortcut itself is opened, with its show state: the shell applies its
// target, arguments and working folder, and the button's own are not used. A
// shell that refuses the shortcut is asked for its target with what the
// shortcut holds.
TEST_F(ButtonLaunchTest, ShortcutIsOpenedItselfWithoutTheButtonsParameters) {
    const std::string link = Program("tool.lnk");
    ShellLinkInfo info;
    info.Path = Program("target.exe");  // a shortcut whose target is gone starts nothing
    info.Arguments = "-from-link";
    info.WorkingDirectory = "C:\\work";
    info.ShowState = 1;
    info.HasIDList = true;
    fakes_.shell.links[link] = info;
    const auto launch = [&] {
        fakes_.shell.requests.clear();
        LaunchButton(
            {{"Command", link}, {"Parameters", "-ignored"}, {"WorkingDir", "D:\\ignored"}, {"WindowStyle", "3"}});
    };
    const ExecuteRequest opened{ExecuteOwner::Application, "open", link, std::nullopt, std::nullopt, kShowMinNoActive};
    launch();
    EXPECT_EQ(StoredTotal(), 1);
    EXPECT_EQ(fakes_.shell.requests, std::vector<ExecuteRequest>{opened});
    fakes_.shell.executeAccepted = false;
    launch();
    const ExecuteRequest target{ExecuteOwner::Application, "open", info.Path, "-from-link", "C:\\work",
                                kShowMinNoActive};
    EXPECT_EQ(fakes_.shell.requests, (std::vector<ExecuteRequest>{opened, target}));
    EXPECT_EQ(StoredTotal(), 1);

    // The extension is compared with exact case: ".LNK" is opened as a file.
    const std::string upper = Program("TOOL.LNK");
    fakes_.shell.links[upper] = info;
    fakes_.shell.requests.clear();
    LaunchButton({{"Command", upper}, {"Parameters", "-p"}});
    EXPECT_EQ(fakes_.shell.requests, std::vector<ExecuteRequest>{Open(upper, "-p", "", 1)});
}

TEST_F(ButtonLaunchTest, FolderIsExploredFromTheDesktopAndCounted) {
    const std::string folder = folder_ / kCyrillic;
    LaunchButton({{"Command", folder}, {"Parameters", "-x"}, {"WorkingDir", "D:\\w"}, {"WindowStyle", "5"}});
    ExecuteRequest expected{ExecuteOwner::Desktop, "explore", folder, "", "", kShowCurrent};
    EXPECT_EQ(fakes_.shell.requests, std::vector<ExecuteRequest>{expected});
    EXPECT_EQ(StoredTotal(), 1);
}

// The -1 of a window state the properties box could not select, or any other
// value that is no show command, starts the window normally; 0 to 11 are passed on.
TEST_F(ButtonLaunchTest, AWindowStyleThatIsNoShowCommandStartsTheWindowNormally) {
    const std::string program = Program("app.exe");
    const std::string folder = folder_ / kCyrillic;
    for (const char* style : {"-1", "12", "0", "11"}) LaunchButton({{"Command", program}, {"WindowStyle", style}});
    LaunchButton({{"Command", folder}, {"WindowStyle", "-1"}});
    EXPECT_EQ(fakes_.shell.requests,
              (std::vector<ExecuteRequest>{Open(program, "", folder, kShowNormal),
                                           Open(program, "", folder, kShowNormal),
                                           Open(program, "", folder, kShowHide),
                                           Open(program, "", folder, 11),
                                           {ExecuteOwner::Desktop, "explore", folder, "", "", kShowNormal}}));
}

// A folder is explored itself, anything else in its folder; a drive's root keeps its separator.
TEST_F(ButtonLaunchTest, TheCommandsFolderIsExploredFromTheDesktopAndNothingCounted) {
    const std::string folder = folder_ / kCyrillic;
    ButtonStore store(fakes_.services);
    for (const std::string& command :
         {folder, Program("app.exe"), std::string("C:\\tool.exe"), std::string("D:\\gone\\old.exe")}) {
        store.ExploreCommandFolder(command);
    }
    const auto explore = [](std::string file) {
        return ExecuteRequest{ExecuteOwner::Desktop, "explore", std::move(file), "", "", kShowNormal};
    };
    EXPECT_EQ(fakes_.shell.requests,
              (std::vector<ExecuteRequest>{explore(folder), explore(folder), explore("C:\\"), explore("D:\\gone")}));
    EXPECT_EQ(fakes_.fs.saves, 0);
}

TEST_F(ButtonLaunchTest, MissingCommandStartsNothingAndCountsNothing) {
    const auto values = std::map<std::string, std::string>{{"Command", folder_ / "gone.exe"}, {"TotolRunTimes", "4"}};
    LaunchButton(values);
    EXPECT_TRUE(fakes_.shell.requests.empty());
    EXPECT_EQ(fakes_.fs.saves, 0);
    EXPECT_EQ(Stored(), SettingsXml(ButtonXml(101, values)));
}

// What the cells and the report mark as missing.
TEST_F(ButtonLaunchTest, ATargetIsMissingWhenNoFileFolderOrShortcutTargetIsLeft) {
    ButtonStore store(fakes_.services);
    const auto missing = [&store](const std::string& command, int style = kLaunchButton) {
        ButtonRecord record;
        record.Empty = false;
        record.BtnStyle = style;
        record.Command = command;
        return store.TargetMissing(record);
    };
    EXPECT_FALSE(missing(Program("here.exe")));
    EXPECT_FALSE(missing(folder_ / kCyrillic));
    EXPECT_TRUE(missing(folder_ / "gone.exe"));
    EXPECT_FALSE(missing(""));                       // an empty slot's command
    EXPECT_FALSE(missing(folder_ / "gone.exe", 1));  // no launch button
    const std::string shortcut = Program("link.LNK");
    EXPECT_FALSE(missing(shortcut));  // a shortcut the shell cannot read: its target may be anything
    fakes_.shell.links[shortcut].Path = folder_ / "moved.exe";
    EXPECT_TRUE(missing(shortcut));
    fakes_.shell.links[shortcut].Path = folder_ / kCyrillic;
    EXPECT_FALSE(missing(shortcut));
}

TEST_F(ButtonLaunchTest, AStartTheShellRefusesIsCountedAllTheSame) {
    fakes_.shell.executeAccepted = false;
    LaunchButton({{"Command", Program("broken.exe")}, {"TotolRunTimes", "2"}});
    EXPECT_EQ(fakes_.shell.requests.size(), 1u);
    EXPECT_EQ(StoredTotal(), 3);
    EXPECT_EQ(fakes_.fs.saves, 1);
}

TEST_F(ButtonLaunchTest, OnlyAStoredLaunchButtonIsStarted) {
    const std::string program = Program("app.exe");
    WriteBytes(SettingsFile(), SettingsXml(ButtonXml(101, {{"BtnStyle", "1"}, {"Command", program}})));
    ButtonStore store(fakes_.services);
    store.Launch(101);
    store.Launch(102);
    ButtonRecord unstored;
    unstored.Command = program;
    EXPECT_FALSE(store.Start(unstored));
    EXPECT_TRUE(fakes_.shell.requests.empty());
    EXPECT_EQ(fakes_.fs.saves, 0);
}

// A click as the window makes it: one transaction that reads the file once (and
// again just before replacing it, to see that nobody else changed it) and saves
// the counters and the recent list together, or nothing when it is not committed.
TEST_F(ButtonLaunchTest, AClickReadsTheFileOnceAndSavesCountersAndRecentListTogether) {
    WriteBytes(SettingsFile(), SettingsXml(ButtonXml(101, {{"Command", Program("app.exe")}})));
    AppSettings settings(fakes_.services);
    settings.LoadRecent();  // writes the missing recent list
    const std::string before = Stored();
    const auto click = [&](bool commit) {
        XmlDocumentFile::Transaction transaction;
        ButtonStore(fakes_.services).Launch(101);
        settings.PushRecent(101);
        EXPECT_EQ(Stored(), before);
        if (commit) transaction.Commit();
    };
    fakes_.fs.reads = fakes_.fs.saves = 0;
    click(false);
    EXPECT_EQ(fakes_.fs.saves, 0);
    EXPECT_EQ(Stored(), before);

    fakes_.fs.reads = 0;
    click(true);
    EXPECT_EQ(fakes_.fs.reads, 2);
    EXPECT_EQ(fakes_.fs.saves, 1);
    EXPECT_NE(Stored().find("<Item Name=\"TotolRunTimes\" Value=\"1\"/>"), std::string::npos);
    EXPECT_NE(Stored().find("<Item ID=\"1\" Value=\"101\"/>"), std::string::npos);
    EXPECT_EQ(fakes_.shell.requests.size(), 2u);
}

}  // namespace
}  // namespace tavrin
