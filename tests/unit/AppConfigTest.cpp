#include "storage/AppConfig.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/FakeEnvironment.h"
#include "support/KeptMessages.h"
#include "support/TempFolder.h"
#include "support/TestFileSystem.h"
#include "xml/XmlError.h"

namespace tavrin {
namespace {

using testing::FakeEnvironment;
using testing::ReadBytes;
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

class AppConfigTest : public ::testing::Test {
protected:
    AppConfig ConfigFor(const std::string& user) {
        environments_.emplace_back(folder_ / "tavrin.exe", user);
        return AppConfig(TestFileSystem(), environments_.back(), messages_);
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
    EXPECT_EQ(testing::ListFolder(folder_.Path()), "tavrin.xml");
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

// "CurXml" names a file of the program's folder and nothing else; whatever
// else it holds is taken as missing, and the user's own file takes its place,
// also for the other users of the folder.
TEST_F(AppConfigTest, CurXmlThatNamesNoFileOfTheFolderIsReplacedByTheUsersOwn) {
    std::filesystem::create_directory(std::filesystem::path(folder_ / "folder.xml"));
    for (const char* current :
         {"", "..\\outside.xml", "../outside.xml", "C:outside.xml", "NUL", "folder.xml", "tavrin.xml"}) {
        WriteBytes(ConfigFile(), ConfigText(Item("alice", current, "") + Item("bob", current, "")));
        AppConfig config = ConfigFor("alice");
        EXPECT_EQ(config.SelectSettingsFile(), folder_ / "TV_alice.xml") << current;
        EXPECT_EQ(config.OtherUsersSettingsFiles(), std::vector<std::string>{folder_ / "TV_bob.xml"}) << current;
        EXPECT_EQ(ReadBytes(ConfigFile()), ConfigText(Item("alice", "TV_alice.xml", "") + Item("bob", current, "")))
            << current;
    }
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
    EXPECT_EQ(testing::ListFolder(folder_.Path()), "tavrin.xml");
}

}  // namespace
}  // namespace tavrin
