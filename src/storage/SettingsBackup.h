// Backup of the settings file to a file the user chooses, and a restore that
// is recorded now and applied at the next start, before anything is loaded.
#pragma once

#include <optional>
#include <string>

#include "storage/AppConfig.h"
#include "storage/Clock.h"
#include "storage/UserPrompt.h"
#include "xml/FileSystem.h"

namespace tavrin {

// The file dialogs and plain messages of backup and restore. Both dialogs
// start in initialFolder and offer "Xml file (*.xml)|*.xml".
class ISettingsFileDialogs : public IUserMessages {
public:
    // The chosen full path, or nothing when the dialog was cancelled.
    [[nodiscard]] virtual std::optional<std::string> ChooseSaveFile(const std::string& initialFolder,
                                                                    const std::string& proposedName) = 0;
    [[nodiscard]] virtual std::optional<std::string> ChooseOpenFile(const std::string& initialFolder) = 0;
};

// "Tavrin Config(yyyymmdd).xml" for the given day.
[[nodiscard]] std::string BackupFileName(const LocalDate& today);

// Copies the settings file to a file the user chooses, asking before it
// replaces one. True when the copy was made; it shows no message of its own.
[[nodiscard]] bool BackupSettings(IFileSystem& fs, IUserPrompt& prompt, ISettingsFileDialogs& dialogs,
                                  const AppConfig& config, const std::string& settingsFileName, const LocalDate& today);

// Records a file the user chooses to be copied over the settings file at the
// next start. Refused, with a message: the configuration file and the
// settings file themselves, a file outside the program's folder, and a file
// that is not a settings document.
void RestoreSettings(IFileSystem& fs, ISettingsFileDialogs& dialogs, AppConfig& config,
                     const std::string& settingsFileName);

}  // namespace tavrin
