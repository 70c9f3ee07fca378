#include "xml/FileSystem.h"

#include <algorithm>

#include "xml/AsciiCase.h"

namespace tavrin {
namespace {

bool AllDigits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && EqualsIgnoringCase(text.substr(text.size() - end.size()), end);
}

}  // namespace

FileError::FileError(std::string fileName, std::string reason)
    : FileError(fileName, reason, "\"" + fileName + "\": " + reason) {}

FileError::FileError(std::string fileName, std::string reason, const std::string& message)
    : std::runtime_error(message), fileName_(std::move(fileName)), reason_(std::move(reason)) {}

FileError FileError::NotSaved(std::string fileName, std::string reason) {
    const std::string message = "\"" + fileName + "\" could not be saved; the change was not kept.\r\n" + reason;
    return FileError(std::move(fileName), std::move(reason), message);
}

FileError FileError::ChangeNotKept(const std::string& change, const FileError& cause) {
    return FileError(cause.FileName(), cause.Reason(), change + "\r\n" + cause.what());
}

// A star first stands for nothing; at a mismatch the last star takes one more
// character and the pattern after it is tried again from there.
bool MatchesFilePattern(std::string_view name, std::string_view pattern) {
    size_t n = 0;
    size_t p = 0;
    size_t star = std::string_view::npos;  // the last '*' met in the pattern
    size_t starName = 0;                   // where in name the text that star stands for ends
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            starName = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || AsciiLower(pattern[p]) == AsciiLower(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

bool SameFileName(std::string_view a, std::string_view b) { return EqualsIgnoringCase(a, b); }

bool SameFile(IFileSystem& fs, const std::string& a, const std::string& b) {
    const std::optional<FileIdentity> first = fs.Identity(a);
    return first && first == fs.Identity(b);
}

std::string SaveTemporaryPath(const std::string& targetPath, std::uint64_t process, std::uint64_t count) {
    return targetPath + "." + std::to_string(process) + "-" + std::to_string(count) + ".tmp";
}

std::string LockFileName(const std::string& path) { return path + ".lock"; }

std::optional<std::string> SavedFileOfTemporary(std::string_view fileName) {
    constexpr std::string_view kEnd = ".tmp";
    if (!EndsWithIgnoringCase(fileName, kEnd)) return std::nullopt;
    const std::string_view rest = fileName.substr(0, fileName.size() - kEnd.size());
    const size_t dot = rest.rfind('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string_view numbers = rest.substr(dot + 1);
    const size_t dash = numbers.find('-');
    const std::string_view saved = rest.substr(0, dot);
    if (dash == std::string_view::npos || !AllDigits(numbers.substr(0, dash)) || !AllDigits(numbers.substr(dash + 1)) ||
        saved.size() <= 4 || !EndsWithIgnoringCase(saved, ".xml")) {
        return std::nullopt;
    }
    return std::string(saved);
}

void SaveFileAtomically(IFileSystem& fs, const std::string& path, std::string_view bytes) {
    std::string tempPath;
    std::unique_ptr<IWritableFile> file;
    try {
        file = fs.CreateTemporary(path, tempPath);
        file->Write(bytes);
        file->Flush();
        file->Close();
        file.reset();
        fs.MoveOver(tempPath, path);
    } catch (const FileError& error) {
        file.reset();
        if (!tempPath.empty()) fs.RemoveFile(tempPath);
        throw FileError::NotSaved(path, error.Reason());
    }
}

bool CopyFileAtomically(IFileSystem& fs, const std::string& from, const std::string& to) {
    try {
        SaveFileAtomically(fs, to, fs.ReadFile(from));
        return true;
    } catch (const FileError&) {
        return false;
    }
}

}  // namespace tavrin
