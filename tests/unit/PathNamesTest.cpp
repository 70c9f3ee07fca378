#include "storage/PathNames.h"

#include <gtest/gtest.h>

#include "storage/AppConfig.h"
#include "xml/AsciiCase.h"

namespace tavrin {
namespace {

TEST(PathNamesTest, SplitsWindowsAndPosixPaths) {
    EXPECT_EQ(ExtractFilePath("D:\\Apps\\launcher.exe"), "D:\\Apps\\");
    EXPECT_EQ(ExtractFileName("D:\\Apps\\launcher.exe"), "launcher.exe");
    EXPECT_EQ(ExtractFilePath("/tmp/x/tavrin.exe"), "/tmp/x/");
    EXPECT_EQ(ExtractFilePath("tavrin.exe"), "");
    EXPECT_EQ(ExtractFileExt("C:\\a.b\\Readme.TXT"), ".TXT");
    EXPECT_EQ(ExtractFileExt("C:\\a.b\\Makefile"), "");
}

TEST(PathNamesTest, FolderOfAFileKeepsTheSeparatorOfARootOnly) {
    EXPECT_EQ(ExtractFileDir("D:\\Apps\\launcher.exe"), "D:\\Apps");
    EXPECT_EQ(ExtractFileDir("D:\\launcher.exe"), "D:\\");
    EXPECT_EQ(ExtractFileDir("\\\\server\\share\\tool.exe"), "\\\\server\\share");
    EXPECT_EQ(ExtractFileDir("/tool"), "/");
    EXPECT_EQ(ExtractFileDir("tool.exe"), "");
}

TEST(PathNamesTest, ConfigFileIsTheExecutableWithXmlExtension) {
    EXPECT_EQ(ConfigFileNameFor("D:\\Apps\\launcher.exe"), "D:\\Apps\\launcher.xml");
    // A dot in a folder name is not an extension.
    EXPECT_EQ(ConfigFileNameFor("C:\\v1.2\\tavrin"), "C:\\v1.2\\tavrin.xml");
    EXPECT_EQ(SettingsFileNameFor("alice"), "TV_alice.xml");
    EXPECT_EQ(SettingsFileNameFor("\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0"), "TV_\xD0\x90\xD0\xBD\xD0\xBD\xD0\xB0.xml");
}

TEST(PathNamesTest, DeviceNamesInAnyCaseWithOrWithoutExtension) {
    for (const char* device : {"CON", "prn", "Aux", "nul.xml", "NUL .txt", "COM1", "com9.xml", "LPT5", "COM\xC2\xB9",
                               "lpt\xC2\xB3.xml", "CONIN$", "conout$", "Clock$.xml", "CONIN$.tar.gz"}) {
        EXPECT_TRUE(IsDeviceName(device)) << device;
        EXPECT_FALSE(IsPlainFileName(device)) << device;
    }
    // Near misses are ordinary names.
    for (const char* name : {"CONSOLE.xml", "COM0", "COM10", "LPT", "COM\xC2\xB4", "COM\xC2", "CONIN", "xNUL.xml",
                             "nul_notes.xml", "\xD0\xA1OM1"}) {
        EXPECT_FALSE(IsDeviceName(name)) << name;
        EXPECT_TRUE(IsPlainFileName(name)) << name;
    }
}

TEST(PathNamesTest, ShortcutFileNamesByTheirExtension) {
    EXPECT_TRUE(IsShortcutFileName("C:\\Links\\Editor.lnk"));
    EXPECT_TRUE(IsShortcutFileName("C:\\Links\\Editor.LNK"));
    EXPECT_TRUE(IsShortcutFileName("C:\\Links\\Editor.lnk", LetterCase::Exact));
    EXPECT_FALSE(IsShortcutFileName("C:\\Links\\Editor.Lnk", LetterCase::Exact));
    // Only the extension of the file-name part counts.
    for (const char* name : {"C:\\a.lnk\\Editor", "Editor.lnk.txt", "Editor.lnkx", "lnk", ".lnk\\x", ""}) {
        EXPECT_FALSE(IsShortcutFileName(name)) << name;
    }
}

// Only A-Z and a-z fold, whatever the locale: the bytes of "É" and "é" stay apart.
TEST(AsciiCaseTest, OnlyAsciiLettersFold) {
    EXPECT_TRUE(EqualsIgnoringCase("UTF-8", "utf-8"));
    EXPECT_FALSE(EqualsIgnoringCase("utf-8", "utf-8 "));
    EXPECT_FALSE(EqualsIgnoringCase("\xC3\x89", "\xC3\xA9"));
    EXPECT_FALSE(EqualsIgnoringCase("[", "{"));  // 'Z' + 1 and 'z' + 1
    EXPECT_EQ(AsciiLower('@'), '@');             // 'A' - 1
    EXPECT_EQ(AsciiUpper('`'), '`');             // 'a' - 1
}

}  // namespace
}  // namespace tavrin
