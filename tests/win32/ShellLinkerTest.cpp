#include "shell/ShellLinker.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <thread>

#include "shell/ShellLinker.h"
#include "support/TempFolder.h"
#include "win32/ComPtr.h"
#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Cyrillic, CJK and an emoji outside the Basic Multilingual Plane.
const std::string kUnicode =
    "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x9A\x80";

class ShellLinkerTest : public ::testing::Test {
protected:
    // The program initialises OLE on its main thread; CreateShellLink relies on it.
    ComInitScope com_{ComInitScope::Kind::Ole};
    TempFolder folder_;

    std::string MakeFile(const std::string& name) {
        const std::string path = folder_ / name;
        WriteBytes(path, "content");
        return path;
    }
    std::string MakeLink(const ShellLinkSpec& spec, const std::string& name = "link.lnk") {
        const std::string link = folder_ / name;
        EXPECT_TRUE(CreateShellLink(spec, link));
        return link;
    }
};

TEST_F(ShellLinkerTest, ReadsBackEveryFieldWrittenWithUnicodeNames) {
    ASSERT_TRUE(CreateDirectoryW(Widen(folder_ / kUnicode).c_str(), nullptr));
    ShellLinkSpec spec;
    spec.Path = MakeFile(kUnicode + ".exe");
    spec.WorkingDirectory = folder_ / kUnicode;
    spec.IconLocation = MakeFile(kUnicode + ".ico");
    spec.IconIndex = 3;
    spec.Arguments = "--name \"" + kUnicode + "\"";
    spec.Description = "Description " + kUnicode;
    spec.ShowCmd = SW_SHOWMAXIMIZED;
    spec.HotKey = MAKEWORD('T', HOTKEYF_CONTROL | HOTKEYF_ALT);
    const std::string link = MakeLink(spec, kUnicode + ".lnk");

    ShellLinkInfo info;
    ASSERT_TRUE(ReadShellLink(link, info));
    EXPECT_EQ(info.Path, spec.Path);
    EXPECT_TRUE(info.HasIDList);
    EXPECT_EQ(info.WorkingDirectory, spec.WorkingDirectory);
    EXPECT_EQ(info.Arguments, spec.Arguments);
    EXPECT_EQ(info.Description, spec.Description);
    EXPECT_EQ(info.IconLocation, spec.IconLocation);
    EXPECT_EQ(info.IconIndex, 3);
    EXPECT_EQ(info.HotKey, spec.HotKey);
    EXPECT_EQ(info.ShowState, 2);

    // Saving again replaces the file.
    spec.Description.clear();
    spec.ShowCmd = SW_SHOWNORMAL;
    ASSERT_TRUE(CreateShellLink(spec, link));
    ASSERT_TRUE(ReadShellLink(link, info));
    EXPECT_EQ(info.Description, "");
    EXPECT_EQ(info.ShowState, 0);
}

TEST_F(ShellLinkerTest, MinimizedShortcutReadsShowStateMinimized) {
    ShellLinkSpec spec;
    spec.Path = MakeFile("program.exe");
    spec.ShowCmd = SW_SHOWMINNOACTIVE;
    const std::string link = MakeLink(spec);
    ASSERT_EQ(static_cast<unsigned char>(ReadBytes(link).at(60)), SW_SHOWMINNOACTIVE);

    ShellLinkInfo info;
    ASSERT_TRUE(ReadShellLink(link, info));
    EXPECT_EQ(info.ShowState, 1);
}

TEST_F(ShellLinkerTest, FolderTargetWithoutIconReadsPathAsIconLocation) {
    ShellLinkSpec spec;
    spec.Path = folder_.Path();
    const std::string link = MakeLink(spec);

    ShellLinkInfo info;
    ASSERT_TRUE(ReadShellLink(link, info));
    EXPECT_EQ(info.Path, folder_.Path());
    EXPECT_EQ(info.IconLocation, folder_.Path());
}

TEST_F(ShellLinkerTest, RefusesFilesThatAreNoShortcutsWithLinkInformation) {
    ShellLinkSpec spec;
    spec.Path = MakeFile("program.exe");
    const std::string shortcut = ReadBytes(MakeLink(spec));
    ASSERT_GT(shortcut.size(), 76u);

    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {
        {"empty", ""},
        {"twenty bytes of a shortcut", shortcut.substr(0, 20)},
        {"header of a shortcut only", shortcut.substr(0, 76)},
        {"text", "This is no shortcut, though it is long enough to have a byte at offset twenty."},
    };
    for (const auto& c : cases) {
        const std::string path = folder_ / "broken.lnk";
        WriteBytes(path, c.bytes);
        ShellLinkInfo info;
        EXPECT_FALSE(ReadShellLink(path, info)) << c.name;
        EXPECT_FALSE(info.HasIDList) << c.name;
    }
    ShellLinkInfo untouched;
    untouched.Path = "kept";
    EXPECT_FALSE(ReadShellLink(folder_ / "missing.lnk", untouched));
    EXPECT_EQ(untouched.Path, "kept");
}

// The same shortcut without link information: the flag cleared and the
// LinkInfo block (after the header and the item ID list) removed.
std::string WithoutLinkInfo(std::string bytes) {
    const auto byteAt = [&](size_t offset) {
        return static_cast<size_t>(static_cast<unsigned char>(bytes.at(offset)));
    };
    size_t offset = 76;
    if (byteAt(20) & 0x01) offset += 2 + (byteAt(76) | byteAt(77) << 8);
    const size_t size = byteAt(offset) | byteAt(offset + 1) << 8 | byteAt(offset + 2) << 16 | byteAt(offset + 3) << 24;
    bytes.erase(offset, size);
    bytes[20] = static_cast<char>(byteAt(20) & ~0x02u);
    return bytes;
}

// The ShellLink object loads a shortcut without link information; the flag
// test must refuse it before the object is asked.
TEST_F(ShellLinkerTest, RefusesShortcutWithoutLinkInformationThatTheObjectWouldLoad) {
    ShellLinkSpec spec;
    spec.Path = MakeFile("program.exe");
    const std::string path = folder_ / "no-link-info.lnk";
    WriteBytes(path, WithoutLinkInfo(ReadBytes(MakeLink(spec))));

    const auto link = CreateComInstance<IShellLinkW>(CLSID_ShellLink);
    ASSERT_TRUE(link.query<IPersistFile>());
    ASSERT_HRESULT_SUCCEEDED(link.query<IPersistFile>()->Load(Widen(path).c_str(), STGM_READ));
    unique_cotaskmem<ITEMIDLIST> idList;
    ASSERT_HRESULT_SUCCEEDED(link->GetIDList(idList.put()));
    ASSERT_TRUE(idList);

    ShellLinkInfo info;
    info.Path = "kept";
    EXPECT_FALSE(ReadShellLink(path, info));
    EXPECT_EQ(info.Path, "kept");
}

// A thread without COM can read a shortcut, and finds COM uninitialised afterwards.
TEST_F(ShellLinkerTest, InitialisesAndBalancesComForTheCall) {
    ShellLinkSpec spec;
    spec.Path = MakeFile("program.exe");
    const std::string link = MakeLink(spec);

    bool read = false;
    HRESULT afterwards = E_FAIL;
    std::thread([&] {
        ShellLinkInfo info;
        read = ReadShellLink(link, info) && info.Path == spec.Path;
        afterwards = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(afterwards)) CoUninitialize();
    }).join();
    EXPECT_TRUE(read);
    EXPECT_EQ(afterwards, S_OK);  // S_FALSE would mean a CoInitialize left unbalanced
}

TEST_F(ShellLinkerTest, DeletedTargetStillReads) {
    ShellLinkSpec spec;
    spec.Path = MakeFile("deleted.exe");
    const std::string link = MakeLink(spec);
    ASSERT_TRUE(DeleteFileW(Widen(spec.Path).c_str()));

    ShellLinkInfo info;
    ASSERT_TRUE(ReadShellLink(link, info));
    EXPECT_EQ(info.Path, spec.Path);
}

}  // namespace
}  // namespace tavrin
