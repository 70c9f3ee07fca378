#include "win32/Win32FileSystem.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "support/TempFolder.h"
#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

using testing::ListFolder;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
using namespace std::chrono_literals;

// Cyrillic, CJK and an emoji outside the Basic Multilingual Plane.
const std::string kUnicodeName =
    "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE6\x97\xA5\xE6\x9C\xAC "
    "\xF0\x9F\x9A\x80.xml";

TEST(Utf16Test, ConvertsBothWaysWithoutLoss) {
    EXPECT_EQ(Widen(kUnicodeName).size(), 16u);  // the emoji takes a surrogate pair
    EXPECT_EQ(Narrow(Widen(kUnicodeName)), kUnicodeName);
    EXPECT_EQ(Narrow(L""), "");
}

TEST(Win32FileSystemTest, SavesReadsAndCopiesFilesWithUnicodeNames) {
    TempFolder folder;
    Win32FileSystem fs;
    const std::string path = folder / kUnicodeName;
    EXPECT_FALSE(fs.FileExists(path));
    SaveFileAtomically(fs, path, "first");
    SaveFileAtomically(fs, path, "second\r\n");
    EXPECT_TRUE(fs.FileExists(path));
    EXPECT_FALSE(fs.DirectoryExists(path));
    EXPECT_TRUE(fs.DirectoryExists(folder.Path()));
    EXPECT_EQ(fs.ReadFile(path), "second\r\n");
    ASSERT_TRUE(CopyFileAtomically(fs, path, folder / "copy.xml"));
    EXPECT_EQ(ReadBytes(folder / "copy.xml"), "second\r\n");
    EXPECT_FALSE(CopyFileAtomically(fs, folder / "missing.xml", folder / "copy.xml"));
    EXPECT_EQ(ListFolder(folder.Path()), "copy.xml " + kUnicodeName);
}

TEST(Win32FileSystemTest, IdentityTellsOneFileHoweverItIsSpelled) {
    TempFolder folder;
    Win32FileSystem fs;
    const std::string path = folder / "settings of alice.xml";
    EXPECT_FALSE(fs.Identity(path));
    SaveFileAtomically(fs, path, "one");
    SaveFileAtomically(fs, folder / "b.xml", "one");
    std::wstring shortPath(MAX_PATH, L'\0');
    shortPath.resize(GetShortPathNameW(Widen(path).c_str(), shortPath.data(), MAX_PATH));
    EXPECT_TRUE(SameFile(fs, path, Narrow(shortPath)));
    EXPECT_TRUE(SameFile(fs, path, folder / "SETTINGS OF ALICE.XML"));
    EXPECT_FALSE(SameFile(fs, path, folder / "b.xml"));
    EXPECT_FALSE(SameFile(fs, folder / "missing.xml", folder / "missing.xml"));
}

TEST(Win32FileSystemTest, FailedSaveKeepsTheOldFileAndNamesIt) {
    TempFolder folder;
    Win32FileSystem fs;
    const std::string path = folder / "settings.xml";
    WriteBytes(path, "old");
    {
        // Another program holds the file open and lets nobody replace it.
        unique_hfile holder(CreateFileW(Widen(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        try {
            SaveFileAtomically(fs, path, "new");
            FAIL() << "a file held open was replaced";
        } catch (const FileError& error) {
            EXPECT_EQ(error.FileName(), path);
            EXPECT_NE(std::string(error.what()).find(path), std::string::npos);
        }
    }
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_EQ(ListFolder(folder.Path()), "settings.xml");  // no temporary file left behind
    EXPECT_THROW(SaveFileAtomically(fs, folder / "no such folder\\x.xml", "new"), FileError);
    EXPECT_THROW(SaveFileAtomically(fs, folder.Path(), "new"), FileError);
    EXPECT_EQ(ListFolder(folder.Path()), "settings.xml");
}

// A reader looking while saves go on always finds a whole file, old or new:
// the replace is one rename, with no moment without the file.
TEST(Win32FileSystemTest, ASaveNeverLeavesAMomentWithoutTheFile) {
    TempFolder folder;
    Win32FileSystem fs;
    const std::string path = folder / "settings.xml";
    const std::string older(100'000, 'a'), newer(100'000, 'b');
    WriteBytes(path, older);
    std::atomic<bool> saving = true;
    std::thread saver([&] {
        for (int save = 0; save < 200; ++save) SaveFileAtomically(fs, path, save % 2 ? older : newer);
        saving = false;
    });
    int looks = 0, missing = 0, partial = 0, unreadable = 0;
    while (saving) {
        ++looks;
        if (!fs.FileExists(path)) {
            ++missing;
            continue;
        }
        try {
            const std::string content = fs.ReadFile(path);
            if (content != older && content != newer) ++partial;
        } catch (const FileError&) {
            ++unreadable;
        }
    }
    saver.join();
    EXPECT_GT(looks, 0);
    EXPECT_EQ(missing, 0);
    EXPECT_EQ(partial, 0);
    EXPECT_EQ(unreadable, 0);
}

// A lock is held until its owner lets go; a second one waits and then gives up,
// saying what holds it.
TEST(Win32FileSystemTest, ALockExcludesOthersUntilItIsReleased) {
    TempFolder folder;
    Win32FileSystem fs;
    const std::string path = folder / "settings.xml";
    {
        const std::unique_ptr<IFileLock> held = fs.Lock(path);
        try {
            (void)fs.Lock(path);
            ADD_FAILURE() << "a held lock was taken twice";
        } catch (const FileError& error) {
            EXPECT_NE(std::string(error.what()).find("Another copy of Tavrin"), std::string::npos);
        }
    }
    EXPECT_NE(fs.Lock(path), nullptr);
}

// A hidden file stays hidden. A read-only one is not written at all, and the
// error says which file was not saved and that the change was not kept.
TEST(Win32FileSystemTest, SaveKeepsAHiddenFileHiddenAndLeavesAReadOnlyOneAlone) {
    TempFolder folder;
    Win32FileSystem fs;
    const std::string path = folder / "settings.xml";
    const std::wstring widePath = Widen(path);
    WriteBytes(path, "old");
    SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_HIDDEN);
    SaveFileAtomically(fs, path, "new");
    EXPECT_EQ(GetFileAttributesW(widePath.c_str()) & FILE_ATTRIBUTE_HIDDEN, DWORD{FILE_ATTRIBUTE_HIDDEN});
    SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_READONLY);
    try {
        SaveFileAtomically(fs, path, "newer");
        ADD_FAILURE() << "a read-only file was saved";
    } catch (const FileError& error) {
        EXPECT_EQ(error.what(),
                  "\"" + path + "\" could not be saved; the change was not kept.\r\nThe file is read-only.");
    }
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_EQ(GetFileAttributesW(widePath.c_str()) & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_EQ(ListFolder(folder.Path()), "settings.xml");
    SetFileAttributesW(widePath.c_str(), FILE_ATTRIBUTE_NORMAL);  // so that the folder can go
}

// Start-up leaves alone what was written since the process started: a file
// written now is later than the start, which was not long ago.
TEST(Win32FileSystemTest, ProcessStartedBeforeTheFilesItWrites) {
    TempFolder folder;
    WriteBytes(folder / "now.xml", "x");
    const FileTime started = ProcessStartTime();
    EXPECT_LT(started, *Win32FileSystem().LastWriteTime(folder / "now.xml"));
    EXPECT_GT(started, std::chrono::system_clock::now() - 1h);
}

TEST(Win32FileSystemTest, ReadingAFolderOrAMissingFileFails) {
    TempFolder folder;
    Win32FileSystem fs;
    EXPECT_THROW((void)fs.ReadFile(folder.Path()), FileError);
    EXPECT_THROW((void)fs.ReadFile(folder / "missing.xml"), FileError);
}

TEST(Win32FileSystemTest, LegacyTextIsDecodedFromTheAnsiCodePage) {
    Win32FileSystem fs;
    const std::wstring text = L"caf\u00E9";
    char ansi[16] = {};
    BOOL lost = FALSE;
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, ansi, sizeof ansi, nullptr, &lost);
    if (lost) GTEST_SKIP() << "the ANSI code page has no e-acute";
    EXPECT_EQ(fs.AnsiToUtf8(std::string_view(ansi, size - 1)), "caf\xC3\xA9");
}

}  // namespace
}  // namespace tavrin
