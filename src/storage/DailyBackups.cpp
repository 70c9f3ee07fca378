#include "storage/DailyBackups.h"

#include <algorithm>
#include <cstdio>

#include "storage/PathNames.h"

namespace tavrin {
namespace {

constexpr std::string_view kDateDigits = "yyyymmdd";
constexpr std::string_view kExtension = ".xml";

std::string BackupStem(const std::string& settingsFile) { return ChangeFileExt(ExtractFileName(settingsFile), ""); }

// "<stem>-", eight digits and ".xml": another user's stem that begins with
// this one ("TV_ann-x" beside "TV_ann") never passes for it.
bool IsBackupNamed(std::string_view name, std::string_view stem) {
    if (name.size() != stem.size() + 1 + kDateDigits.size() + kExtension.size() ||
        !SameFileName(name.substr(0, stem.size()), stem) || name[stem.size()] != '-' ||
        !SameFileName(name.substr(name.size() - kExtension.size()), kExtension)) {
        return false;
    }
    const std::string_view date = name.substr(stem.size() + 1, kDateDigits.size());
    return std::all_of(date.begin(), date.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string BackupFolderOf(const std::string& settingsFile) {
    const std::string folder = ExtractFilePath(settingsFile);
    return folder + "Backups" + (folder.empty() ? '\\' : folder.back());
}

std::string DailyBackupName(const std::string& settingsFile, const LocalDate& day) {
    char date[16];
    std::snprintf(date, sizeof date, "%04d%02d%02d", day.year, day.month, day.day);
    return BackupStem(settingsFile) + "-" + date + std::string(kExtension);
}

std::vector<std::string> DailyBackupsOf(IFileSystem& fs, const std::string& settingsFile) {
    const std::string folder = BackupFolderOf(settingsFile);
    const std::string stem = BackupStem(settingsFile);
    std::vector<std::string> names = fs.ListFiles(folder, stem + "-*" + std::string(kExtension));
    std::erase_if(names, [&](const std::string& name) { return !IsBackupNamed(name, stem); });
    // The stem's letter case may differ from name to name; the dates sort alike.
    std::sort(names.begin(), names.end(), [&](const std::string& a, const std::string& b) {
        return a.substr(stem.size()) < b.substr(stem.size());
    });
    for (std::string& name : names) name.insert(0, folder);
    return names;
}

DailyBackups::DailyBackups(XmlDocumentFile& settingsFile, IClock& clock, Trace trace)
    : file_(settingsFile), clock_(clock), trace_(std::move(trace)) {
    file_.SetBeforeReplace([this] { BeforeSave(); });
}

DailyBackups::~DailyBackups() { file_.SetBeforeReplace({}); }

// The day's backup is the file as the day found it, so a backup made by an
// earlier run of the day stays. Until the file exists there is nothing to keep,
// and the next save tries again.
void DailyBackups::BeforeSave() noexcept {
    try {
        const LocalDate today = clock_.Today();
        if (today == keptOn_) return;
        IFileSystem& fs = file_.FileSystem();
        const std::string folder = BackupFolderOf(file_.Path());
        const std::string backup = folder + DailyBackupName(file_.Path(), today);
        if (!fs.FileExists(backup)) {
            if (!fs.FileExists(file_.Path())) return;
            fs.CreateFolder(folder);
            SaveFileAtomically(fs, backup, fs.ReadFile(file_.Path()));
            RemoveOldest();
        }
        keptOn_ = today;
    } catch (const std::exception& error) {
        if (trace_) trace_(std::string("The daily backup of the settings was not kept: ") + error.what());
    }
}

void DailyBackups::RemoveOldest() {
    const std::vector<std::string> backups = DailyBackupsOf(file_.FileSystem(), file_.Path());
    for (std::size_t index = 0; index + kKept < backups.size(); ++index) file_.FileSystem().RemoveFile(backups[index]);
}

}  // namespace tavrin
