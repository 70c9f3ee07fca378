#include "storage/PathNames.h"

#include <gtest/gtest.h>

#include "storage/AppConfig.h"

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

}  // namespace
}  // namespace tavrin
