// The automatic backups of the settings file, made by the settings store's
// own saves on real files with a clock the test sets.
#include "storage/DailyBackups.h"

#include <gtest/gtest.h>

#include "storage/AppSettings.h"
#include "support/FakeStorageServices.h"
#include "support/TempFolder.h"

namespace tavrin {
namespace {

using testing::ListFolder;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using Strings = std::vector<std::string>;

class DailyBackupsTest : public ::testing::Test {
protected:
    DailyBackupsTest() {
        fakes_.clock.today = {2026, 12, 9};
        settings_.LoadSettings();  // a new user's file: nothing before it to keep
        settings_.X = 1;
        settings_.SaveSettings();
    }

    std::string SettingsFile() const { return folder_ / "TV_alice.xml"; }
    std::string Backups() const { return BackupFolderOf(SettingsFile()); }
    DailyBackups Install() {
        return DailyBackups(XmlDocumentFile::For(fakes_.fs, SettingsFile()), fakes_.clock,
                            [this](const std::string& text) { traces_.push_back(text); });
    }
    // Saves a change of the options and returns the file as it was before.
    std::string SaveChange() {
        const std::string before = ReadBytes(SettingsFile());
        ++settings_.X;
        settings_.SaveSettings();
        return before;
    }

    TempFolder folder_;
    testing::FakeStorageServices fakes_{SettingsFile()};
    AppSettings settings_{fakes_.services};
    Strings traces_;
};

// The day's backup is the file as the day's first save found it, also when an
// earlier run of the program made it.
TEST_F(DailyBackupsTest, FirstSaveOfEachDayKeepsTheFileAsItWasBefore) {
    {
        DailyBackups backups = Install();
        const std::string morning = SaveChange();
        (void)SaveChange();
        EXPECT_EQ(ListFolder(Backups()), "TV_alice-20261209.xml");
        EXPECT_EQ(ReadBytes(Backups() + "TV_alice-20261209.xml"), morning);
    }
    DailyBackups restarted = Install();
    (void)SaveChange();
    fakes_.clock.today = {2026, 12, 10};
    const std::string nextDay = SaveChange();
    EXPECT_EQ(ListFolder(Backups()), "TV_alice-20261209.xml TV_alice-20261210.xml");
    EXPECT_EQ(ReadBytes(Backups() + "TV_alice-20261210.xml"), nextDay);
    EXPECT_TRUE(traces_.empty());
}

// The oldest of the user's own go; backups of other users (one whose name
// begins with this one's among them) and other files stay.
TEST_F(DailyBackupsTest, OnlyTheNewestTenOfTheUsersBackupsAreKept) {
    fakes_.fs.CreateFolder(Backups());
    for (int day = 1; day <= 10; ++day) {
        const std::string date = "202611" + std::string(day < 10 ? "0" : "") + std::to_string(day);
        WriteBytes(Backups() + "TV_alice-" + date + ".xml", "old");
        WriteBytes(Backups() + "TV_alice-x-" + date + ".xml", "other user");
    }
    WriteBytes(Backups() + "TV_bob-20251231.xml", "other user");
    WriteBytes(Backups() + "TV_alice-2026.xml", "no date");
    DailyBackups backups = Install();
    (void)SaveChange();
    const std::string listed = ListFolder(Backups());
    EXPECT_EQ(listed.find("TV_alice-20261101.xml"), std::string::npos);
    for (const char* kept : {"TV_alice-20261102.xml", "TV_alice-20261110.xml", "TV_alice-20261209.xml",
                             "TV_alice-x-20261101.xml", "TV_bob-20251231.xml", "TV_alice-2026.xml"}) {
        EXPECT_NE(listed.find(kept), std::string::npos) << kept;
    }
    EXPECT_EQ(DailyBackupsOf(fakes_.fs, SettingsFile()).size(), DailyBackups::kKept);
}

TEST_F(DailyBackupsTest, BackupThatFailsLeavesATraceAndTheSaveGoesOn) {
    WriteBytes(folder_ / "Backups", "a file where the folder would be");
    DailyBackups backups = Install();
    (void)SaveChange();
    AppSettings reread(fakes_.services);
    reread.LoadSettings();
    EXPECT_EQ(reread.X, settings_.X);
    ASSERT_EQ(traces_.size(), 1u);
    EXPECT_TRUE(traces_[0].starts_with("The daily backup of the settings was not kept: ")) << traces_[0];
}

TEST_F(DailyBackupsTest, SavesAfterTheBackupsEndedKeepNone) {
    { DailyBackups backups = Install(); }
    (void)SaveChange();
    EXPECT_FALSE(fakes_.fs.DirectoryExists(Backups()));
}

}  // namespace
}  // namespace tavrin
