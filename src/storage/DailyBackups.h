// The automatic backups of a settings file: the first save of each day keeps
// the file as it was before that save in the "Backups" folder beside it, as
// "<name without extension>-yyyymmdd.xml", and only the newest ten of them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "storage/Clock.h"
#include "xml/FileSystem.h"
#include "xml/XmlDocumentFile.h"

namespace tavrin {

// The backups folder for the settings files of the folder of settingsFile,
// with its trailing separator.
[[nodiscard]] std::string BackupFolderOf(const std::string& settingsFile);
// The name (without folder) of the backup of settingsFile made on day.
[[nodiscard]] std::string DailyBackupName(const std::string& settingsFile, const LocalDate& day);
// The full paths of the backups of settingsFile that exist, oldest day first.
[[nodiscard]] std::vector<std::string> DailyBackupsOf(IFileSystem& fs, const std::string& settingsFile);

class DailyBackups {
public:
    static constexpr std::size_t kKept = 10;
    // Told why a backup could not be kept; the save goes on all the same.
    using Trace = std::function<void(const std::string&)>;

    // Takes part in every save of the settings file until it goes.
    DailyBackups(XmlDocumentFile& settingsFile, IClock& clock, Trace trace);
    ~DailyBackups();
    DailyBackups(const DailyBackups&) = delete;
    DailyBackups& operator=(const DailyBackups&) = delete;

    // Keeps today's backup of the file as it is now, unless there is one.
    void BeforeSave() noexcept;

private:
    void RemoveOldest();

    XmlDocumentFile& file_;
    IClock& clock_;
    Trace trace_;
    LocalDate keptOn_;  // the day whose backup is known to be there
};

}  // namespace tavrin
