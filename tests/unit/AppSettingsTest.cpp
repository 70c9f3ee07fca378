#include "storage/AppSettings.h"

#include <gtest/gtest.h>

#include "support/FakeEnvironment.h"
#include "support/FakePrompt.h"
#include "support/FakeShell.h"
#include "support/FixedClock.h"
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
using Strings = std::vector<std::string>;

constexpr char kDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";

constexpr char kNewUserFile[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<GLConfig>\r\n"
    "\t<Application>\r\n"
    "\t\t<Item Name=\"RunStartup\" Value=\"0\"/>\r\n"
    "\t\t<Item Name=\"ShowAppPanel\" Value=\"1\"/>\r\n"
    "\t\t<Item Name=\"LastPanelIndex\" Value=\"1\"/>\r\n"
    "\t\t<Item Name=\"SplashScreen\" Value=\"0\"/>\r\n"
    "\t\t<Item Name=\"AlwaysOnTop\" Value=\"0\"/>\r\n"
    "\t\t<Item Name=\"IgnoreBlankButton\" Value=\"1\"/>\r\n"
    "\t\t<Item Name=\"AnalyseLinkFile\" Value=\"1\"/>\r\n"
    "\t\t<Item Name=\"GlobalHotKey\" Value=\"\"/>\r\n"
    "\t\t<Item Name=\"FavoriteGroup\" Value=\"Tavrin Tab\"/>\r\n"
    "\t\t<Item Name=\"IconSize\" Value=\"32\"/>\r\n"
    "\t\t<Item Name=\"ButtonSpacing\" Value=\"0\"/>\r\n"
    "\t\t<Item Name=\"TabStyle\" Value=\"0\"/>\r\n"
    "\t\t<Item Name=\"X\" Value=\"1280\"/>\r\n"
    "\t\t<Item Name=\"Y\" Value=\"994\"/>\r\n"
    "\t</Application>\r\n"
    "\t<Groups Count=\"2\">\r\n"
    "\t\t<Item ID=\"1\" Value=\"Tabsheet 1\"/>\r\n"
    "\t\t<Item ID=\"2\" Value=\"Tabsheet 2\"/>\r\n"
    "\t</Groups>\r\n"
    "\t<Last6Buttons>\r\n"
    "\t\t<Item ID=\"1\" Value=\"0\"/>\r\n"
    "\t\t<Item ID=\"2\" Value=\"0\"/>\r\n"
    "\t\t<Item ID=\"3\" Value=\"0\"/>\r\n"
    "\t\t<Item ID=\"4\" Value=\"0\"/>\r\n"
    "\t\t<Item ID=\"5\" Value=\"0\"/>\r\n"
    "\t\t<Item ID=\"6\" Value=\"0\"/>\r\n"
    "\t</Last6Buttons>\r\n"
    "\t<Buttons/>\r\n"
    "</GLConfig>";

std::string SettingsText(std::string_view children) {
    return std::string(kDeclaration) + "\r\n<GLConfig>" + std::string(children) + "\r\n</GLConfig>";
}

std::string GroupsText(std::string_view count, const Strings& items) {
    std::string text = "<Groups Count=\"" + std::string(count) + "\">";
    for (const std::string& item : items) text += item;
    return text + "</Groups>";
}

std::string RecentText(const Strings& values) {
    std::string text = "<Last6Buttons>";
    for (std::size_t i = 0; i < values.size(); ++i) {
        text += "<Item ID=\"" + std::to_string(i + 1) + "\" Value=\"" + values[i] + "\"/>";
    }
    return text + "</Last6Buttons>";
}

std::string ButtonText(std::string_view id) {
    return "<Button ID=\"" + std::string(id) + "\"><Item Name=\"Command\" Value=\"c" + std::string(id) +
           "\"/></Button>";
}

// "ID=Command" of every stored button, in file order.
std::string StoredButtons(const std::string& path) {
    std::string list;
    const IXmlDocument document = LoadXmlDocument(TestFileSystem(), path);
    for (const IXmlNode& button : document->RootElement()->FirstChildElement("Buttons")->ChildNodes()) {
        if (!list.empty()) list += ' ';
        list += button->GetAttrText("ID", "?") + "=" +
                button->FindChildElement("Item", "Name", std::string("Command"))->GetAttrText("Value", "");
    }
    return list;
}

class AppSettingsTest : public ::testing::Test {
protected:
    AppSettings Store() {
        return AppSettings(StorageServices{TestFileSystem(), environment_, shell_, prompt_, clock_, SettingsFile()});
    }
    std::string SettingsFile() const { return folder_ / "TV_alice.xml"; }

    TempFolder folder_;
    FakeEnvironment environment_{folder_ / "tavrin.exe", "alice"};
    testing::FakeShell shell_;
    testing::FakePrompt prompt_;
    testing::FixedClock clock_;
};

TEST_F(AppSettingsTest, NewUserGetsTheDefaultFileAndStartsWithoutParsingIt) {
    const auto parsed = XmlDocumentFile::ParseCount();
    AppSettings settings = Store();
    settings.LoadSettings();
    settings.LoadGroups();
    settings.LoadRecent();
    EXPECT_EQ(ReadBytes(SettingsFile()), kNewUserFile);
    EXPECT_EQ(XmlDocumentFile::ParseCount(), parsed);

    EXPECT_TRUE(settings.ShowAppPanel);
    EXPECT_FALSE(settings.RunStartup);
    EXPECT_TRUE(settings.IgnoreBlankButton && settings.AnalyseLinkFile);
    EXPECT_EQ(settings.LastPanelIndex, 1);
    EXPECT_EQ(settings.FavoriteGroup, "Tavrin Tab");
    EXPECT_EQ(settings.IconSize, 32);
    EXPECT_EQ(settings.X, 1280);
    EXPECT_EQ(settings.Y, 994);
    EXPECT_EQ(settings.GroupNames, (Strings{"Tabsheet 1", "Tabsheet 2"}));
    EXPECT_EQ(settings.GroupCount, 2);
    EXPECT_EQ(settings.RecentList, Strings(6, "0"));
}

TEST_F(AppSettingsTest, StartUpParsesAnUnchangedFileOnce) {
    WriteBytes(SettingsFile(), kNewUserFile);
    const auto parsed = XmlDocumentFile::ParseCount();
    AppSettings settings = Store();
    settings.LoadSettings();
    settings.LoadGroups();
    settings.LoadRecent();
    EXPECT_EQ(XmlDocumentFile::ParseCount(), parsed + 1);
    EXPECT_EQ(ReadBytes(SettingsFile()), kNewUserFile);
}

TEST_F(AppSettingsTest, OptionsSurviveARestartAndSaveByteIdentically) {
    AppSettings settings = Store();
    settings.LoadSettings();
    settings.GlobalHotKeyText = "Ctrl+Alt+L";
    settings.FavoriteGroup = "\xD0\x9C\xD0\xBE\xD0\xB8 \"&<>'";  // Cyrillic and the escaped characters
    settings.AlwaysOnTop = true;
    settings.ShowAppPanel = false;
    settings.TabStyle = 2;
    settings.LastPanelIndex = 0;
    settings.X = -1200;
    settings.Y = 35;
    settings.SaveSettings();
    const std::string saved = ReadBytes(SettingsFile());

    AppSettings restarted = Store();
    restarted.LoadSettings();
    EXPECT_EQ(restarted.GlobalHotKeyText, "Ctrl+Alt+L");
    EXPECT_EQ(restarted.FavoriteGroup, settings.FavoriteGroup);
    EXPECT_TRUE(restarted.AlwaysOnTop);
    EXPECT_FALSE(restarted.ShowAppPanel);
    EXPECT_EQ(restarted.TabStyle, 2);
    EXPECT_EQ(restarted.LastPanelIndex, 0);
    EXPECT_EQ(restarted.X, -1200);
    EXPECT_EQ(restarted.Y, 35);
    restarted.SaveSettings();
    EXPECT_EQ(ReadBytes(SettingsFile()), saved);
}

TEST_F(AppSettingsTest, HandEditedOptionsReadTheirDefaultsAndTheNextSaveAddsTheMissingItems) {
    WriteBytes(SettingsFile(), SettingsText("<!-- mine -->"
                                            "<Application>"
                                            "<Item Name=\"ShowAppPanel\" Value=\"no\"/>"
                                            "<Item Name=\"IconSize\" Value=\"99999999999\"/>"
                                            "<Item Name=\"TabStyle\" Value=\"7\"/>"
                                            "<Item Name=\"LastPanelIndex\"/>"
                                            "<Item Name=\"Theme\" Value=\"dark\"/>"
                                            "<Item Name=\"AlwaysOnTop\" Value=\"1\"/>"
                                            "</Application>"
                                            "<Plugins Enabled=\"1\"/>"));
    environment_.screenWidth = 1920;
    environment_.workAreaHeight = 1040;
    AppSettings settings = Store();
    settings.LoadSettings();
    EXPECT_TRUE(settings.ShowAppPanel);
    EXPECT_EQ(settings.IconSize, 32);
    EXPECT_EQ(settings.TabStyle, 0);
    EXPECT_EQ(settings.LastPanelIndex, 1);
    EXPECT_TRUE(settings.AlwaysOnTop);
    EXPECT_TRUE(settings.IgnoreBlankButton);
    EXPECT_EQ(settings.FavoriteGroup, "Tavrin Tab");
    EXPECT_EQ(settings.X, 1920);
    EXPECT_EQ(settings.Y, 1040);

    settings.SaveSettings();
    EXPECT_EQ(ReadBytes(SettingsFile()), SettingsText("<!-- mine -->\r\n\t<Application>"
                                                      "\r\n\t\t<Item Name=\"ShowAppPanel\" Value=\"1\"/>"
                                                      "\r\n\t\t<Item Name=\"IconSize\" Value=\"32\"/>"
                                                      "\r\n\t\t<Item Name=\"TabStyle\" Value=\"0\"/>"
                                                      "\r\n\t\t<Item Name=\"LastPanelIndex\" Value=\"1\"/>"
                                                      "\r\n\t\t<Item Name=\"Theme\" Value=\"dark\"/>"
                                                      "\r\n\t\t<Item Name=\"AlwaysOnTop\" Value=\"1\"/>"
                                                      "\r\n\t\t<Item Name=\"RunStartup\" Value=\"0\"/>"
                                                      "\r\n\t\t<Item Name=\"SplashScreen\" Value=\"0\"/>"
                                                      "\r\n\t\t<Item Name=\"IgnoreBlankButton\" Value=\"1\"/>"
                                                      "\r\n\t\t<Item Name=\"AnalyseLinkFile\" Value=\"1\"/>"
                                                      "\r\n\t\t<Item Name=\"GlobalHotKey\" Value=\"\"/>"
                                                      "\r\n\t\t<Item Name=\"FavoriteGroup\" Value=\"Tavrin Tab\"/>"
                                                      "\r\n\t\t<Item Name=\"ButtonSpacing\" Value=\"0\"/>"
                                                      "\r\n\t\t<Item Name=\"X\" Value=\"1920\"/>"
                                                      "\r\n\t\t<Item Name=\"Y\" Value=\"1040\"/>"
                                                      "\r\n\t</Application>"
                                                      "\r\n\t<Plugins Enabled=\"1\"/>"));
}

TEST_F(AppSettingsTest, MissingElementsReadDefaultsAndAreAddedByTheOperationThatWritesThem) {
    WriteBytes(SettingsFile(), SettingsText("<Other>kept</Other>"));
    AppSettings settings = Store();
    settings.LoadSettings();
    settings.LoadGroups();
    EXPECT_EQ(ReadBytes(SettingsFile()), SettingsText("<Other>kept</Other>"));
    EXPECT_EQ(settings.GroupNames, (Strings{"Tabsheet 1", "Tabsheet 2"}));
    EXPECT_EQ(settings.X, 1280);

    settings.LoadRecent();  // a missing recent list is written at once
    EXPECT_EQ(settings.RecentList, Strings(6, "0"));
    settings.SetGroupName(2, "Work");  // brings back the whole group list
    EXPECT_TRUE(settings.DeleteGroup(1));
    const IXmlElement root = LoadXmlDocument(TestFileSystem(), SettingsFile())->RootElement();
    EXPECT_EQ(root->FirstChildElement("Other")->ChildNodes().Count(), 1u);
    EXPECT_EQ(root->FirstChildElement("Last6Buttons")->ChildNodes().Count(), 6u);
    EXPECT_EQ(root->FirstChildElement("Groups")->GetAttrText("Count", ""), "1");
    EXPECT_NE(root->FirstChildElement("Buttons"), nullptr);
    AppSettings restarted = Store();
    restarted.LoadGroups();
    EXPECT_EQ(restarted.GroupNames, Strings{"Work"});
}

TEST_F(AppSettingsTest, GroupCountIsTakenFromTheItemsWhenItIsAbsurd) {
    const std::string items =
        "<Item ID=\"1\" Value=\"A\"/><Item ID=\"3\" Value=\"C\"/>"
        "<Item ID=\"-1\" Value=\"negative\"/><Item ID=\"5000\" Value=\"far\"/>";
    const auto groupsOf = [&](std::string_view groups) {
        WriteBytes(SettingsFile(), SettingsText(groups));
        AppSettings settings = Store();
        settings.LoadGroups();
        EXPECT_EQ(settings.GroupCount, static_cast<int>(settings.GroupNames.size()));
        return settings.GroupNames;
    };
    const Strings fromItems{"A", "Tabsheet 2", "C"};
    EXPECT_EQ(groupsOf(GroupsText("2000000000", {items})), fromItems);
    EXPECT_EQ(groupsOf(GroupsText("-4", {items})), fromItems);
    EXPECT_EQ(groupsOf(GroupsText("many", {items})), fromItems);
    EXPECT_EQ(groupsOf("<Groups>" + items + "</Groups>"), fromItems);
    EXPECT_EQ(groupsOf(GroupsText("99999999999", {})), (Strings{"Tabsheet 1", "Tabsheet 2"}));
    // A plausible count stands; groups without an item get their default names.
    EXPECT_EQ(groupsOf(GroupsText("4", {"<Item ID=\"2\"/>", "<Item ID=\"1\" Value=\"A\"/>"})),
              (Strings{"A", "Tabsheet 2", "Tabsheet 3", "Tabsheet 4"}));
    EXPECT_EQ(groupsOf(GroupsText("0", {items})), Strings{});
}

TEST_F(AppSettingsTest, DeletingAGroupRemovesItsButtonsAndMovesTheLaterOnesDown) {
    WriteBytes(SettingsFile(),
               SettingsText(GroupsText("3", {"<Item ID=\"1\" Value=\"One\"/>", "<Item ID=\"2\" Value=\"Two\"/>",
                                             "<Item ID=\"3\" Value=\"Three\"/>"}) +
                            "<Buttons>" + ButtonText("101") + ButtonText("301") + ButtonText("120") +
                            ButtonText("201") + ButtonText("220") + ButtonText("320") + ButtonText("401") +
                            ButtonText("199") + ButtonText("-101") + ButtonText("x") + "</Buttons>"));
    AppSettings settings = Store();
    settings.LoadGroups();
    EXPECT_FALSE(settings.DeleteGroup(0));
    EXPECT_FALSE(settings.DeleteGroup(4));
    ASSERT_TRUE(settings.DeleteGroup(1));
    // 401 belongs to no group, 199 to no slot: neither moves.
    EXPECT_EQ(StoredButtons(SettingsFile()), "201=c301 101=c201 120=c220 220=c320 401=c401 199=c199 -101=c-101 x=cx");
    EXPECT_EQ(settings.GroupNames, (Strings{"Two", "Three"}));
    EXPECT_EQ(settings.GroupCount, 2);
    AppSettings restarted = Store();
    restarted.LoadGroups();
    EXPECT_EQ(restarted.GroupNames, (Strings{"Two", "Three"}));
}

TEST_F(AppSettingsTest, DeletingAGroupNeverMergesButtonsOfTwoGroups) {
    // A hand-edited file holding 201 twice: both move with their group, and 301
    // does not land on a 201 that was left behind.
    WriteBytes(SettingsFile(), SettingsText(GroupsText("3", {}) + "<Buttons>" + ButtonText("201") + ButtonText("0201") +
                                            ButtonText("301") + "</Buttons>"));
    AppSettings settings = Store();
    settings.LoadGroups();
    ASSERT_TRUE(settings.DeleteGroup(1));
    EXPECT_EQ(StoredButtons(SettingsFile()), "101=c201 101=c0201 201=c301");
}

TEST_F(AppSettingsTest, GroupNamesInAnyScriptSurviveSaveAndLoadByteForByte) {
    const Strings names{"\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B",      // Cyrillic
                        "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E",  // CJK
                        "\xF0\x9F\x9A\x80 Rockets & <Co> \"quoted\" 'single'", ""};
    AppSettings settings = Store();
    settings.LoadSettings();
    settings.LoadGroups();
    settings.SetGroupName(1, names[0]);
    settings.SetGroupName(2, names[1]);
    settings.AddGroup(names[2]);
    settings.AddGroup(names[3]);
    EXPECT_EQ(settings.GroupNames, names);
    EXPECT_EQ(settings.GroupCount, 4);
    const std::string saved = ReadBytes(SettingsFile());
    EXPECT_NE(saved.find("<Groups Count=\"4\">\r\n\t\t<Item ID=\"1\" Value=\"" + names[0] + "\"/>"), std::string::npos);
    EXPECT_NE(saved.find("\xF0\x9F\x9A\x80 Rockets &amp; &lt;Co&gt; &quot;quoted&quot; 'single'"), std::string::npos);

    AppSettings restarted = Store();
    restarted.LoadGroups();
    EXPECT_EQ(restarted.GroupNames, names);
    restarted.SaveGroups();
    EXPECT_EQ(ReadBytes(SettingsFile()), saved);
    settings.SetGroupName(5, "beyond the list");
    settings.SetGroupName(0, "before the list");
    EXPECT_EQ(ReadBytes(SettingsFile()), saved);
}

TEST_F(AppSettingsTest, RecentListMovesAsTheLauncherUsesIt) {
    WriteBytes(SettingsFile(), SettingsText(RecentText({"101", "0", "0", "0", "0", "0"})));
    AppSettings settings = Store();
    settings.LoadRecent();
    settings.PushRecent(205);
    EXPECT_EQ(settings.RecentList, (Strings{"205", "101", "0", "0", "0", "0", "0"}));
    settings.PushRecent(101);
    EXPECT_EQ(settings.RecentList, (Strings{"101", "205", "0", "0", "0", "0", "0"}));
    const auto stored = [&] {
        AppSettings restarted = Store();
        restarted.LoadRecent();
        return restarted.RecentList;
    };
    EXPECT_EQ(stored(), (Strings{"101", "205", "0", "0", "0", "0"}));

    EXPECT_TRUE(settings.RemoveRecent(205));
    EXPECT_EQ(settings.RecentList, (Strings{"101", "0", "0", "0", "0", "0", "0"}));
    EXPECT_FALSE(settings.RemoveRecent(205));

    EXPECT_TRUE(settings.SwapRecent(101, 305));
    EXPECT_EQ(stored(), (Strings{"305", "0", "0", "0", "0", "0"}));
    settings.PushRecent(102);
    EXPECT_TRUE(settings.SwapRecent(305, 102));
    EXPECT_EQ(stored(), (Strings{"305", "102", "0", "0", "0", "0"}));
    EXPECT_FALSE(settings.SwapRecent(401, 402));
}

TEST_F(AppSettingsTest, HandEditedRecentListReadsAsDistinctButtonIds) {
    WriteBytes(SettingsFile(), SettingsText(RecentText({"205", "abc", "0101", "", "205", "-7"})));
    AppSettings settings = Store();
    settings.LoadRecent();
    EXPECT_EQ(settings.RecentList, (Strings{"205", "0", "101", "0", "0", "0"}));
    settings.PushRecent(101);  // moves the one 101 rather than adding a second
    EXPECT_EQ(settings.RecentList, (Strings{"101", "205", "0", "0", "0", "0"}));

    WriteBytes(SettingsFile(), SettingsText("<Last6Buttons><Item ID=\"4\" Value=\"404\"/></Last6Buttons>"));
    AppSettings sparse = Store();
    sparse.LoadRecent();
    EXPECT_EQ(sparse.RecentList, (Strings{"0", "0", "0", "404", "0", "0"}));
}

TEST_F(AppSettingsTest, RunAtStartupWritesOnlyTheRunValue) {
    FakeEnvironment program("D:\\Apps\\launcher.exe", "alice");
    AppSettings settings(StorageServices{TestFileSystem(), program, shell_, prompt_, clock_, SettingsFile()});
    settings.LoadSettings();
    const std::string before = ReadBytes(SettingsFile());
    settings.SetRunAtStartup(true);
    EXPECT_TRUE(settings.RunStartup);
    EXPECT_EQ(program.runValues, (std::map<std::string, std::string>{{"Tavrin", "\"D:\\Apps\\launcher.exe\""}}));
    settings.SetRunAtStartup(false);
    EXPECT_FALSE(settings.RunStartup);
    EXPECT_TRUE(program.runValues.empty());
    EXPECT_EQ(ReadBytes(SettingsFile()), before);

    program.runKeyAvailable = false;  // nothing to report: the choice is kept in memory
    settings.SetRunAtStartup(true);
    EXPECT_TRUE(settings.RunStartup);
    EXPECT_TRUE(program.runValues.empty());
}

// Only start-up writes the defaults, once it found no copy of a missing file:
// later, a file that went missing fails the operation, which writes nothing.
TEST_F(AppSettingsTest, FileMissingDuringTheRunFailsTheOperationWithoutDefaults) {
    AppSettings settings = Store();
    settings.LoadSettings();
    settings.LoadGroups();
    settings.X = 40;
    TestFileSystem().RemoveFile(SettingsFile());
    try {
        settings.SaveSettings();
        ADD_FAILURE() << "a missing settings file was saved";
    } catch (const FileError& error) {
        EXPECT_EQ(error.FileName(), SettingsFile());
    }
    EXPECT_THROW(settings.PushRecent(101), FileError);
    EXPECT_THROW(settings.AddGroup("Games"), FileError);
    EXPECT_FALSE(TestFileSystem().FileExists(SettingsFile()));

    settings.CreateDefaultSettings();
    EXPECT_EQ(settings.X, 1280);
    EXPECT_EQ(ReadBytes(SettingsFile()), kNewUserFile);
}

TEST_F(AppSettingsTest, UnreadableFileIsReportedAndNeverOverwritten) {
    const std::string broken = SettingsText("<Application>");
    WriteBytes(SettingsFile(), broken);
    AppSettings settings = Store();
    EXPECT_THROW(settings.LoadSettings(), XmlError);
    EXPECT_THROW(settings.SaveSettings(), XmlError);
    EXPECT_THROW(settings.PushRecent(101), XmlError);
    EXPECT_EQ(ReadBytes(SettingsFile()), broken);
}

}  // namespace
}  // namespace tavrin
