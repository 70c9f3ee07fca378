// Starting the current button through the shell and counting the start, and
// opening the folder of its command.
#include "storage/ButtonStore.h"
#include "storage/PathNames.h"

namespace tavrin {

void ButtonStore::Launch() {
    if (StartCurrent()) CountCurrentStart();
}

// Only a launch button whose command exists is started and counted; the
// shell's answer does not matter, and a start that fails is not reported.
bool ButtonStore::StartCurrent() {
    if (current_.IsEmpty() || current_.BtnStyle != kLaunchButton) return false;
    const bool isFile = services_.fs.FileExists(current_.Command);
    if (!isFile && !services_.fs.DirectoryExists(current_.Command)) return false;
    if (isFile) {
        OpenCommandFile();
    } else {
        (void)services_.shell.Execute(ExploreRequest(current_.Command, ShowCommandOfWindowStyle(current_.WindowStyle)));
    }
    return true;
}

void ButtonStore::CountCurrentStart() {
    CountStart(current_, services_.clock.Today());
    WriteStatistics(current_.ID);
}

// A command that is a folder is opened itself, anything else in its folder.
void ButtonStore::ExploreCommandFolder() { ExploreFolderOf(services_.shell, services_.fs, current_.Command); }

// The extension is compared with exact case: only ".exe" gets its folder as
// working folder, and only ".lnk" is opened through the shortcut's target.
// The filled-in working folder stays in memory; it is not written back.
void ButtonStore::OpenCommandFile() {
    if (IsShortcutFileName(current_.Command, LetterCase::Exact)) {
        (void)OpenLinkTarget(services_.shell, current_.Command);
        return;
    }
    if (ExtractFileExt(current_.Command) == ".exe" && current_.WorkingDir.empty())
        current_.WorkingDir = ExtractFileDir(current_.Command);
    (void)services_.shell.Execute(OpenRequest(current_.Command, current_.Parameters, current_.WorkingDir,
                                              ShowCommandOfWindowStyle(current_.WindowStyle)));
}

}  // namespace tavrin
