// The shell services of the stores and the launcher, as Windows gives them.
#pragma once

#include <windows.h>

#include "storage/Shell.h"

namespace tavrin {

class Win32Shell : public IShell {
public:
    // applicationWindow owns the starts that belong to the application; it may
    // be set later, once the program's window exists.
    explicit Win32Shell(HWND applicationWindow = nullptr) noexcept : applicationWindow_(applicationWindow) {}
    void SetApplicationWindow(HWND applicationWindow) noexcept { applicationWindow_ = applicationWindow; }

    bool ReadShellLink(const std::string& fileName, ShellLinkInfo& info) override;
    std::string GetCanonicalPath(const std::string& path) override;
    ShellFileInfo GetFileInfo(const std::string& path) override;
    [[nodiscard]] bool Execute(const ExecuteRequest& request) noexcept override;

private:
    HWND applicationWindow_;
};

}  // namespace tavrin
