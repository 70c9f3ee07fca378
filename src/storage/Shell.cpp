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

// A shortcut is opened as a file of its own: the shell starts its target with
// the arguments and working folder that the shortcut holds, which a start of
// the target alone would lose. Its show state is handed over as well, since
// not every shell takes it from the shortcut. A shell that refuses the
// shortcut (Wine's, for a target whose path is not ASCII) has its target
// started with what the shortcut holds instead.
void OpenShortcut(IShell& shell, const std::string& linkFile) {
    ShellLinkInfo info;
    (void)shell.ReadShellLink(linkFile, info);
    ExecuteRequest request;
    request.owner = ExecuteOwner::Application;
    request.verb = "open";
    request.file = linkFile;
    request.showCommand = ShowCommandFromShowState(info.ShowState);
    if (shell.Execute(request) > 32 || info.Path.empty()) return;
    request.file = info.Path;
    request.parameters = info.Arguments;
    request.directory = info.WorkingDirectory;
    (void)shell.Execute(request);
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
