#include "shell/ShellIcons.h"
#include "shell/ShellLinker.h"
#include "shell/ShellPaths.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "support/TempFolder.h"
#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

class ShellPathsAndIconsTest : public ::testing::Test {
protected:
    ComInitScope com_{ComInitScope::Kind::Ole};
    TempFolder folder_;
};

std::string CurrentFolder() {
    std::wstring folder(GetCurrentDirectoryW(0, nullptr), L'\0');
    folder.resize(GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    return Narrow(folder);
}

std::string WithSeparator(std::string folder) { return folder.back() == '\\' ? folder : folder + '\\'; }

std::string KnownFolder(int csidl) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    return WithSeparator(Narrow(path));
}

TEST_F(ShellPathsAndIconsTest, CanonicalPathOfRelativeAndMissingPathsIsTheFullPath) {
    EXPECT_EQ(GetCanonicalPath("no such file.txt"), WithSeparator(CurrentFolder()) + "no such file.txt");
    EXPECT_EQ(GetCanonicalPath("C:\\no such folder\\sub\\..\\file.txt"), "C:\\no such folder\\file.txt");
    const std::string unicodeFile = folder_ / "\xD0\xA4\xD0\xB0\xD0\xB9\xD0\xBB \xE6\x96\x87\xE4\xBB\xB6.txt";
    WriteBytes(unicodeFile, "x");
    EXPECT_EQ(GetCanonicalPath(unicodeFile), unicodeFile);
}

TEST_F(ShellPathsAndIconsTest, CanonicalPathExpandsShortNames) {
    const std::string longName = folder_ / "A long program name.exe";
    WriteBytes(longName, "x");
    std::wstring shortName(MAX_PATH, L'\0');
    shortName.resize(GetShortPathNameW(Widen(longName).c_str(), shortName.data(), MAX_PATH));
    if (shortName.empty() || Narrow(shortName) == longName) GTEST_SKIP() << "this system gives no short names";
    EXPECT_EQ(GetCanonicalPath(Narrow(shortName)), longName);
}

// The colour pixels of an icon, for comparing two icons.
std::vector<std::uint32_t> IconPixels(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return {};
    const unique_hbitmap color(info.hbmColor);
    const unique_hbitmap mask(info.hbmMask);
    const HBITMAP bitmap = info.hbmColor ? info.hbmColor : info.hbmMask;
    BITMAP size{};
    GetObjectW(bitmap, sizeof size, &size);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    format.bmiHeader.biWidth = size.bmWidth;
    format.bmiHeader.biHeight = -size.bmHeight;  // top-down rows
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<size_t>(size.bmWidth) * static_cast<size_t>(size.bmHeight));
    GetDIBits(unique_hdc(CreateCompatibleDC(nullptr)).get(), bitmap, 0, static_cast<UINT>(size.bmHeight), pixels.data(),
              &format, DIB_RGB_COLORS);
    return pixels;
}

TEST_F(ShellPathsAndIconsTest, FileIconClampsTheIndexAndFallsBackToTheShellIcon) {
    const std::string library = KnownFolder(CSIDL_SYSTEM) + "shell32.dll";
    const int count = GetIconCount(library);
    ASSERT_GT(count, 2);
    const auto last = IconPixels(GetFileIcon(library, count - 1, 32).get());
    ASSERT_FALSE(last.empty());
    EXPECT_EQ(IconPixels(GetFileIcon(library, count + 5, 32).get()), last);
    EXPECT_NE(IconPixels(GetFileIcon(library, 0, 32).get()), last);
    // A negative index is the shell's icon for the file.
    const auto shellIcon = IconPixels(GetShellIcon(library, 32).get());
    ASSERT_FALSE(shellIcon.empty());
    EXPECT_EQ(IconPixels(GetFileIcon(library, -1, 32).get()), shellIcon);
    EXPECT_EQ(IconPixels(GetFileIcon(library, -7, 32).get()), shellIcon);

    // A document holds no icons: the shell's icon of its type, whatever the index.
    const std::string document = folder_ / "notes.txt";
    WriteBytes(document, "text");
    EXPECT_EQ(GetIconCount(document), 0);
    const auto documentIcon = IconPixels(GetShellIcon(document, 32).get());
    ASSERT_FALSE(documentIcon.empty());
    EXPECT_EQ(IconPixels(GetFileIcon(document, 3, 32).get()), documentIcon);

    EXPECT_EQ(GetIconCount(folder_ / "missing.exe"), 0);
}

// A quarter of a square picture. A shortcut's arrow is in the lower left one, never in the upper right.
std::vector<std::uint32_t> Quarter(const std::vector<std::uint32_t>& pixels, bool right, bool lower) {
    std::vector<std::uint32_t> quarter;
    const int side = static_cast<int>(std::sqrt(static_cast<double>(pixels.size())));
    for (int y = lower ? side / 2 : 0; y < (lower ? side : side / 2); ++y) {
        for (int x = right ? side / 2 : 0; x < (right ? side : side / 2); ++x) {
            quarter.push_back(pixels[static_cast<size_t>(y * side + x)]);
        }
    }
    return quarter;
}

TEST_F(ShellPathsAndIconsTest, AShortcutShowsItsTargetsIcon) {
    std::string target = TAVRIN_EXE;
    std::replace(target.begin(), target.end(), '/', '\\');
    ShellLinkSpec spec;
    spec.Path = target;
    const std::string link = folder_ / "Tavrin.lnk";
    const ComInitScope com;
    ASSERT_TRUE(CreateShellLink(spec, link));
    for (const int size : {32, 48}) {
        const auto targetIcon = IconPixels(GetFileIcon(target, 0, size).get());
        const auto linkIcon = IconPixels(GetFileIcon(link, 0, size).get());
        ASSERT_EQ(linkIcon.size(), targetIcon.size()) << size;
        EXPECT_EQ(Quarter(linkIcon, true, false), Quarter(targetIcon, true, false)) << size;
        EXPECT_NE(Quarter(linkIcon, false, true), Quarter(targetIcon, false, true)) << "no arrow at " << size;
    }
}

// The folders the options put the program's shortcut into, as the shell's older
// interface reports them.
TEST_F(ShellPathsAndIconsTest, UserFoldersAreTheShellsEndingWithOneSeparator) {
    const std::string desktop = KnownFolder(CSIDL_DESKTOPDIRECTORY);
    ASSERT_FALSE(desktop.empty());
    EXPECT_EQ(GetUserFolder(UserFolder::Desktop), desktop);
    EXPECT_EQ(GetUserFolder(UserFolder::StartMenu), KnownFolder(CSIDL_STARTMENU));
}

}  // namespace
}  // namespace tavrin
