#include "win32/Win32FileSystem.h"

#include <algorithm>

#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

[[noreturn]] void ThrowLastError(const std::string& path) { throw FileError(path, SystemErrorText(GetLastError())); }

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()); }

// A FILETIME counts 100-nanosecond steps from 1601, the system clock's time
// from 1970. That clock reaches only some 292 years either way: a time beyond
// (which no file of ours has) is held at its ends.
FileTime FromFileTime(const FILETIME& time) {
    using Ticks = std::chrono::duration<std::int64_t, std::ratio<1, 10'000'000>>;
    constexpr Ticks kFrom1601To1970{116'444'736'000'000'000};
    const Ticks since1601{static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime)};
    const Ticks since1970 =
        std::clamp(since1601 - kFrom1601To1970, std::chrono::duration_cast<Ticks>(FileTime::duration::min()),
                   std::chrono::duration_cast<Ticks>(FileTime::duration::max()));
    return FileTime(std::chrono::duration_cast<FileTime::duration>(since1970));
}

// The attributes of a save's temporary file: those of the file it replaces
// (hidden, for one), so that the new file has them whichever way it takes
// the old one's place. Before anything is written, a save stops at a target
// that is a folder, that is read-only (a replacement would write it all the
// same and drop the mark), or that another program holds open and lets
// nobody replace.
DWORD AttributesForReplacing(const std::string& targetPath) {
    const DWORD attributes = Attributes(targetPath);
    if (attributes == INVALID_FILE_ATTRIBUTES) return FILE_ATTRIBUTE_NORMAL;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw FileError(targetPath, "This is a folder, not a file.");
    if (attributes & FILE_ATTRIBUTE_READONLY) throw FileError(targetPath, "The file is read-only.");
    const unique_hfile target(CreateFileW(Widen(targetPath).c_str(), DELETE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    if (!target && GetLastError() == ERROR_SHARING_VIOLATION) ThrowLastError(targetPath);
    const DWORD kept = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    return kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
}

class Win32WritableFile : public IWritableFile {
public:
    Win32WritableFile(unique_hfile file, std::string path) : file_(std::move(file)), path_(std::move(path)) {}
    void Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 20));
            DWORD written = 0;
            if (!WriteFile(file_.get(), bytes.data(), chunk, &written, nullptr)) ThrowLastError(path_);
            bytes.remove_prefix(written);
        }
    }
    void Flush() override {
        if (!FlushFileBuffers(file_.get())) ThrowLastError(path_);
    }
    void Close() override {
        if (!CloseHandle(file_.release())) ThrowLastError(path_);
    }

private:
    unique_hfile file_;
    std::string path_;
};

}  // namespace

bool Win32FileSystem::FileExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FileSystem::DirectoryExists(const std::string& path) {
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string Win32FileSystem::ReadFile(const std::string& path) {
    unique_hfile file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) ThrowLastError(path);
    std::string content;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) ThrowLastError(path);
        if (got == 0) break;
        content.append(buffer, got);
    }
    return content;
}

std::optional<FileIdentity> Win32FileSystem::Identity(const std::string& path) {
    unique_hfile file(CreateFileW(Widen(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
}

std::optional<FileTime> Win32FileSystem::LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(Widen(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return FromFileTime(data.ftLastWriteTime);
}

std::vector<std::string> Win32FileSystem::ListFiles(const std::string& folder, std::string_view pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    const unique_hfind search(FindFirstFileW(Widen(folder + "*").c_str(), &found));
    if (!search) return names;
    do {
        std::string name = Narrow(found.cFileName);
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && MatchesFilePattern(name, pattern)) {
            names.push_back(std::move(name));
        }
    } while (FindNextFileW(search.get(), &found));
    return names;
}

void Win32FileSystem::CreateFolder(const std::string& path) {
    if (CreateDirectoryW(Widen(path).c_str(), nullptr)) return;
    const DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS || !DirectoryExists(path)) throw FileError(path, SystemErrorText(error));
}

std::unique_ptr<IWritableFile> Win32FileSystem::CreateTemporary(const std::string& targetPath, std::string& tempPath) {
    const DWORD attributes = AttributesForReplacing(targetPath);
    // A fresh name in the target's folder, so that the replacement stays on one volume.
    for (unsigned attempt = 0;; ++attempt) {
        const std::string candidate = SaveTemporaryPath(targetPath, GetCurrentProcessId(), GetTickCount64() + attempt);
        unique_hfile file(
            CreateFileW(Widen(candidate).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
        if (file) {
            tempPath = candidate;
            return std::make_unique<Win32WritableFile>(std::move(file), candidate);
        }
        if (GetLastError() != ERROR_FILE_EXISTS || attempt == 100) ThrowLastError(targetPath);
    }
}

// An existing target is replaced by the platform's replace operation, which
// keeps its attributes and access rights; a missing one is made by a rename.
void Win32FileSystem::MoveOver(const std::string& tempPath, const std::string& targetPath) {
    const std::wstring temp = Widen(tempPath);
    const std::wstring target = Widen(targetPath);
    if (ReplaceFileW(target.c_str(), temp.c_str(), nullptr, 0, nullptr, nullptr)) return;
    // Not found: there is no target to replace. Unable to move the
    // replacement: the old file is gone or renamed, so its name is free and
    // the new file must take it.
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
        error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        ThrowLastError(targetPath);
    }
    if (!MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ThrowLastError(targetPath);
    }
}

void Win32FileSystem::RemoveFile(const std::string& path) noexcept { DeleteFileW(Widen(path).c_str()); }

std::string Win32FileSystem::AnsiToUtf8(std::string_view bytes) { return CodePageToUtf8(CP_ACP, bytes); }

// Should the system not tell, no file counts as written before the start.
FileTime ProcessStartTime() {
    FILETIME started{}, ended{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &started, &ended, &kernel, &user)) return FileTime::min();
    return FromFileTime(started);
}

}  // namespace tavrin
