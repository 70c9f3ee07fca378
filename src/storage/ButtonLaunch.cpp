// Starting a launch button through the shell and counting the start, and
// opening the folder of its command.
#include "storage/ButtonStore.h"
#include "storage/PathNames.h"

namespace tavrin {

void ButtonStore::Launch(int id) {
    const std::optional<ButtonRecord> button = Load(id);
    if (button && Start(*button)) (void)CountStart(id);
}

namespace {

bool FileOrFolderExists(IFileSystem& fs, const std::string& path) {
    return fs.FileExists(path) || fs.DirectoryExists(path);
}

}  // namespace

// A shortcut that the shell cannot read as one to a file (one to a Control
// Panel item, say) is not looked into: its target may be anything.
bool ButtonStore::TargetMissing(const ButtonRecord& record) {
    return record.IsLaunchButton() && CommandTargetMissing(record.Command);
}

bool ButtonStore::CommandTargetMissing(const std::string& command) {
    if (command.empty()) return false;
    if (!FileOrFolderExists(services_.fs, command)) return true;
    ShellLinkInfo link;
    return IsShortcutFileName(command) && services_.shell.ReadShellLink(command, link) && !link.Path.empty() &&
           !FileOrFolderExists(services_.fs, link.Path);
}

// Only a launch button whose target exists is started and counted: a
// shortcut whose target is gone starts nothing, as a missing command does.
// The shell's answer does not matter, and a start that fails is not reported.
bool ButtonStore::Start(const ButtonRecord& record) {
    if (!record.IsLaunchButton() || TargetMissing(record)) return false;
    const bool isFile = services_.fs.FileExists(record.Command);
    if (!isFile && !services_.fs.DirectoryExists(record.Command)) return false;
    if (isFile) {
        OpenCommandFile(record);
    } else {
        (void)services_.shell.Execute(ExploreRequest(record.Command, ShowCommandOfWindowStyle(record.WindowStyle)));
    }
    return true;
}

// A command that is a folder is opened itself, anything else in its folder.
void ButtonStore::ExploreCommandFolder(const std::string& command) {
    ExploreFolderOf(services_.shell, services_.fs, command);
}

// The extension is compared with exact case: only ".exe" gets its folder as
// working folder, and only ".lnk" is opened as a shortcut.
// The filled-in working folder is not written back.
void ButtonStore::OpenCommandFile(const ButtonRecord& record) {
    if (IsShortcutFileName(record.Command, LetterCase::Exact)) {
        OpenShortcut(services_.shell, record.Command);
        return;
    }
    const bool ownFolder = ExtractFileExt(record.Command) == ".exe" && record.WorkingDir.empty();
    (void)services_.shell.Execute(OpenRequest(record.Command, record.Parameters,
                                              ownFolder ? ExtractFileDir(record.Command) : record.WorkingDir,
                                              ShowCommandOfWindowStyle(record.WindowStyle)));
}

}  // namespace tavrin
