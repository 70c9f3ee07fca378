#include "shell/ShellExecute.h"

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "support/TempFolder.h"
#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

// The program tavrin_test_child.exe, which writes a marker file and ends.
const std::string kChild = [] {
    std::string path = TAVRIN_TEST_CHILD;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}();
const std::string kUnicode =
    "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x9A\x80";

// The marker's content once the child has written it; empty after the time-out.
std::string WaitForMarker(const std::string& marker) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < deadline) {
        if (GetFileAttributesW(Widen(marker).c_str()) != INVALID_FILE_ATTRIBUTES) return ReadBytes(marker);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
}

class ShellExecuteTest : public ::testing::Test {
protected:
    ComInitScope com_{ComInitScope::Kind::Ole};
    TempFolder folder_;
};

TEST_F(ShellExecuteTest, OpensAProgramWithUnicodeParametersInItsWorkingFolder) {
    const std::string workingFolder = folder_ / kUnicode;
    ASSERT_TRUE(CreateDirectoryW(Widen(workingFolder).c_str(), nullptr));
    const std::string marker = folder_ / "marker.txt";
    const ExecuteRequest request =
        OpenRequest(kChild, "\"" + marker + "\" \"" + kUnicode + "\" plain", workingFolder, SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(ExecuteShellRequest(request, nullptr));
    EXPECT_EQ(WaitForMarker(marker), "cwd=" + workingFolder + "\nshow=7\narg=" + kUnicode + "\narg=plain\n");
}

TEST_F(ShellExecuteTest, MissingFileIsRefused) {
    ExecuteRequest request;
    request.verb = "open";
    request.file = folder_ / "missing.exe";
    EXPECT_FALSE(ExecuteShellRequest(request, nullptr));
    request.owner = ExecuteOwner::Desktop;
    request.verb.reset();
    EXPECT_FALSE(ExecuteShellRequest(request, nullptr));
}

}  // namespace
}  // namespace tavrin
