// Starts tavrin.exe from a program folder of its own and drives it from
// outside, as a user's desktop would: by window class, caption and messages.
#pragma once

#include <windows.h>

#include <string>

#include "support/TempFolder.h"
#include "win32/UniqueResource.h"

namespace tavrin::testing {

// Path of the tavrin.exe that the build made; set by main from the command line.
extern std::string g_builtProgram;

class ProgramUnderTest {
public:
    // Copies the program into folder unless it is there already, so that two
    // objects of one folder start the same program file; nothing is started yet.
    explicit ProgramUnderTest(const TempFolder& folder);
    ~ProgramUnderTest();

    [[nodiscard]] std::string ProgramPath() const { return programPath_; }
    // Starts the program with another folder as its current folder; a second
    // call starts it again once the first process has ended.
    void Start();
    [[nodiscard]] DWORD ProcessId() const noexcept { return processId_; }
    // The visible top-level window of the program's process with this class and caption, waiting for it.
    [[nodiscard]] HWND WaitForWindow(const wchar_t* windowClass, const wchar_t* caption, DWORD timeoutMs = 30000) const;
    // The text of a message box the process shows now, for the report of a test
    // that waited for another window in vain; empty when it shows none.
    [[nodiscard]] std::string MessageBoxText() const;
    // Waits for the process to end; its exit code, or STILL_ACTIVE after the timeout.
    [[nodiscard]] DWORD WaitForExit(DWORD timeoutMs = 30000) const;

private:
    std::string programPath_;
    unique_handle process_;
    DWORD processId_ = 0;
};

}  // namespace tavrin::testing
