// Listing a folder through the file system seam, on real files natively and
// under Wine: both systems list the same names. Write times and new folders
// are checked where start-up recovery and the daily backups rely on them.
#include "xml/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/TempFolder.h"
#include "support/TestFileSystem.h"

namespace tavrin {
namespace {

using testing::TempFolder;
using testing::TestFileSystem;
using testing::WriteBytes;
using Names = std::vector<std::string>;

TEST(FileSystemTest, PatternsMatchLikeTheSystemsSearchWithoutShortNames) {
    const struct {
        const char* name;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"tv_ALICE.XML.1-2.TMP", "TV_alice.xml.*.tmp", true},  // letter case aside
        {"rf.tmp", "rf*.tmp", true},
        {"a.xmlx", "*.xml", false},
        {"TV_bob.xml.1-2.tmp", "TV_b?b.xml*", true},
        {"TV_bb.xml", "TV_b?b.xml", false},
        {"mississippi", "m*iss*ppi", true},  // the star gives back what it took
        {"abc", "a*b*c*d", false},
    };
    for (const auto& one : cases) EXPECT_EQ(MatchesFilePattern(one.name, one.pattern), one.matches) << one.name;
}

TEST(FileSystemTest, ListsTheMatchingFilesOfAFolderButNoFolders) {
    TempFolder folder;
    IFileSystem& fs = TestFileSystem();
    const std::string cyrillic = "\xD0\x9C\xD0\xBE\xD0\xB8.xml";
    for (const std::string& name : {std::string("a.xml"), std::string("B.XML"), std::string("c.xmlx"), cyrillic}) {
        WriteBytes(folder / name, "x");
    }
    std::filesystem::create_directory(std::filesystem::path(folder / "folder.xml"));
    Names xml = fs.ListFiles(folder / "", "*.xml");
    std::sort(xml.begin(), xml.end());
    EXPECT_EQ(xml, (Names{"B.XML", "a.xml", cyrillic}));
    EXPECT_EQ(fs.ListFiles(folder / "", "*").size(), 4u);
    EXPECT_TRUE(fs.ListFiles(folder / "missing" + "/", "*").empty());
}

}  // namespace
}  // namespace tavrin
