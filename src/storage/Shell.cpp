#include "storage/Shell.h"

#include <utility>

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

ExecuteRequest OpenRequest(std::string file, std::optional<std::string> parameters,
                           std::optional<std::string> directory, int showCommand) {
    return {.owner = ExecuteOwner::Application,
            .verb = "open",
            .file = std::move(file),
            .parameters = std::move(parameters),
            .directory = std::move(directory),
            .showCommand = showCommand};
}

ExecuteRequest ExploreRequest(std::string folder, int showCommand) {
    return {.owner = ExecuteOwner::Desktop,
            .verb = "explore",
            .file = std::move(folder),
            .parameters = "",
            .directory = "",
            .showCommand = showCommand};
}

// The shortcut's own arguments and working folder are not passed: the shell
// starts the target as the shortcut would from the folder ".".
bool OpenLinkTarget(IShell& shell, const std::string& linkFile, const std::optional<std::string>& verb, bool restore) {
    ShellLinkInfo info;
    (void)shell.ReadShellLink(linkFile, info);
    return shell.Execute({.owner = ExecuteOwner::Application,
                          .verb = verb,
                          .file = info.Path.empty() ? linkFile : info.Path,
                          .parameters = std::nullopt,
                          .directory = ".",
                          .showCommand = restore ? kShowRestore : ShowCommandFromShowState(info.ShowState)});
}

void ExploreFolderOf(IShell& shell, IFileSystem& fs, const std::string& path) {
    (void)shell.Execute(ExploreRequest(fs.DirectoryExists(path) ? path : ExtractFileDir(path)));
}

}  // namespace tavrin
