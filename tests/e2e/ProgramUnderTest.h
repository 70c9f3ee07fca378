// Starts tavrin.exe from a program folder of its own and drives it from
// outside, as a user's desktop would: by window class, caption and messages.
#pragma once

#include <windows.h>

#include <string>

#include "shell/UniqueResource.h"
#include "support/TempFolder.h"

namespace tavrin::testing {

// Path of the tavrin.exe that the build made; set by main from the command line.
extern std::string g_builtProgram;

class ProgramUnderTest {
public:
    // Copies the program into folder; nothing is started yet.
    explicit ProgramUnderTest(const TempFolder& folder);
    ~ProgramUnderTest();

    [[nodiscard]] std::string ProgramPath() const { return programPath_; }
    // Starts the program with another folder as its current folder.
    void Start();
    // The top-level window of the program's process with this class and caption, waiting for it.
    [[nodiscard]] HWND WaitForWindow(const wchar_t* windowClass, const wchar_t* caption, DWORD timeoutMs = 30000) const;
    // Waits for the process to end; its exit code, or STILL_ACTIVE after the timeout.
    [[nodiscard]] DWORD WaitForExit(DWORD timeoutMs = 30000) const;

private:
    std::string programPath_;
    unique_handle process_;
    DWORD processId_ = 0;
};

}  // namespace tavrin::testing
