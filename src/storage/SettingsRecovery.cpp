#include "storage/SettingsRecovery.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <utility>

#include "storage/AppConfig.h"
#include "storage/AppSettings.h"
#include "storage/DailyBackups.h"
#include "storage/PathNames.h"
#include "xml/XmlDocumentFile.h"
#include "xml/XmlError.h"

namespace tavrin {
namespace {

// The names Wine's replacement of a file gives the old file it moves aside.
constexpr std::string_view kWineCopies = "rf*.tmp";

// Beside the settings file: "<name>.damaged-yyyymmdd-hhmmss.xml".
std::string DamagedFileName(const std::string& settingsFile, const LocalDateTime& now) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d-%02d%02d%02d", now.date.year, now.date.month, now.date.day,
                  now.hour, now.minute, now.second);
    return ChangeFileExt(settingsFile, "") + ".damaged-" + stamp + ".xml";
}

std::string MessageOf(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& caught) {
        return caught.what();
    }
}

// A file as a copy of another: its bytes, when it was written, and the name
// of its root element when it reads as a document.
struct Content {
    std::string bytes;
    FileTime written;
    std::optional<std::string> root;
};

std::optional<Content> ReadContent(IFileSystem& fs, const std::string& path) {
    Content content;
    try {
        const std::optional<FileTime> written = fs.LastWriteTime(path);
        if (!written) return std::nullopt;
        content.written = *written;
        content.bytes = fs.ReadFile(path);
    } catch (const FileError&) {
        return std::nullopt;
    }
    try {
        XmlDocument document;
        document.LoadFromText(content.bytes, path, [&fs](std::string_view ansi) { return fs.AnsiToUtf8(ansi); });
        if (const IXmlElement root = document.RootElement()) content.root = root->Name();
    } catch (const XmlError&) {
    }
    return content;
}

// The file holds all the copy holds: the same bytes, or it reads as a
// document of the copy's kind (any, for a copy cut off while writing) and was
// written later.
bool Supersedes(const std::optional<Content>& file, const Content& copy) {
    return file && (file->bytes == copy.bytes ||
                    (file->root && (!copy.root || copy.root == file->root) && copy.written < file->written));
}

// A copy Wine's replacement left does not tell whose file it held: it goes
// when it holds the bytes of one of the folder's settings files, or when it
// is a document that every one of them supersedes. Anything else is not ours.
bool IsSupersededWineCopy(IFileSystem& fs, const Content& copy, const std::vector<std::string>& settingsFiles) {
    std::vector<std::optional<Content>> files;
    for (const std::string& path : settingsFiles) files.push_back(ReadContent(fs, path));
    const auto holdsBytes = [&](const std::optional<Content>& file) { return file && file->bytes == copy.bytes; };
    const auto supersedes = [&](const std::optional<Content>& file) { return Supersedes(file, copy); };
    return std::any_of(files.begin(), files.end(), holdsBytes) ||
           (copy.root && std::all_of(files.begin(), files.end(), supersedes));
}

}  // namespace

SettingsRecovery::SettingsRecovery(IFileSystem& fs, std::string settingsFile, std::vector<std::string> otherUsersFiles)
    : fs_(fs),
      settingsFile_(std::move(settingsFile)),
      folder_(ExtractFilePath(settingsFile_)),
      otherUsersFiles_(std::move(otherUsersFiles)) {}

// The damaged file is kept before anything else is written, and never
// replaced while there is no copy to take its place.
void SettingsRecovery::Recover(IClock& clock, IUserMessages& messages) {
    std::exception_ptr fault;
    if (fs_.FileExists(settingsFile_)) {
        fault = ReadingFault();
        if (!fault) return;
    }
    std::optional<Copy> copy = NewestCompleteCopy();
    if (!copy) {
        if (fault) std::rethrow_exception(fault);
        return;
    }
    std::string told;
    if (fault) {
        const std::string kept = DamagedFileName(settingsFile_, clock.Now());
        SaveFileAtomically(fs_, kept, fs_.ReadFile(settingsFile_));
        told = "\"" + settingsFile_ + "\" could not be read:\r\n" + MessageOf(fault) + "\r\nIt was kept as \"" + kept +
               "\".";
    } else {
        told = "\"" + settingsFile_ + "\" was missing.";
    }
    SaveFileAtomically(fs_, settingsFile_, copy->bytes);
    messages.ShowMessage(told + "\r\n\r\nYour settings were put back from the newest complete copy of them, \"" +
                         copy->path + "\".");
}

// Why the settings file does not read as a settings document; nothing when it
// does, and when the file cannot be opened at all: that is no damage of the
// file, and loading it reports it. The tree read here is the one the store
// loads next, so the file is parsed once.
std::exception_ptr SettingsRecovery::ReadingFault() {
    try {
        if (IsSettingsDocument(*XmlDocumentFile::For(fs_, settingsFile_).Load())) return nullptr;
        return std::make_exception_ptr(FileError(settingsFile_, "This is not a Tavrin settings file."));
    } catch (const XmlError&) {
        return std::current_exception();
    } catch (const FileError&) {
        return nullptr;
    }
}

// The leftovers of saves of the settings file, Wine's copies of replaced files
// (unless they may be another user's) and the daily backups.
std::vector<std::string> SettingsRecovery::CopyPaths() {
    const std::string name = ExtractFileName(settingsFile_);
    std::vector<std::string> paths;
    for (const std::string& file : fs_.ListFiles(folder_, name + ".*.tmp")) {
        const std::optional<std::string> saved = SavedFileOfTemporary(file);
        if (saved && SameFileName(*saved, name)) paths.push_back(folder_ + file);
    }
    if (otherUsersFiles_.empty()) {
        for (const std::string& file : fs_.ListFiles(folder_, kWineCopies)) paths.push_back(folder_ + file);
    }
    for (std::string& backup : DailyBackupsOf(fs_, settingsFile_)) paths.push_back(std::move(backup));
    return paths;
}

// Newest by write time; a copy that does not read as a settings document (a
// save cut off while writing, another program's file) is passed over.
std::optional<SettingsRecovery::Copy> SettingsRecovery::NewestCompleteCopy() {
    std::vector<std::pair<FileTime, std::string>> copies;
    for (std::string& path : CopyPaths()) {
        if (const std::optional<FileTime> written = fs_.LastWriteTime(path)) {
            copies.emplace_back(*written, std::move(path));
        }
    }
    std::sort(copies.begin(), copies.end(), std::greater<>());
    for (auto& [written, path] : copies) {
        RestoreSource source = ReadRestoreSource(fs_, path);
        if (source.bytes) return Copy{std::move(path), std::move(*source.bytes)};
    }
    return std::nullopt;
}

void SettingsRecovery::RemoveSupersededCopies(FileTime startedAt) {
    std::vector<std::string> settingsFiles = otherUsersFiles_;
    settingsFiles.push_back(settingsFile_);
    for (const std::string& name : fs_.ListFiles(folder_, "*.tmp")) {
        const std::optional<std::string> saved = SavedFileOfTemporary(name);
        if (!saved && !MatchesFilePattern(name, kWineCopies)) continue;
        const std::optional<Content> copy = ReadContent(fs_, folder_ + name);
        if (!copy || copy->written >= startedAt) continue;
        if (saved ? Supersedes(ReadContent(fs_, folder_ + *saved), *copy)
                  : IsSupersededWineCopy(fs_, *copy, settingsFiles)) {
            fs_.RemoveFile(folder_ + name);
        }
    }
}

}  // namespace tavrin
