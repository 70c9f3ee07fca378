// Starting the current button through the shell and counting the start, and
// opening the folder of its command.
#include <exception>

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
    try {
        if (isFile) {
            OpenCommandFile();
        } else {
            ExecuteRequest request;
            request.owner = ExecuteOwner::Desktop;
            request.verb = "explore";
            request.file = current_.Command;
            request.parameters = "";
            request.directory = "";
            request.showCommand = ShowCommandOfWindowStyle(current_.WindowStyle);
            (void)services_.shell.Execute(request);
        }
    } catch (const std::exception&) {
        // Counted all the same, as a start the shell refused would be.
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
// working folder, and only ".lnk" is opened as a shortcut.
// The filled-in working folder stays in memory; it is not written back.
void ButtonStore::OpenCommandFile() {
    const std::string extension = ExtractFileExt(current_.Command);
    if (extension == ".lnk") {
        OpenShortcut(services_.shell, current_.Command);
        return;
    }
    if (extension == ".exe" && current_.WorkingDir.empty()) current_.WorkingDir = ExtractFileDir(current_.Command);
    ExecuteRequest request;
    request.owner = ExecuteOwner::Application;
    request.verb = "open";
    request.file = current_.Command;
    request.parameters = current_.Parameters;
    request.directory = current_.WorkingDir;
    request.showCommand = ShowCommandOfWindowStyle(current_.WindowStyle);
    (void)services_.shell.Execute(request);
}

}  // namespace tavrin
