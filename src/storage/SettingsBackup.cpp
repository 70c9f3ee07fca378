#include "storage/SettingsBackup.h"

#include <cstdio>

#include "storage/PathNames.h"

namespace tavrin {

std::string BackupFileName(const LocalDate& today) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02d%02d", today.year, today.month, today.day);
    return std::string("Tavrin Config(") + date + ").xml";
}

bool BackupSettings(IFileSystem& fs, IUserPrompt& prompt, ISettingsFileDialogs& dialogs, const AppConfig& config,
                    const std::string& settingsFileName, const LocalDate& today) {
    const std::optional<std::string> target = dialogs.ChooseSaveFile(config.ProgramFolder(), BackupFileName(today));
    if (!target) return false;
    if (fs.FileExists(*target) && !prompt.AskYesNo("Replace the exists xml file:\r\n\r\n" + *target)) return false;
    return CopyFileAtomically(fs, settingsFileName, *target);
}

// Only a name is recorded, and the next start restores the file of that name
// in the program's folder: so the file must be there, and be a settings
// document other than the files in use, however its name is spelled.
void RestoreSettings(IFileSystem& fs, ISettingsFileDialogs& dialogs, AppConfig& config,
                     const std::string& settingsFileName) {
    const std::optional<std::string> source = dialogs.ChooseOpenFile(config.ProgramFolder());
    if (!source) return;
    if (SameFile(fs, *source, config.ConfigFileName()) || SameFile(fs, *source, settingsFileName)) {
        dialogs.ShowMessage("Can't restore from current  xml config file, please choose again.");
        return;
    }
    if (!fs.FileExists(*source)) return;
    const std::string name = ExtractFileName(*source);
    if (!SameFile(fs, *source, config.ProgramFolder() + name)) {
        dialogs.ShowMessage("Can't restore from a file outside Tavrin's folder; please copy it to \"" +
                            config.ProgramFolder() + "\" and choose it there.");
        return;
    }
    if (const RestoreSource read = ReadRestoreSource(fs, *source); !read.bytes) {
        dialogs.ShowMessage(read.refusal + "\r\nPlease choose again.");
        return;
    }
    config.RequestRestore(name);
    dialogs.ShowMessage("Restore Config done, please exit and run Tavrin again.");
}

}  // namespace tavrin
