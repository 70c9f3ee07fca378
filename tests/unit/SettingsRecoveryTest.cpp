// Start-up's care of the settings file on real files: a missing or damaged
// file comes back from its newest complete copy, and copies a newer file has
// made useless go while everything else stays.
#include "storage/SettingsRecovery.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "storage/DailyBackups.h"
#include "support/FixedClock.h"
#include "support/KeptMessages.h"
#include "support/TempFolder.h"
#include "support/TestFileSystem.h"
#include "xml/XmlError.h"

namespace tavrin {
namespace {

using testing::ListFolder;
using testing::ReadBytes;
using testing::TempFolder;
using testing::TestFileSystem;
using testing::WriteBytes;
using namespace std::chrono_literals;
using Strings = std::vector<std::string>;

// A settings document; version tells one from another.
std::string Settings(int version) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Groups Count=\"" + std::to_string(version) +
           "\"/>\r\n</GLConfig>";
}
constexpr char kCutOff[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Gro";
constexpr char kBroken[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<GLConfig>\r\n\t<Groups>\r\n</GLConfig>";
constexpr char kConfig[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<Config/>";

class SettingsRecoveryTest : public ::testing::Test {
protected:
    std::string SettingsFile() const { return folder_ / "TV_alice.xml"; }
    std::string Backup(const char* name) const { return BackupFolderOf(SettingsFile()) + name; }

    // Writes a file last written age ago.
    static void Write(const std::string& path, std::string_view bytes, std::chrono::minutes age) {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        WriteBytes(path, bytes);
        std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - age);
    }
    void Recover(const Strings& otherUsersFiles = {}) {
        SettingsRecovery(TestFileSystem(), SettingsFile(), otherUsersFiles).Recover(clock_, messages_);
    }
    std::string PutBack(const std::string& copy) const {
        return "\r\n\r\nYour settings were put back from the newest complete copy of them, \"" + copy + "\".";
    }

    TempFolder folder_;
    testing::FixedClock clock_;
    testing::KeptMessages messages_;
};

// Newer copies that are cut off, no settings document or another user's are
// passed over.
TEST_F(SettingsRecoveryTest, MissingFileComesBackFromItsNewestCompleteCopy) {
    Write(folder_ / "TV_alice.xml.7-1.tmp", kCutOff, 1min);
    Write(folder_ / "rf1A.tmp", kConfig, 2min);
    Write(folder_ / "TV_bob.xml.7-2.tmp", Settings(9), 0min);
    Write(Backup("TV_alice-extra-20250317.xml"), Settings(9), 0min);
    Write(folder_ / "TV_alice.xml.7-3.tmp", Settings(2), 10min);
    Write(Backup("TV_alice-20250316.xml"), Settings(1), 60min);
    Recover();
    EXPECT_EQ(ReadBytes(SettingsFile()), Settings(2));
    EXPECT_EQ(messages_.shown,
              Strings{"\"" + SettingsFile() + "\" was missing." + PutBack(folder_ / "TV_alice.xml.7-3.tmp")});
    EXPECT_EQ(ListFolder(folder_.Path()),
              "Backups TV_alice.xml TV_alice.xml.7-1.tmp TV_alice.xml.7-3.tmp TV_bob.xml.7-2.tmp rf1A.tmp");
}

// Wine's copies do not tell whose file they held.
TEST_F(SettingsRecoveryTest, WineCopyIsTakenOnlyWhenNoOtherUserSharesTheFolder) {
    Write(folder_ / "rf2B.tmp", Settings(2), 1min);
    Write(Backup("TV_alice-20250316.xml"), Settings(1), 60min);
    Recover({folder_ / "TV_bob.xml"});
    EXPECT_EQ(ReadBytes(SettingsFile()), Settings(1));
    TestFileSystem().RemoveFile(SettingsFile());
    Recover();
    EXPECT_EQ(ReadBytes(SettingsFile()), Settings(2));
    EXPECT_EQ(messages_.shown.back(), "\"" + SettingsFile() + "\" was missing." + PutBack(folder_ / "rf2B.tmp"));
}

TEST_F(SettingsRecoveryTest, DamagedFileIsKeptUnderANewNameBeforeTheCopyTakesItsPlace) {
    Write(Backup("TV_alice-20250316.xml"), Settings(1), 60min);
    WriteBytes(SettingsFile(), kBroken);
    Recover();
    const std::string kept = folder_ / "TV_alice.damaged-20250317-093005.xml";
    EXPECT_EQ(ReadBytes(kept), kBroken);
    EXPECT_EQ(ReadBytes(SettingsFile()), Settings(1));
    EXPECT_EQ(messages_.shown, Strings{"\"" + SettingsFile() + "\" could not be read:\r\n" + SettingsFile() +
                                       "(4,1): missing end tag of \"Groups\"\r\nIt was kept as \"" + kept + "\"." +
                                       PutBack(Backup("TV_alice-20250316.xml"))});
    clock_.second = 6;
    WriteBytes(SettingsFile(), kConfig);  // a document, but not of settings
    Recover();
    EXPECT_EQ(ReadBytes(folder_ / "TV_alice.damaged-20250317-093006.xml"), kConfig);
    EXPECT_NE(messages_.shown.back().find(": This is not a Tavrin settings file.\r\n"), std::string::npos);
}

// A missing file is left to the store, which writes the defaults; a damaged
// one is reported as it is and nothing is written.
TEST_F(SettingsRecoveryTest, WithoutACompleteCopyNothingIsWritten) {
    Write(folder_ / "TV_alice.xml.7-1.tmp", kCutOff, 1min);
    Write(folder_ / "rf1A.tmp", "not a document", 1min);
    Recover();
    EXPECT_EQ(ListFolder(folder_.Path()), "TV_alice.xml.7-1.tmp rf1A.tmp");
    WriteBytes(SettingsFile(), kBroken);
    EXPECT_THROW(Recover(), XmlError);
    WriteBytes(SettingsFile(), kConfig);
    EXPECT_THROW(Recover(), FileError);
    EXPECT_EQ(ListFolder(folder_.Path()), "TV_alice.xml TV_alice.xml.7-1.tmp rf1A.tmp");
    EXPECT_EQ(ReadBytes(SettingsFile()), kConfig);
    EXPECT_TRUE(messages_.shown.empty());
}

TEST_F(SettingsRecoveryTest, FileThatReadsStaysWhateverCopiesThereAre) {
    Write(SettingsFile(), Settings(1), 60min);
    Write(folder_ / "TV_alice.xml.7-1.tmp", Settings(2), 1min);
    Recover();
    EXPECT_EQ(ReadBytes(SettingsFile()), Settings(1));
    EXPECT_TRUE(messages_.shown.empty());
}

// A leftover goes when its file reads and is newer, or holds the same bytes.
// A Wine copy, whoever's file it held, goes when it holds the bytes of one of
// the folder's settings files, or when it is a settings document older than
// all of them. Whatever was written since the start (perhaps a save under way
// in another copy) and whatever is not ours stays.
TEST_F(SettingsRecoveryTest, CopiesGoOnlyWhenTheFilesTheyMayBelongToHoldAllTheyHold) {
    const struct {
        Strings others;
        bool wineCopyStays;
    } folders[] = {{{}, false}, {{"TV_bob.xml", "TV_carol.xml"}, true}, {{"TV_carol.xml"}, false}};
    for (const auto& [others, wineCopyStays] : folders) {
        SCOPED_TRACE(others.size());
        TempFolder folder;
        const auto write = [&](const char* name, std::string_view bytes, std::chrono::minutes age) {
            Write(folder / name, bytes, age);
        };
        write("TV_alice.xml", Settings(2), 60min);
        write("TV_alice.xml.1-1.tmp", Settings(1), 120min);
        write("TV_alice.xml.1-2.tmp", kCutOff, 120min);
        write("TV_alice.xml.1-3.tmp", Settings(3), 30min);
        write("TV_alice.xml.1-4.tmp", Settings(2), 30min);
        write("TV_alice.xml.1-5.tmp", Settings(2), 0min);
        write("TV_bob.xml", kBroken, 60min);
        write("TV_bob.xml.1-6.tmp", Settings(1), 120min);
        write("TV_carol.xml", Settings(7), 60min);
        write("gone.xml.1-7.tmp", Settings(1), 120min);
        write("tavrin.xml", kConfig, 60min);
        write("tavrin.xml.1-8.tmp", kConfig, 120min);
        write("tavrin.xml.1-9.tmp", Settings(1), 120min);
        write("rf1.tmp", Settings(1), 120min);
        write("rf2.tmp", kConfig, 120min);
        write("rf3.tmp", "not a document", 120min);
        write("rf4.tmp", Settings(2), 120min);
        write("rf5.tmp", Settings(3), 30min);
        write("rf6.tmp", Settings(7), 120min);
        write("notes.tmp", Settings(1), 120min);
        Strings otherUsersFiles;
        for (const std::string& name : others) otherUsersFiles.push_back(folder / name);
        SettingsRecovery(TestFileSystem(), folder / "TV_alice.xml", otherUsersFiles)
            .RemoveSupersededCopies(std::chrono::system_clock::now() - 5min);
        EXPECT_EQ(ListFolder(folder.Path()),
                  std::string("TV_alice.xml TV_alice.xml.1-3.tmp TV_alice.xml.1-5.tmp TV_bob.xml TV_bob.xml.1-6.tmp "
                              "TV_carol.xml gone.xml.1-7.tmp notes.tmp ") +
                      (wineCopyStays ? "rf1.tmp " : "") + "rf2.tmp rf3.tmp rf5.tmp tavrin.xml tavrin.xml.1-9.tmp");
    }
}

}  // namespace
}  // namespace tavrin
