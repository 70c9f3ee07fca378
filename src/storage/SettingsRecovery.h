// What start-up does about the settings file before the stores load it: a file
// that is missing or does not read is put back from the newest complete copy
// of it, and copies that a newer file has made useless are removed.
#pragma once

#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "storage/Clock.h"
#include "storage/UserPrompt.h"
#include "xml/FileSystem.h"

namespace tavrin {

class SettingsRecovery {
public:
    // otherUsersFiles: the settings files of the other users of the folder.
    // Wine's "rf*.tmp" files do not tell whose file they held, so while there
    // are others they are never taken for this user's.
    SettingsRecovery(IFileSystem& fs, std::string settingsFile, std::vector<std::string> otherUsersFiles);

    // Puts back the newest complete copy of a settings file that is missing or
    // is no readable settings document, and says which copy it was. Without a
    // copy a missing file is left to the store, which writes the defaults, and
    // a file that does not read is reported by throwing (XmlError, or
    // FileError for another kind of document) with nothing written.
    void Recover(IClock& clock, IUserMessages& messages);

    // Removes the temporary files of saves into the settings file's folder,
    // and Wine's "rf*.tmp" copies of settings files, that hold nothing the
    // file they belong to lacks. Files written from startedAt on are left:
    // they may belong to a save under way in another copy of Tavrin.
    void RemoveSupersededCopies(FileTime startedAt);

private:
    struct Copy {
        std::string path;
        std::string bytes;
    };
    [[nodiscard]] std::exception_ptr ReadingFault();
    [[nodiscard]] std::vector<std::string> CopyPaths();
    [[nodiscard]] std::optional<Copy> NewestCompleteCopy();

    IFileSystem& fs_;
    std::string settingsFile_;
    std::string folder_;
    std::vector<std::string> otherUsersFiles_;
};

}  // namespace tavrin
