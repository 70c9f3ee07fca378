#include "shell/Win32Shell.h"

#include <shellapi.h>

#include "shell/ShellExecute.h"
#include "shell/ShellLinker.h"
#include "shell/ShellPaths.h"
#include "win32/Utf16.h"

namespace tavrin {

bool Win32Shell::ReadShellLink(const std::string& fileName, ShellLinkInfo& info) {
    return tavrin::ReadShellLink(fileName, info);
}

std::string Win32Shell::GetCanonicalPath(const std::string& path) { return tavrin::GetCanonicalPath(path); }

ShellFileInfo Win32Shell::GetFileInfo(const std::string& path) {
    SHFILEINFOW fileInfo{};
    if (!SHGetFileInfoW(Widen(path).c_str(), 0, &fileInfo, sizeof fileInfo, SHGFI_SYSICONINDEX | SHGFI_TYPENAME)) {
        return ShellFileInfo{};
    }
    return ShellFileInfo{Narrow(fileInfo.szTypeName), fileInfo.iIcon};
}

bool Win32Shell::Execute(const ExecuteRequest& request) noexcept {
    return ExecuteShellRequest(request, applicationWindow_);
}

}  // namespace tavrin
