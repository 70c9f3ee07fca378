// The configuration file beside the executable: which settings file in the
// program's folder belongs to which Windows user, and a pending restore.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "storage/Environment.h"
#include "storage/UserPrompt.h"
#include "xml/FileSystem.h"
#include "xml/XmlTree.h"

namespace tavrin {

// The configuration file of a program: its own path with the extension ".xml".
[[nodiscard]] std::string ConfigFileNameFor(const std::string& executablePath);
// The settings file name of a user: "TV_" + user name + ".xml".
[[nodiscard]] std::string SettingsFileNameFor(const std::string& userName);

// What a file offered for a restore holds: its bytes when it reads as a
// settings document, else why it cannot be restored from.
struct RestoreSource {
    std::optional<std::string> bytes;
    std::string refusal;
};
[[nodiscard]] RestoreSource ReadRestoreSource(IFileSystem& fs, const std::string& path);

class AppConfig {
public:
    // Reads the user name once; every operation loads the file afresh. A
    // pending restore that is not made is explained through messages.
    AppConfig(IFileSystem& fs, IEnvironment& environment, IUserMessages& messages);

    [[nodiscard]] const std::string& UserName() const noexcept { return userName_; }
    [[nodiscard]] const std::string& ConfigFileName() const noexcept { return configFileName_; }
    [[nodiscard]] const std::string& ProgramFolder() const noexcept { return programFolder_; }
    [[nodiscard]] const std::string& RestoreXml() const noexcept { return restoreXml_; }
    // The full paths of the settings files of the other users of the program's
    // folder, as SelectSettingsFile found their entries.
    [[nodiscard]] const std::vector<std::string>& OtherUsersSettingsFiles() const noexcept {
        return otherUsersSettingsFiles_;
    }

    // Creates the file with this user's entry when it does not exist.
    void EnsureConfigFile();
    // Finds or adds the user's entry, applies a pending restore, and returns
    // the full path of the user's settings file. An entry whose "CurXml"
    // names no settings file of the program's folder (empty, a path, a
    // device, the program, the configuration file, a document of another
    // kind) gets the user's own settings file name, as a new entry does.
    [[nodiscard]] std::string SelectSettingsFile();
    // Records name (a file in the program's folder) to be copied over the
    // user's settings file at the next start.
    void RequestRestore(const std::string& name);

private:
    // What became of a pending restore: still pending, dropped with nothing
    // to restore, or restored (now or at an earlier start).
    enum class RestoreOutcome { Pending, Dropped, Restored };

    IXmlElement LoadUserConfig();
    IXmlElement AddUserItem(const IXmlElement& userConfig, const std::string& currentXml,
                            const std::string& restoreXml);
    [[nodiscard]] bool NamesSettingsFile(const std::string& name);
    [[nodiscard]] std::vector<std::string> ListOtherUsersSettingsFiles(const IXmlElement& userConfig);
    [[nodiscard]] RestoreOutcome ApplyPendingRestore();
    // Saves the entry whose restore request is done with; false, telling the
    // user, when the file cannot be written.
    [[nodiscard]] bool SaveClearedRestore(RestoreOutcome restore);
    // Saves the document over the file as it was read, refusing (FileChangedError)
    // when another program changed the file meanwhile.
    void Save();

    IFileSystem& fs_;
    IUserMessages& messages_;
    std::string userName_;
    std::string executablePath_;
    std::string configFileName_;
    std::string programFolder_;
    std::string currentXml_;
    std::string restoreXml_;
    std::vector<std::string> otherUsersSettingsFiles_;
    IXmlDocument document_;
    std::optional<std::string> readBytes_;  // what the file held when document_ was read; none: no file
};

}  // namespace tavrin
