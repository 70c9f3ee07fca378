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

void RestoreSettings(IFileSystem& fs, ISettingsFileDialogs& dialogs, AppConfig& config,
                     const std::string& settingsFileName) {
    const std::optional<std::string> source = dialogs.ChooseOpenFile(config.ProgramFolder());
    if (!source) return;
    if (*source == config.ConfigFileName() || *source == settingsFileName) {
        dialogs.ShowMessage("Can't restore from current  xml config file, please choose again.");
        return;
    }
    if (!fs.FileExists(*source)) return;
    config.RequestRestore(ExtractFileName(*source));
    dialogs.ShowMessage("Restore Config done, please exit and run Tavrin again.");
}

}  // namespace tavrin
