#include "storage/AppConfig.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

#include "storage/AppSettings.h"
#include "support/FakeEnvironment.h"
#include "support/SpyFileSystem.h"
#include "support/KeptMessages.h"
#include "support/TempFolder.h"
#include "support/TestFileSystem.h"
#include "xml/XmlDocumentFile.h"
#include "xml/XmlError.h"

namespace tavrin {
namespace {

using testing::FakeEnvironment;
using testing::ReadBytes;
using testing::SpyFileSystem;
using testing::TempFolder;
using testing::TestFileSystem;
using testing::WriteBytes;

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
constexpr char kSettings[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig/>";
constexpr char kBackup[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Groups/>\r\n</GLConfig>";

std::string ConfigText(std::string_view items) {
    return std::string(kDeclaration) + "\r\n<Config>\r\n\t<UserConfig>" + std::string(items) +
           "\r\n\t</UserConfig>\r\n</Config>";
}

std::string Item(std::string_view name, std::string_view current, std::string_view restore) {
    return "\r\n\t\t<Item Name=\"" + std::string(name) + "\" CurXml=\"" + std::string(current) + "\" RestoreXml=\"" +
           std::string(restore) + "\"/>";
}

// The test file system, except that one file cannot be replaced, as a
// read-only file on Windows.
class ReadOnlyFile : public SpyFileSystem {
public:
    explicit ReadOnlyFile(std::string path) : path_(std::move(path)) {}
    void MoveOver(const std::string& tempPath, const std::string& targetPath) override {
        if (targetPath == path_) throw FileError(targetPath, "Access is denied.");
        SpyFileSystem::MoveOver(tempPath, targetPath);
    }

private:
    std::string path_;
};

// The test file system, except that another program rewrites one file just
// after it is first read.
class ChangedAfterRead : public SpyFileSystem {
public:
    ChangedAfterRead(std::string path, std::string bytes) : path_(std::move(path)), bytes_(std::move(bytes)) {}
    std::string ReadFile(const std::string& path) override {
        std::string read = SpyFileSystem::ReadFile(path);
        if (path == path_ && !bytes_.empty()) WriteBytes(path, std::exchange(bytes_, {}));
        return read;
    }

private:
    std::string path_;
    std::string bytes_;
};

class AppConfigTest : public ::testing::Test {
protected:
    AppConfig ConfigFor(const std::string& user, IFileSystem& fs = TestFileSystem()) {
        environments_.emplace_back(folder_ / "tavrin.exe", user);
        return AppConfig(fs, environments_.back(), messages_);
    }
    std::string ConfigFile() const { return folder_ / "tavrin.xml"; }

    TempFolder folder_;
    std::vector<FakeEnvironment> environments_;
    testing::KeptMessages messages_;
};

TEST_F(AppConfigTest, FirstStartWritesTheUsersEntryAndNothingElse) {
    AppConfig config = ConfigFor("alice");
    EXPECT_EQ(config.ConfigFileName(), ConfigFile());
    EXPECT_EQ(config.SelectSettingsFile(), folder_ / "TV_alice.xml");
    EXPECT_EQ(ReadBytes(ConfigFile()), ConfigText(Item("alice", "TV_alice.xml", "")));
    // The settings file is left to the settings store.
    EXPECT_EQ(testing::ListFolder(folder_.Path()), "tavrin.xml tavrin.xml.lock");
    // A second start changes nothing.
    EXPECT_EQ(ConfigFor("alice").SelectSettingsFile(), folder_ / "TV_alice.xml");
    EXPECT_EQ(ReadBytes(ConfigFile()), ConfigText(Item("alice", "TV_alice.xml", "")));
}

TEST_F(AppConfigTest, UsersGetEntriesOfTheirOwnInOrderOfFirstStart) {
    AppConfig alone = ConfigFor("alice");
    EXPECT_EQ(alone.SelectSettingsFile(), folder_ / "TV_alice.xml");
    EXPECT_TRUE(alone.OtherUsersSettingsFiles().empty());
    const std::string anna = "\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0";  // Cyrillic, kept byte for byte
    EXPECT_EQ(ConfigFor(anna).SelectSettingsFile(), folder_ / ("TV_" + anna + ".xml"));
    EXPECT_EQ(ConfigFor("Alice").SelectSettingsFile(), folder_ / "TV_Alice.xml");  // names compare exactly
    EXPECT_EQ(ReadBytes(ConfigFile()),
              ConfigText(Item("alice", "TV_alice.xml", "") + Item(anna, "TV_" + anna + ".xml", "") +
                         Item("Alice", "TV_Alice.xml", "")));
    AppConfig shared = ConfigFor("alice");
    (void)shared.SelectSettingsFile();
    EXPECT_EQ(shared.OtherUsersSettingsFiles(),
              (std::vector<std::string>{folder_ / ("TV_" + anna + ".xml"), folder_ / "TV_Alice.xml"}));
}

TEST_F(AppConfigTest, PendingRestoreIsCopiedOverTheSettingsFileAtTheNextStart) {
    WriteBytes(folder_ / "TV_alice.xml", kSettings);
    WriteBytes(folder_ / "backup.xml", kBackup);
    ConfigFor("alice").RequestRestore("backup.xml");
    EXPECT_EQ(ReadBytes(ConfigFile()), ConfigText(Item("alice", "TV_alice.xml", "backup.xml")));

    AppConfig config = ConfigFor("alice");
    EXPECT_EQ(config.SelectSettingsFile(), folder_ / "TV_alice.xml");
    EXPECT_EQ(ReadBytes(folder_ / "TV_alice.xml"), kBackup);
    EXPECT_EQ(config.RestoreXml(), "");
    EXPECT_EQ(ReadBytes(ConfigFile()), ConfigText(Item("alice", "TV_alice.xml", "")));
    EXPECT_TRUE(messages_.shown.empty());
}

// Only a settings document of the program's folder is copied. A restore of
// the configuration file (in capitals: on Windows the file itself), of a
// missing or broken file or of a path ends with the settings file as it was
// and a message that names it; one of the settings file itself just ends.
TEST_F(AppConfigTest, RestoreIsMadeOnlyFromASettingsDocumentOtherThanTheSettingsFile) {
    WriteBytes(folder_ / "TV_alice.xml", kSettings);
    ConfigFor("alice").EnsureConfigFile();
    WriteBytes(folder_ / "TAVRIN.XML", ReadBytes(ConfigFile()));
    WriteBytes(folder_ / "broken.xml", "<GLConfig>");
    for (const std::string name : {"TAVRIN.XML", "missing.xml", "broken.xml", "..\\backup.xml", "TV_alice.xml"}) {
        messages_.shown.clear();
        ConfigFor("alice").RequestRestore(name);
        EXPECT_EQ(ConfigFor("alice").SelectSettingsFile(), folder_ / "TV_alice.xml");
        EXPECT_EQ(ReadBytes(folder_ / "TV_alice.xml"), kSettings) << name;
        EXPECT_EQ(ReadBytes(ConfigFile()), ConfigText(Item("alice", "TV_alice.xml", "")));
        const std::string said = messages_.shown.empty() ? "" : messages_.shown[0];
        EXPECT_EQ(said.find(name) != std::string::npos, name != "TV_alice.xml") << said;
    }
}

// "CurXml" names a settings file of the program's folder and nothing else;
// whatever else it holds is taken as missing, and the user's own file takes
// its place, also for the other users of the folder. The files it named are
// left as they were.
TEST_F(AppConfigTest, CurXmlThatNamesNoSettingsFileOfTheFolderIsReplacedByTheUsersOwn) {
    std::filesystem::create_directory(std::filesystem::path(folder_ / "folder.xml"));
    const std::string notes = std::string(kDeclaration) + "\r\n<notes>\r\n\t<GLConfig/>\r\n</notes>";
    WriteBytes(folder_ / "notes.xml", notes);
    WriteBytes(folder_ / "tavrin.exe", "MZ\x90");
    for (const char* current : {"", "..\\outside.xml", "../outside.xml", "C:outside.xml", "NUL", "nul.xml", "CONIN$",
                                "Com\xC2\xB2.xml", "folder.xml", "tavrin.xml", "notes.xml", "tavrin.exe"}) {
        WriteBytes(ConfigFile(), ConfigText(Item("alice", current, "") + Item("bob", current, "")));
        AppConfig config = ConfigFor("alice");
        EXPECT_EQ(config.SelectSettingsFile(), folder_ / "TV_alice.xml") << current;
        EXPECT_EQ(config.OtherUsersSettingsFiles(), std::vector<std::string>{folder_ / "TV_bob.xml"}) << current;
        EXPECT_EQ(ReadBytes(ConfigFile()), ConfigText(Item("alice", "TV_alice.xml", "") + Item("bob", current, "")))
            << current;
    }
    EXPECT_EQ(ReadBytes(folder_ / "notes.xml"), notes);
    EXPECT_EQ(ReadBytes(folder_ / "tavrin.exe"), "MZ\x90");
    EXPECT_TRUE(messages_.shown.empty());
}

// A settings document is kept under any name, and so is a file that does not
// read as XML: it may be a settings file with a fault, which the settings
// store reports. The tree read to tell is the one the stores go on with.
TEST_F(AppConfigTest, CurXmlThatNamesASettingsDocumentOrAFileWithAFaultIsKept) {
    WriteBytes(folder_ / "mine.xml", kBackup);
    WriteBytes(folder_ / "typo.xml", "<GLConfig><Groups></GLConfig>");
    WriteBytes(ConfigFile(), ConfigText(Item("alice", "mine.xml", "")));
    const auto parsed = XmlDocumentFile::ParseCount();
    EXPECT_EQ(ConfigFor("alice").SelectSettingsFile(), folder_ / "mine.xml");
    EXPECT_TRUE(IsSettingsDocument(*XmlDocumentFile::For(TestFileSystem(), folder_ / "mine.xml").Load()));
    EXPECT_EQ(XmlDocumentFile::ParseCount(), parsed + 1);  // mine.xml, once

    for (const char* current : {"typo.xml", "new.xml"}) {
        WriteBytes(ConfigFile(), ConfigText(Item("alice", current, "")));
        const std::string config = ReadBytes(ConfigFile());
        EXPECT_EQ(ConfigFor("alice").SelectSettingsFile(), folder_ / current);
        EXPECT_EQ(ReadBytes(ConfigFile()), config);
    }
    EXPECT_EQ(ReadBytes(folder_ / "typo.xml"), "<GLConfig><Groups></GLConfig>");
}

// A configuration file that cannot be written keeps the request: the restore
// is made all the same and the program goes on, telling the user. The next
// start does not restore again while the settings file holds the restored bytes.
TEST_F(AppConfigTest, RestoreWhoseRequestCannotBeClearedIsMadeAndReported) {
    WriteBytes(folder_ / "TV_alice.xml", kSettings);
    WriteBytes(folder_ / "backup.xml", kBackup);
    ConfigFor("alice").RequestRestore("backup.xml");
    const std::string pending = ReadBytes(ConfigFile());
    ReadOnlyFile readOnlyConfig(ConfigFile());

    AppConfig first = ConfigFor("alice", readOnlyConfig);
    EXPECT_EQ(first.SelectSettingsFile(), folder_ / "TV_alice.xml");
    EXPECT_EQ(ReadBytes(folder_ / "TV_alice.xml"), kBackup);
    EXPECT_EQ(first.RestoreXml(), "backup.xml");
    EXPECT_EQ(ReadBytes(ConfigFile()), pending);
    ASSERT_EQ(messages_.shown.size(), 1u);
    EXPECT_NE(messages_.shown[0].find("\"" + ConfigFile() + "\""), std::string::npos) << messages_.shown[0];
    EXPECT_NE(messages_.shown[0].find("Access is denied."), std::string::npos) << messages_.shown[0];

    readOnlyConfig.saves = 0;
    EXPECT_EQ(ConfigFor("alice", readOnlyConfig).SelectSettingsFile(), folder_ / "TV_alice.xml");
    EXPECT_EQ(readOnlyConfig.saves, 0);
    EXPECT_EQ(messages_.shown.size(), 2u);

    // Once the file can be written, the request is cleared.
    messages_.shown.clear();
    EXPECT_EQ(ConfigFor("alice").SelectSettingsFile(), folder_ / "TV_alice.xml");
    EXPECT_EQ(ReadBytes(ConfigFile()), ConfigText(Item("alice", "TV_alice.xml", "")));
    EXPECT_EQ(ReadBytes(folder_ / "TV_alice.xml"), kBackup);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(AppConfigTest, RestoreRequestedByAnUnknownUserBecomesTheirSettingsFile) {
    ConfigFor("alice").EnsureConfigFile();
    ConfigFor("bob").RequestRestore("old.xml");
    EXPECT_EQ(ReadBytes(ConfigFile()),
              ConfigText(Item("alice", "TV_alice.xml", "") + Item("bob", "old.xml", "old.xml")));
}

TEST_F(AppConfigTest, UnknownContentSurvivesAndAMissingUserConfigIsAddedBack) {
    const std::string handEdited =
        std::string(kDeclaration) + "\r\n<Config>\r\n\t<!-- kept -->\r\n\t<Other Key='v'>text</Other>\r\n</Config>";
    WriteBytes(ConfigFile(), handEdited);
    EXPECT_EQ(ConfigFor("alice").SelectSettingsFile(), folder_ / "TV_alice.xml");
    EXPECT_EQ(ReadBytes(ConfigFile()), std::string(kDeclaration) +
                                           "\r\n<Config><!-- kept -->\r\n\t<Other Key=\"v\">text</Other>"
                                           "\r\n\t<UserConfig>" +
                                           Item("alice", "TV_alice.xml", "") + "\r\n\t</UserConfig>\r\n</Config>");
}

// A change another program made between the read and the save is not overwritten.
TEST_F(AppConfigTest, AChangeMadeMeanwhileIsNeverOverwritten) {
    const std::string theirs = ConfigText(Item("bob", "TV_bob.xml", ""));
    WriteBytes(ConfigFile(), ConfigText(""));
    ChangedAfterRead fs(ConfigFile(), theirs);
    AppConfig config = ConfigFor("alice", fs);
    EXPECT_THROW((void)config.SelectSettingsFile(), FileChangedError);
    EXPECT_EQ(ReadBytes(ConfigFile()), theirs);
    EXPECT_EQ(ConfigFor("alice").SelectSettingsFile(), folder_ / "TV_alice.xml");  // the next start adds alice
    EXPECT_NE(ReadBytes(ConfigFile()).find("bob"), std::string::npos);
}

TEST_F(AppConfigTest, UnreadableFileIsReportedAndNeverOverwritten) {
    const std::string broken = std::string(kDeclaration) + "\r\n<Config>\r\n\t<UserConfig>\r\n</Config>";
    WriteBytes(ConfigFile(), broken);
    try {
        (void)ConfigFor("alice").SelectSettingsFile();
        FAIL() << "a broken configuration file was accepted";
    } catch (const XmlError& error) {
        EXPECT_EQ(error.FileName(), ConfigFile());
        EXPECT_EQ(error.Line(), 4);
    }
    EXPECT_THROW(ConfigFor("alice").RequestRestore("x.xml"), XmlError);
    EXPECT_EQ(ReadBytes(ConfigFile()), broken);
    EXPECT_EQ(testing::ListFolder(folder_.Path()), "tavrin.xml tavrin.xml.lock");
}

}  // namespace
}  // namespace tavrin
