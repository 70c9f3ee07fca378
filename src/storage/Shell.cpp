#include "storage/Shell.h"

#include "storage/PathNames.h"

namespace tavrin {

std::uint8_t ShowStateFromShowCommand(int showCommand) noexcept {
    switch (showCommand) {
        case kShowMinimized:
        case kShowMinNoActive:
            return 1;
        case kShowMaximized:
            return 2;
        default:
            return 0;
    }
}

int ShowCommandFromShowState(std::uint8_t showState) noexcept {
    switch (showState) {
        case 1:
            return kShowMinNoActive;
        case 2:
            return kShowMaximized;
        default:
            return kShowNormal;
    }
}

int ShowCommandOfWindowStyle(int windowStyle) noexcept {
    return windowStyle >= kShowHide && windowStyle <= kShowForceMinimize ? windowStyle : kShowNormal;
}

// The shortcut's own arguments and working folder are not passed: the shell
// starts the target as the shortcut would from the folder ".".
bool OpenLinkTarget(IShell& shell, const std::string& linkFile, const std::optional<std::string>& verb, bool restore) {
    ShellLinkInfo info;
    (void)shell.ReadShellLink(linkFile, info);
    ExecuteRequest request;
    request.owner = ExecuteOwner::Application;
    request.verb = verb;
    request.file = info.Path.empty() ? linkFile : info.Path;
    request.directory = ".";
    request.showCommand = restore ? kShowRestore : ShowCommandFromShowState(info.ShowState);
    return shell.Execute(request) > 32;
}

void ExploreFolderOf(IShell& shell, IFileSystem& fs, const std::string& path) {
    ExecuteRequest request;
    request.owner = ExecuteOwner::Desktop;
    request.verb = "explore";
    request.file = fs.DirectoryExists(path) ? path : ExtractFileDir(path);
    request.parameters = "";
    request.directory = "";
    request.showCommand = kShowNormal;
    (void)shell.Execute(request);
}

}  // namespace tavrin
