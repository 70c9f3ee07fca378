#include "storage/ButtonStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "support/ButtonFiles.h"
#include "support/FakeStorageServices.h"
#include "support/TempFolder.h"
#include "xml/XmlError.h"

namespace tavrin {
namespace {

using testing::ButtonXml;
using testing::FakeStorageServices;
using testing::ReadBytes;
using testing::SettingsXml;
using testing::TempFolder;
using testing::WriteBytes;

// Names kept byte for byte: Cyrillic, CJK and an emoji (four UTF-8 bytes).
const std::string kCyrillic = "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB3\xD1\x80\xD0\xB0\xD0\xBC\xD0\xBC\xD1\x8B";
const std::string kCjk = "\xE6\x96\x87\xE6\xA1\xA3";
const std::string kEmoji = "\xF0\x9F\x9A\x80";

void MakeFolder(const std::string& path) {
    std::filesystem::create_directory(std::filesystem::path(std::u8string(path.begin(), path.end())));
}

class ButtonStoreTest : public ::testing::Test {
protected:
    std::string SettingsFile() const { return folder_ / "TV_user.xml"; }
    void WriteSettings(const std::string& buttonsXml) { WriteBytes(SettingsFile(), SettingsXml(buttonsXml)); }
    std::string Stored() const { return ReadBytes(SettingsFile()); }
    ButtonStore Store() { return ButtonStore(fakes_.services); }

    TempFolder folder_;
    FakeStorageServices fakes_{folder_ / "TV_user.xml"};
    ShellFileInfoCache fileInfo_{fakes_.shell, fakes_.fs};
};

TEST_F(ButtonStoreTest, LoadReadsTheWholeRecord) {
    const std::string command = "C:\\" + kCyrillic + "\\" + kCjk + kEmoji + ".exe";
    WriteSettings(ButtonXml(101, {{"IconFile", "C:\\icons.dll"},
                                  {"IconNumber", "3"},
                                  {"Command", command},
                                  {"Parameters", "-x &quot;a &amp; b&quot;"},
                                  {"WorkingDir", "D:\\work"},
                                  {"Description", kCjk},
                                  {"HotKey", "Ctrl+Alt+L"},
                                  {"WindowStyle", "3"},
                                  {"Priority", "2"},
                                  {"IgnoreRunTimes", "1"},
                                  {"TotolRunTimes", "9"},
                                  {"Day2", "5"},
                                  {"Day2Week", "12"},
                                  {"Day6Week", "53"}}) +
                  ButtonXml(103, {{"BtnStyle", "1"}, {"Command", "action"}}));
    const std::optional<ButtonRecord> loaded = Store().Load(101);
    ASSERT_TRUE(loaded);
    const ButtonRecord& record = *loaded;
    EXPECT_EQ(record.ID, 101);
    EXPECT_TRUE(record.IsLaunchButton());
    EXPECT_EQ(record.IconFile, "C:\\icons.dll");
    EXPECT_EQ(record.IconNumber, 3);
    EXPECT_EQ(record.Command, command);
    EXPECT_EQ(record.Parameters, "-x \"a & b\"");
    EXPECT_EQ(record.WorkingDir, "D:\\work");
    EXPECT_EQ(record.Description, kCjk);
    EXPECT_EQ(record.HotKey, "Ctrl+Alt+L");
    EXPECT_EQ(record.WindowStyle, 3);
    EXPECT_EQ(record.Priority, 2);
    EXPECT_TRUE(record.IgnoreRunTimes);
    EXPECT_EQ(record.TotolRunTimes, 9);
    EXPECT_EQ(record.Day, (std::array<int, 7>{0, 0, 5, 0, 0, 0, 0}));
    EXPECT_EQ(record.DayWeek, (std::array<int, 7>{0, 0, 12, 0, 0, 0, 53}));

    EXPECT_FALSE(Store().Load(102));

    // An action button is no launch button, but it is loaded with its own
    // fields, so that moving it carries them.
    const std::optional<ButtonRecord> action = Store().Load(103);
    ASSERT_TRUE(action);
    EXPECT_FALSE(action->IsLaunchButton());
    EXPECT_EQ(action->BtnStyle, 1);
    EXPECT_EQ(action->Command, "action");
    EXPECT_EQ(action->TotolRunTimes, 0);
}

TEST_F(ButtonStoreTest, WriteWritesTheWholeRecordAtTheEnd) {
    const auto first = ButtonXml(
        101,
        {{"Command", "C:\\a.exe"}, {"IgnoreRunTimes", "1"}, {"TotolRunTimes", "4"}, {"Day1", "4"}, {"Day1Week", "12"}});
    const auto second = ButtonXml(205, {{"Command", "C:\\b.txt"}, {"HotKey", "Ctrl+B"}});
    WriteSettings(first + second);
    ButtonStore store = Store();
    store.Write(310, store.Load(101).value());
    // A copy under another ID, IgnoreRunTimes and counters included; the source stays.
    const auto copy = ButtonXml(
        310,
        {{"Command", "C:\\a.exe"}, {"IgnoreRunTimes", "1"}, {"TotolRunTimes", "4"}, {"Day1", "4"}, {"Day1Week", "12"}});
    EXPECT_EQ(Stored(), SettingsXml(first + second + copy));

    // Written under an ID that has a button: replaced, and moved to the end.
    ButtonRecord described = store.Load(205).value();
    described.Description = "B";
    store.Write(101, described);
    EXPECT_EQ(Stored(),
              SettingsXml(second + copy +
                          ButtonXml(101, {{"Command", "C:\\b.txt"}, {"HotKey", "Ctrl+B"}, {"Description", "B"}})));

    // An empty record deletes instead.
    store.Write(205, ButtonRecord{});
    EXPECT_FALSE(Store().Load(205));
    EXPECT_TRUE(Store().Load(310));
}

TEST_F(ButtonStoreTest, WritePropertiesMakesNewButtonsCountedAndLeavesCountersAlone) {
    WriteSettings("");
    ButtonStore store = Store();
    ButtonRecord record;
    record.BtnStyle = 0;
    record.Command = "C:\\tool.exe";
    record.Description = "Tool";
    record.WindowStyle = 2;
    record.Priority = 1;
    record.IgnoreRunTimes = true;  // a new button is included in the report all the same
    record.TotolRunTimes = 7;
    record.Day[3] = 7;
    store.WriteProperties(206, record);
    EXPECT_EQ(
        Stored(),
        SettingsXml(ButtonXml(
            206, {{"Command", "C:\\tool.exe"}, {"Description", "Tool"}, {"WindowStyle", "2"}, {"Priority", "1"}})));

    // On the stored button, the record's IgnoreRunTimes is written; the counters are not.
    record.Command = "C:\\other.exe";
    store.WriteProperties(206, record);
    EXPECT_EQ(Stored(), SettingsXml(ButtonXml(206, {{"Command", "C:\\other.exe"},
                                                    {"Description", "Tool"},
                                                    {"WindowStyle", "2"},
                                                    {"Priority", "1"},
                                                    {"IgnoreRunTimes", "1"}})));
}

TEST_F(ButtonStoreTest, CountStartWritesOnlyTheCountersOfAStoredButton) {
    WriteSettings(ButtonXml(101, {{"Command", "C:\\a.exe"}}) + ButtonXml(102, {{"Command", "C:\\b.exe"}}));
    fakes_.clock.today = {2025, 3, 18};  // Tuesday of week 12
    ButtonStore store = Store();
    EXPECT_EQ(store.CountStart(101).value().TotolRunTimes, 1);
    EXPECT_EQ(
        Stored(),
        SettingsXml(
            ButtonXml(101, {{"Command", "C:\\a.exe"}, {"TotolRunTimes", "1"}, {"Day1", "1"}, {"Day1Week", "12"}}) +
            ButtonXml(102, {{"Command", "C:\\b.exe"}})));

    // No stored button under the ID: nothing is written.
    const std::string before = Stored();
    const int saves = fakes_.fs.saves;
    EXPECT_FALSE(store.CountStart(150));
    EXPECT_FALSE(store.Delete(150));
    EXPECT_EQ(fakes_.fs.saves, saves);
    EXPECT_EQ(Stored(), before);
    EXPECT_TRUE(store.Delete(101));
    EXPECT_EQ(Stored(), SettingsXml(ButtonXml(102, {{"Command", "C:\\b.exe"}})));
}

// A counter is read as the program writes it, decimal digits alone within the
// counter's range, wherever it is read; any other text reads as 0 and is
// counted on from there. A start writes every counter back in that form.
TEST_F(ButtonStoreTest, CountersReadAsPlainDecimalNumbersInRangeAndOtherwiseAsZero) {
    const std::string others = ButtonXml(102, {{"Command", "C:\\b.exe"}, {"TotolRunTimes", "9223372036854775807"}}) +
                               ButtonXml(103, {{"Command", "C:\\c.exe"}, {"TotolRunTimes", "9223372036854775808"}}) +
                               ButtonXml(104, {{"Command", "C:\\d.exe"}, {"TotolRunTimes", "-4"}});
    WriteSettings(ButtonXml(101, {{"Command", "C:\\a.exe"},
                                  {"TotolRunTimes", "99999999999"},
                                  {"Day0", "-4"},
                                  {"Day1", " 7"},
                                  {"Day2", "+4"},
                                  {"Day3", "1e3"},
                                  {"Day4", "2147483648"},
                                  {"Day5", "2147483647"},
                                  {"Day6", "007"},
                                  {"Day0Week", "12"},
                                  {"Day1Week", "54"},
                                  {"Day2Week", "-12"},
                                  {"Day5Week", "12"},
                                  {"Day6Week", "53"}}) +
                  others);
    fakes_.clock.today = {2025, 3, 17};  // Monday of week 12
    ButtonStore store = Store();
    const ButtonRecord loaded = store.Load(101).value();
    EXPECT_EQ(loaded.TotolRunTimes, 99'999'999'999);
    EXPECT_EQ(loaded.Day, (std::array<int, 7>{0, 0, 0, 0, 0, 2147483647, 7}));
    EXPECT_EQ(loaded.DayWeek, (std::array<int, 7>{12, 0, 0, 0, 0, 12, 53}));
    std::vector<std::int64_t> totals;
    for (const ButtonTotal& stored : store.StoredTotals(1)) totals.push_back(stored.total);
    EXPECT_EQ(totals, (std::vector<std::int64_t>{99'999'999'999, kMostRunTimes, 0, 0}));
    // The report's sum stops at the largest total.
    std::vector<ReportRow> rows;
    EXPECT_EQ(store.FillReport(rows, 1, {"Work"}), kMostRunTimes);
    EXPECT_EQ(rows.at(0).week, 2'147'483'647);  // the counters of week 12
    EXPECT_EQ(rows.at(0).total, 99'999'999'999);

    ASSERT_TRUE(store.CountStart(101));
    EXPECT_EQ(Stored(), SettingsXml(ButtonXml(101, {{"Command", "C:\\a.exe"},
                                                    {"TotolRunTimes", "100000000000"},
                                                    {"Day0", "1"},
                                                    {"Day5", "2147483647"},
                                                    {"Day6", "7"},
                                                    {"Day0Week", "12"},
                                                    {"Day5Week", "12"},
                                                    {"Day6Week", "53"}}) +
                                    others));
}

TEST_F(ButtonStoreTest, LoadSummaryReadsOnlyWhatTheGridDrawsAndNames) {
    WriteSettings(ButtonXml(101, {{"Command", "C:\\a.exe"}, {"IconFile", "C:\\a.exe"}, {"Description", "A"}}) +
                  ButtonXml(205, {{"BtnStyle", "1"},
                                  {"Command", "C:\\b.exe"},
                                  {"Parameters", "-x"},
                                  {"IconFile", "C:\\b.ico"},
                                  {"IconNumber", "2"},
                                  {"Description", "B"},
                                  {"HotKey", "Ctrl+B"},
                                  {"TotolRunTimes", "6"}}));
    ButtonStore store = Store();
    const std::optional<ButtonRecord> summary = store.LoadSummary(205);  // any kind of button
    ASSERT_TRUE(summary);
    const ButtonRecord& record = *summary;
    EXPECT_EQ(record.ID, 205);
    EXPECT_EQ(record.BtnStyle, 1);
    EXPECT_EQ(record.Command, "C:\\b.exe");
    EXPECT_EQ(record.Parameters, "");  // not read
    EXPECT_EQ(record.IconFile, "C:\\b.ico");
    EXPECT_EQ(record.IconNumber, 2);
    EXPECT_EQ(record.Description, "B");
    EXPECT_EQ(record.HotKey, "Ctrl+B");
    EXPECT_EQ(record.TotolRunTimes, 6);

    EXPECT_FALSE(store.LoadSummary(306));
}

// A page's summaries come from one pass: the first of an ID stored twice, only the group's grid slots.
TEST_F(ButtonStoreTest, GroupSummariesAreThoseOfTheGroupsSlotsAsEachReadFindsThem) {
    WriteSettings(ButtonXml(220, {{"Description", "Last"}}) + ButtonXml(101, {{"Description", "Other group"}}) +
                  ButtonXml(203, {{"Description", "First"}, {"Parameters", "-x"}}) +
                  ButtonXml(203, {{"Description", "Second"}}) + ButtonXml(200, {{"Description", "Slot 0"}}) +
                  ButtonXml(221, {{"Description", "Slot 21"}}));
    ButtonStore store = Store();
    const std::map<int, ButtonRecord> summaries = store.LoadGroupSummaries(2);
    ASSERT_EQ(summaries.size(), 2u);
    EXPECT_EQ(summaries.at(203).Description, store.LoadSummary(203)->Description);
    EXPECT_EQ(summaries.at(203).Description, "First");
    EXPECT_EQ(summaries.at(203).Parameters, "");  // a summary, as LoadSummary reads it
    EXPECT_EQ(summaries.at(220).ID, 220);
    EXPECT_TRUE(store.LoadGroupSummaries(3).empty());
}

// The buttons whose hot keys are registered: launch buttons of the groups
// shown with a HotKey text, the first of an ID stored twice, in ID order.
TEST_F(ButtonStoreTest, StoredHotKeysAreThoseOfTheLaunchButtonsOfTheGroupsShown) {
    WriteSettings(ButtonXml(205, {{"Command", "C:\\b.exe"}, {"HotKey", "Ctrl+B"}}) +
                  ButtonXml(103, {{"Command", "C:\\a.exe"}, {"Description", "A"}, {"HotKey", "Alt+A"}}) +
                  ButtonXml(103, {{"Command", "C:\\dup.exe"}, {"HotKey", "Alt+D"}}) +
                  ButtonXml(104, {{"Command", "C:\\none.exe"}}) +
                  ButtonXml(106, {{"BtnStyle", "1"}, {"HotKey", "Alt+F"}}) +
                  ButtonXml(121, {{"Command", "C:\\off.exe"}, {"HotKey", "Alt+O"}}) +
                  ButtonXml(301, {{"Command", "C:\\c.exe"}, {"HotKey", "Alt+C"}}));
    const std::vector<ButtonRecord> keyed = Store().StoredHotKeys(2);
    ASSERT_EQ(keyed.size(), 2u);
    EXPECT_EQ(keyed[0].ID, 103);
    EXPECT_EQ(keyed[0].HotKey, "Alt+A");
    EXPECT_EQ(NameOfButton(keyed[0]), "\"A\"");
    EXPECT_EQ(keyed[1].ID, 205);
    EXPECT_EQ(NameOfButton(keyed[1]), "\"b.exe\"");  // no description: the command's file name
}

TEST_F(ButtonStoreTest, HandEditedButtonsReadDefaultsAndGetTheirMissingItemsBack) {
    const std::string handEdited =
        "\r\n\t\t<Button ID=\"101\">\r\n\t\t\t<Item Name=\"Command\" Value=\"C:\\a.exe\"/>"
        "\r\n\t\t\t<Item Name=\"IconNumber\" Value=\"abc\"/>\r\n\t\t\t<Item Name=\"Priority\" Value=\"99999999999\"/>"
        "\r\n\t\t\t<Item Name=\"WindowStyle\"/>\r\n\t\t\t<Item Name=\"Custom\" Value=\"kept\"/>"
        "\r\n\t\t\t<Item Name=\"TotolRunTimes\" Value=\"2\"/>\r\n\t\t</Button>";
    WriteSettings(handEdited);
    fakes_.clock.today = {2025, 3, 17};  // Monday of week 12
    ButtonStore store = Store();
    const ButtonRecord loaded = store.Load(101).value();
    EXPECT_TRUE(loaded.IsLaunchButton());  // a missing BtnStyle reads 0
    EXPECT_EQ(loaded.Command, "C:\\a.exe");
    EXPECT_EQ(loaded.IconNumber, 0);
    EXPECT_EQ(loaded.Priority, 0);
    EXPECT_EQ(loaded.WindowStyle, 0);
    EXPECT_EQ(loaded.TotolRunTimes, 2);

    ASSERT_TRUE(store.CountStart(101));
    store.WriteProperties(101, loaded);
    // Items found are set in place, missing ones appended, unknown ones kept.
    std::string expected =
        "\r\n\t\t<Button ID=\"101\">\r\n\t\t\t<Item Name=\"Command\" Value=\"C:\\a.exe\"/>"
        "\r\n\t\t\t<Item Name=\"IconNumber\" Value=\"0\"/>\r\n\t\t\t<Item Name=\"Priority\" "
        "Value=\"0\"/>\r\n\t\t\t<Item Name=\"WindowStyle\" Value=\"0\"/>"
        "\r\n\t\t\t<Item Name=\"Custom\" Value=\"kept\"/>"
        "\r\n\t\t\t<Item Name=\"TotolRunTimes\" Value=\"3\"/>"
        "\r\n\t\t\t<Item Name=\"Day0\" Value=\"1\"/>";
    for (const char* day : {"Day1", "Day2", "Day3", "Day4", "Day5", "Day6"}) {
        expected += "\r\n\t\t\t<Item Name=\"" + std::string(day) + "\" Value=\"0\"/>";
    }
    expected += "\r\n\t\t\t<Item Name=\"Day0Week\" Value=\"12\"/>";
    for (const char* day : {"Day1Week", "Day2Week", "Day3Week", "Day4Week", "Day5Week", "Day6Week", "BtnStyle"}) {
        expected += "\r\n\t\t\t<Item Name=\"" + std::string(day) + "\" Value=\"0\"/>";
    }
    for (const char* text : {"IconFile", "Parameters", "WorkingDir", "Description", "HotKey"}) {
        expected += "\r\n\t\t\t<Item Name=\"" + std::string(text) + "\" Value=\"\"/>";
    }
    expected += "\r\n\t\t\t<Item Name=\"IgnoreRunTimes\" Value=\"0\"/>\r\n\t\t</Button>";
    EXPECT_EQ(Stored(), SettingsXml(expected));
}

TEST_F(ButtonStoreTest, DuplicateButtonsReadTheFirstAndGoAllAtOnce) {
    const auto stale = ButtonXml(101, {{"Command", "C:\\stale.exe"}});
    WriteSettings(ButtonXml(101, {{"Command", "C:\\first.exe"}}) + ButtonXml(102) + stale);
    ButtonStore store = Store();
    EXPECT_EQ(store.Load(101).value().Command, "C:\\first.exe");
    EXPECT_TRUE(store.Delete(101));
    EXPECT_FALSE(store.Load(101));  // the stale duplicate did not come back
    EXPECT_EQ(Stored(), SettingsXml(ButtonXml(102)));

    WriteSettings(ButtonXml(101, {{"Command", "C:\\first.exe"}}) + ButtonXml(102) + stale);
    store.Write(101, store.Load(102).value());
    EXPECT_EQ(Stored(), SettingsXml(ButtonXml(102) + ButtonXml(101)));
}

TEST_F(ButtonStoreTest, MissingButtonsElementReadsNothingAndIsAddedByWrites) {
    const std::string noButtons =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Groups Count=\"2\">"
        "\r\n\t\t<Item ID=\"1\" Value=\"Tabsheet 1\"/>\r\n\t\t<Item ID=\"2\" "
        "Value=\"Tabsheet 2\"/>\r\n\t</Groups>\r\n</GLConfig>";
    WriteBytes(SettingsFile(), noButtons);
    ButtonStore store = Store();
    EXPECT_FALSE(store.Load(101));
    EXPECT_FALSE(store.LoadSummary(101));
    EXPECT_FALSE(store.Delete(101));
    EXPECT_FALSE(store.CountStart(101));
    std::vector<ReportRow> rows;
    EXPECT_EQ(store.FillReport(rows, 0, {"Tabsheet 1", "Tabsheet 2"}), 0);
    EXPECT_EQ(fakes_.fs.saves, 0);
    EXPECT_EQ(Stored(), noButtons);

    ButtonRecord record;
    record.BtnStyle = 0;
    record.Empty = false;
    store.Write(101, record);
    EXPECT_EQ(Stored(), SettingsXml(ButtonXml(101)));
}

TEST_F(ButtonStoreTest, DroppedFilesAndFoldersBecomeButtons) {
    const std::string folder = folder_ / kCyrillic;
    const std::string file = folder_ / (kCjk + " " + kEmoji + ".txt");
    WriteBytes(file, "text");
    MakeFolder(folder);
    WriteSettings("");
    ButtonStore store = Store();

    const auto added = store.AddButtonFromPath(101, file, true);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->description, kCjk + " " + kEmoji + ".txt");
    EXPECT_EQ(added->iconNumber, 0);
    EXPECT_EQ(added->iconFile, file);
    const auto fileButton =
        ButtonXml(101, {{"IconFile", file}, {"Command", file}, {"Description", added->description}});
    EXPECT_EQ(Stored(), SettingsXml(fileButton));

    ASSERT_TRUE(store.AddButtonFromPath(205, folder, true));
    EXPECT_EQ(Stored(), SettingsXml(fileButton + ButtonXml(205, {{"IconFile", folder},
                                                                 {"Command", folder},
                                                                 {"Description", kCyrillic},
                                                                 {"WindowStyle", "5"}})));

    // A name that is neither: nothing is made and nothing written.
    const std::string before = Stored();
    EXPECT_FALSE(store.AddButtonFromPath(206, folder_ / "gone.txt", true));
    EXPECT_EQ(Stored(), before);
    EXPECT_TRUE(fakes_.prompt.questions.empty());
}

TEST_F(ButtonStoreTest, DroppedShortcutsAreFollowedToTheirExistingTarget) {
    const std::string target = folder_ / "Long Program Name.exe";
    const std::string link = folder_ / "tool.lnk";
    const std::string deadLink = folder_ / "dead.LNK";
    for (const auto& name : {target, link, deadLink}) WriteBytes(name, "x");
    ShellLinkInfo info;
    info.Path = target;
    info.WorkingDirectory = folder_.Path();
    info.Arguments = "-a " + kCyrillic;
    info.IconLocation = "";
    fakes_.shell.links[link] = info;
    info.Path = folder_ / "deleted.exe";
    fakes_.shell.links[deadLink] = info;
    fakes_.shell.canonicalPaths[target] = "C:\\Program Files\\Long Program Name.exe";
    fakes_.shell.canonicalPaths[folder_.Path()] = "C:\\Program Files";
    WriteSettings("");
    ButtonStore store = Store();

    const auto analysed = store.AddButtonFromPath(101, link, true);
    ASSERT_TRUE(analysed);
    EXPECT_EQ(analysed->description, "Long Program Name.exe");
    EXPECT_EQ(analysed->iconFile, "C:\\Program Files\\Long Program Name.exe");
    const ButtonRecord followed = store.Load(101).value();
    EXPECT_EQ(followed.Command, "C:\\Program Files\\Long Program Name.exe");
    EXPECT_EQ(followed.WorkingDir, "C:\\Program Files");
    EXPECT_EQ(followed.Parameters, "-a " + kCyrillic);
    EXPECT_EQ(followed.WindowStyle, 1);

    // The shortcut's own description and icon win when it has them.
    info.Path = target;
    info.WorkingDirectory = "";
    info.Description = "My tool";
    info.IconLocation = "C:\\icons.dll";
    info.IconIndex = 4;
    fakes_.shell.links[link] = info;
    const auto described = store.AddButtonFromPath(102, link, true);
    ASSERT_TRUE(described);
    EXPECT_EQ(described->description, "My tool");
    EXPECT_EQ(described->iconFile, "C:\\icons.dll");
    EXPECT_EQ(described->iconNumber, 4);
    EXPECT_EQ(store.Load(102).value().WorkingDir, "");

    // A deleted target makes no button; with the option off, or for a
    // shortcut that cannot be read, the button opens the shortcut itself.
    const std::string before = Stored();
    EXPECT_FALSE(store.AddButtonFromPath(103, deadLink, true));
    EXPECT_EQ(Stored(), before);
    ASSERT_TRUE(store.AddButtonFromPath(103, deadLink, false));
    const ButtonRecord unfollowed = store.Load(103).value();
    EXPECT_EQ(unfollowed.Command, deadLink);
    EXPECT_EQ(unfollowed.Description, "dead.LNK");
    fakes_.shell.links.clear();
    ASSERT_TRUE(store.AddButtonFromPath(104, link, true));
    EXPECT_EQ(store.Load(104).value().Command, link);
}

TEST_F(ButtonStoreTest, ATakenSlotIsReplacedOnlyOnYes) {
    const std::string dropped = folder_ / (kEmoji + ".txt");
    WriteBytes(dropped, "x");
    const auto old = ButtonXml(205, {{"Command", "C:\\" + kCyrillic + ".exe"}, {"TotolRunTimes", "8"}});
    WriteSettings(old + ButtonXml(101));
    const std::string before = Stored();
    fakes_.prompt.answer = false;
    EXPECT_FALSE(Store().AddButtonFromPath(205, dropped, true));
    ASSERT_EQ(fakes_.prompt.questions.size(), 1u);
    EXPECT_EQ(fakes_.prompt.questions[0],
              "Use the:\r\n\r\nC:\\" + kCyrillic + ".exe\r\n\r\nReplace the exists icon:\r\n\r\n" + dropped);
    EXPECT_EQ(Stored(), before);

    fakes_.prompt.answer = true;
    ASSERT_TRUE(Store().AddButtonFromPath(205, dropped, true));
    EXPECT_EQ(
        Stored(),
        SettingsXml(ButtonXml(101) +
                    ButtonXml(205, {{"IconFile", dropped}, {"Command", dropped}, {"Description", kEmoji + ".txt"}})));
}

TEST_F(ButtonStoreTest, FillReportListsCountedLaunchButtonsOfTheChosenGroups) {
    WriteSettings(ButtonXml(205, {{"Command", "C:\\b\\" + kCjk + ".doc"}, {"TotolRunTimes", "7"}}) +
                  ButtonXml(101, {{"Command", "C:\\a.exe"},
                                  {"TotolRunTimes", "5"},
                                  {"Day0", "2"},
                                  {"Day0Week", "12"},
                                  {"Day3", "1"},
                                  {"Day3Week", "11"}}) +
                  ButtonXml(102, {{"Command", "C:\\ignored.exe"}, {"IgnoreRunTimes", "1"}, {"TotolRunTimes", "3"}}) +
                  ButtonXml(103, {{"BtnStyle", "1"}, {"Command", "C:\\action.exe"}, {"TotolRunTimes", "3"}}) +
                  ButtonXml(120, {{"Command", "C:\\never.exe"}}) +
                  ButtonXml(301, {{"Command", "C:\\third.exe"}, {"TotolRunTimes", "1"}}) +
                  // Of an ID stored twice the first is listed; IDs of no slot are not.
                  ButtonXml(101, {{"Command", "C:\\second.exe"}, {"TotolRunTimes", "40"}}) +
                  ButtonXml(100, {{"Command", "C:\\slot0.exe"}}) + ButtonXml(121, {{"Command", "C:\\slot21.exe"}}));
    fakes_.shell.fileInfos["C:\\a.exe"] = {"Application", 12};
    fakes_.clock.today = {2025, 3, 17};  // Monday of week 12: last Thursday's start is not this week's
    const std::vector<std::string> groups = {"Work", kCyrillic};
    ButtonStore store = Store();

    std::vector<ReportRow> rows;
    EXPECT_EQ(store.FillReport(rows, 2, groups), 7);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].caption, kCjk + ".doc");
    EXPECT_EQ(rows[0].groupName, kCyrillic);
    EXPECT_EQ(rows[0].id, 205);
    EXPECT_EQ(rows[0].command, "C:\\b\\" + kCjk + ".doc");

    rows.clear();
    EXPECT_EQ(store.FillReport(rows, 0, groups), 12);
    ASSERT_EQ(rows.size(), 3u);
    // The fill asks the shell nothing; a row is described when asked for, once.
    EXPECT_TRUE(fakes_.shell.fileInfoQueries.empty());
    EXPECT_FALSE(rows[0].described);
    EXPECT_FALSE(rows[0].targetMissing);
    for (ReportRow& row : rows) store.DescribeReportRow(row, fileInfo_);
    store.DescribeReportRow(rows[0], fileInfo_);
    const ReportRow& first = rows[0];
    EXPECT_EQ(first.caption, "a.exe");
    EXPECT_EQ(first.systemIconIndex, 12);
    EXPECT_EQ(first.groupName, "Work");
    EXPECT_EQ(first.id, 101);
    EXPECT_EQ(first.today, 2);
    EXPECT_EQ(first.week, 2);
    EXPECT_EQ(first.days, (DayCounts{2, 0, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(first.targetMissing);  // no such file here
    EXPECT_EQ(first.total, 5);
    EXPECT_EQ(first.share, "");
    EXPECT_EQ(first.typeName, "Application");
    EXPECT_EQ(first.command, "C:\\a.exe");
    EXPECT_EQ(rows[1].id, 120);
    EXPECT_EQ(rows[2].id, 205);
    // One shell query per file, none for buttons left out.
    EXPECT_EQ(fakes_.shell.fileInfoQueries,
              (std::vector<std::string>{"C:\\a.exe", "C:\\never.exe", "C:\\b\\" + kCjk + ".doc"}));

    // A group beyond the names is listed without a name.
    rows.clear();
    EXPECT_EQ(store.FillReport(rows, 3, groups), 1);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].groupName, "");

    // Only the rows whose target is gone, and the sum of their totals.
    const std::string here = folder_ / "here.txt";
    WriteBytes(here, "x");
    WriteSettings(ButtonXml(101, {{"Command", here}, {"TotolRunTimes", "5"}}) +
                  ButtonXml(102, {{"Command", folder_ / "gone.txt"}, {"TotolRunTimes", "2"}}));
    rows.clear();
    EXPECT_EQ(store.FillReport(rows, 0, groups, true), 2);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].id, 102);
    EXPECT_TRUE(rows[0].targetMissing);
}

// Each rearrangement leaves the file as loading its buttons and then writing
// them one by one would, in a single save.
TEST_F(ButtonStoreTest, RearrangingWritesWhatButtonByButtonWritesWouldInOneSave) {
    const std::string buttons = ButtonXml(101, {{"Command", "C:\\a.exe"}, {"TotolRunTimes", "7"}, {"Day3", "2"}}) +
                                ButtonXml(205, {{"Command", "C:\\other.exe"}}) +
                                ButtonXml(103, {{"HotKey", "Ctrl+C"}}) +
                                ButtonXml(106, {{"BtnStyle", "1"}, {"Command", "action"}}) +
                                ButtonXml(118, {{"Command", kCyrillic}, {"IgnoreRunTimes", "1"}}) + ButtonXml(120);
    struct Case {
        std::function<void(ButtonStore&)> atOnce;
        std::vector<std::pair<int, int>> writes;  // the button loaded from first, written under second
        int saves;
    };
    const Case cases[] = {
        {[](ButtonStore& s) { s.ExchangeButtons(101, 103); }, {{101, 103}, {103, 101}}, 1},
        {[](ButtonStore& s) { s.ExchangeButtons(104, 205); }, {{104, 205}, {205, 104}}, 1},
        {[](ButtonStore& s) { s.ExchangeButtons(104, 107); }, {{104, 107}, {107, 104}}, 0},
        {[](ButtonStore& s) { s.MoveButtonToSlot(106, 1); },
         {{105, 106}, {104, 105}, {103, 104}, {102, 103}, {101, 102}, {106, 101}},
         1},
        {[](ButtonStore& s) { s.MoveButtonToSlot(118, 20); }, {{119, 118}, {120, 119}, {118, 120}}, 1},
        {[](ButtonStore& s) { s.CopyButton(118, 205); }, {{118, 205}}, 1},
        {[](ButtonStore& s) { s.CopyButton(110, 101); }, {{110, 101}}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.writes.front().first);
        WriteSettings(buttons);
        ButtonStore store = Store();
        std::vector<ButtonRecord> loaded;
        for (const auto& [from, to] : c.writes) loaded.push_back(store.Load(from).value_or(ButtonRecord{}));
        for (size_t i = 0; i < loaded.size(); ++i) store.Write(c.writes[i].second, loaded[i]);
        const std::string expected = Stored();
        WriteSettings(buttons);
        const int saves = fakes_.fs.saves;
        c.atOnce(store);
        EXPECT_EQ(Stored(), expected);
        EXPECT_EQ(fakes_.fs.saves - saves, c.saves);
    }
}

TEST_F(ButtonStoreTest, AFullFileIsParsedOnceAndAClickSavesOnce) {
    std::string buttons;
    for (int group = 1; group <= 10; ++group) {
        for (int slot = 1; slot <= 20; ++slot) {
            buttons += ButtonXml(ButtonIDOf(group, slot),
                                 {{"Command", "C:\\p" + std::to_string(slot) + ".exe"}, {"Description", kCyrillic}});
        }
    }
    WriteSettings(buttons);
    ButtonStore store = Store();
    const auto parsed = XmlDocumentFile::ParseCount();
    {
        XmlDocumentFile::Transaction startUp;  // as the main window draws its grids
        for (int group = 1; group <= 10; ++group) {
            for (int slot = 1; slot <= 20; ++slot) EXPECT_TRUE(store.LoadSummary(ButtonIDOf(group, slot)));
        }
    }
    EXPECT_EQ(XmlDocumentFile::ParseCount(), parsed + 1);
    EXPECT_EQ(fakes_.fs.reads, 1);

    {
        XmlDocumentFile::Transaction click;
        ASSERT_TRUE(store.Load(1020));
        ASSERT_TRUE(store.CountStart(1020));
        click.Commit();
    }
    EXPECT_EQ(XmlDocumentFile::ParseCount(), parsed + 1);
    EXPECT_EQ(fakes_.fs.saves, 1);
    EXPECT_EQ(fakes_.fs.reads, 3);  // the click's read and its check before the replace; neither parses
    // Another instance sees the change without parsing again.
    ButtonStore other = Store();
    EXPECT_EQ(other.Load(1020).value().TotolRunTimes, 1);
    EXPECT_EQ(XmlDocumentFile::ParseCount(), parsed + 1);
}

TEST_F(ButtonStoreTest, AnUnreadableFileIsReportedAndNotOverwritten) {
    const std::string broken = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Buttons>\r\n</GLConfig>";
    WriteBytes(SettingsFile(), broken);
    ButtonStore store = Store();
    EXPECT_THROW((void)store.Load(101), XmlError);
    ButtonRecord record;
    record.Empty = false;
    record.BtnStyle = 0;
    EXPECT_THROW(store.Write(101, record), XmlError);
    EXPECT_THROW((void)store.AddButtonFromPath(101, SettingsFile(), true), XmlError);
    EXPECT_EQ(Stored(), broken);
}

// Files of one type share the shell's answer; programs, icons and shortcuts
// have icons of their own, and folders and missing files are asked for one by one.
TEST_F(ButtonStoreTest, TheShellIsAskedOncePerTypeOfFileOrPerFileWithAnIconOfItsOwn) {
    const std::vector<std::string> files = {"a.txt", "b.TXT", "c.exe", "d.exe", "e.ico", "f.lnk", "g.lnk", "noext"};
    for (const std::string& name : files) WriteBytes(folder_ / name, "");
    MakeFolder(folder_ / "h.txt");
    fakes_.shell.fileInfos[folder_ / "a.txt"] = {"Text Document", 4};
    fakes_.shell.fileInfos[folder_ / "c.exe"] = {"Application", 7};
    for (const std::string& name : files) (void)fileInfo_.Get(folder_ / name);
    for (const char* name : {"c.exe", "h.txt", "h.txt", "missing.txt", "missing.txt"}) {
        (void)fileInfo_.Get(folder_ / name);
    }
    EXPECT_EQ(fakes_.shell.fileInfoQueries,
              (std::vector<std::string>{folder_ / "a.txt", folder_ / "c.exe", folder_ / "d.exe", folder_ / "e.ico",
                                        folder_ / "f.lnk", folder_ / "g.lnk", folder_ / "noext", folder_ / "h.txt",
                                        folder_ / "missing.txt"}));
    EXPECT_EQ(fileInfo_.Get(folder_ / "b.TXT").typeName, "Text Document");
    EXPECT_EQ(fileInfo_.Get(folder_ / "c.exe").systemIconIndex, 7);
    EXPECT_EQ(fileInfo_.Get(folder_ / "d.exe").systemIconIndex, -1);
}

}  // namespace
}  // namespace tavrin
