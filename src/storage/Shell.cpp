#include "storage/Shell.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "storage/PathNames.h"
#include "xml/AsciiCase.h"

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

// A shortcut is opened as a file of its own: the shell starts its target with
// the arguments and working folder that the shortcut holds, which a start of
// the target alone would lose. Its show state is handed over as well, since
// not every shell takes it from the shortcut. A shell that refuses the
// shortcut (Wine's, for a target whose path is not ASCII) has its target
// started with what the shortcut holds instead.
void OpenShortcut(IShell& shell, const std::string& linkFile) {
    ShellLinkInfo info;
    (void)shell.ReadShellLink(linkFile, info);
    const int showCommand = ShowCommandFromShowState(info.ShowState);
    if (shell.Execute(OpenRequest(linkFile, std::nullopt, std::nullopt, showCommand)) || info.Path.empty()) return;
    (void)shell.Execute(OpenRequest(info.Path, info.Arguments, info.WorkingDirectory, showCommand));
}

void ExploreFolderOf(IShell& shell, IFileSystem& fs, const std::string& path) {
    (void)shell.Execute(ExploreRequest(fs.DirectoryExists(path) ? path : ExtractFileDir(path)));
}

ShellFileInfo ShellFileInfoCache::Get(const std::string& path) {
    static constexpr std::array<std::string_view, 9> kOwnIcons{".exe", ".ico", ".cur", ".ani", ".lnk",
                                                               ".url", ".pif", ".scr", ".cpl"};
    std::string extension = ExtractFileExt(path);
    std::transform(extension.begin(), extension.end(), extension.begin(), AsciiLower);
    const bool sharedByType = !extension.empty() && fs_.FileExists(path) &&
                              std::find(kOwnIcons.begin(), kOwnIcons.end(), extension) == kOwnIcons.end();
    std::map<std::string, ShellFileInfo>& known = sharedByType ? byExtension_ : byPath_;
    const std::string& key = sharedByType ? extension : path;
    auto found = known.find(key);
    if (found == known.end()) found = known.emplace(key, shell_.GetFileInfo(path)).first;
    return found->second;
}

}  // namespace tavrin
