#include "win32/Win32FileSystem.h"

#include <algorithm>

#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

// How long a transaction waits for another copy's lock of a file.
constexpr ULONGLONG kLockWaitMs = 5000;
// How often a save tries to rename over a file someone holds open for a moment.
constexpr int kMoveAttempts = 50;

// The system's text, but for a file that another program holds open, where
// "Sharing violation." leaves the user guessing.
[[noreturn]] void ThrowLastError(const std::string& path) {
    const DWORD error = GetLastError();
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        throw FileError(path, "Another program has the file open and lets nobody else use it.");
    }
    throw FileError(path, SystemErrorText(error));
}

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

// Others may read the file meanwhile, and a save may rename its new version
// over it (this read goes on with the old one), but nobody may write into it.
std::string Win32FileSystem::ReadFile(const std::string& path) {
    unique_hfile file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) ThrowLastError(path);
    // Straight into the string, at the size the file has and one byte more, in
    // which the read finds the end; a file that grows meanwhile is read to its end.
    LARGE_INTEGER size{};
    std::string content(GetFileSizeEx(file.get(), &size) ? static_cast<size_t>(size.QuadPart) + 1 : 0, '\0');
    size_t filled = 0;
    for (;;) {
        if (filled == content.size()) content.resize(filled + 65536);
        const DWORD wanted = static_cast<DWORD>(std::min<size_t>(content.size() - filled, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(file.get(), content.data() + filled, wanted, &got, nullptr)) ThrowLastError(path);
        if (got == 0) break;
        filled += got;
    }
    content.resize(filled);
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

// One rename over the target: there is no moment without the file, which the
// platform's replace operation (under Wine it moves the target aside first)
// cannot promise. The temporary file already has the target's attributes; it
// takes the folder's access rights rather than the old file's.
// A program that opened the target for a moment without letting it be
// replaced (a virus scanner, an indexer, a reader of an older version) makes
// the rename fail: it is tried again for a little while.
void Win32FileSystem::MoveOver(const std::string& tempPath, const std::string& targetPath) {
    const std::wstring temp = Widen(tempPath);
    const std::wstring target = Widen(targetPath);
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return;
        const DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == kMoveAttempts) {
            ThrowLastError(targetPath);
        }
        Sleep(10);
    }
}

namespace {

// The lock is a byte range of the lock file, which the system releases when the
// handle closes, also when the process is killed; a lock file left on disk is no lock.
class Win32FileLock : public IFileLock {
public:
    explicit Win32FileLock(unique_hfile file) noexcept : file_(std::move(file)) {}

private:
    unique_hfile file_;
};

}  // namespace

std::unique_ptr<IFileLock> Win32FileSystem::Lock(const std::string& path) {
    const std::string lockPath = LockFileName(path);
    unique_hfile file(CreateFileW(Widen(lockPath).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file) ThrowLastError(lockPath);
    const ULONGLONG deadline = GetTickCount64() + kLockWaitMs;
    for (;;) {
        OVERLAPPED start{};
        if (LockFileEx(file.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &start)) {
            return std::make_unique<Win32FileLock>(std::move(file));
        }
        if (GetLastError() != ERROR_LOCK_VIOLATION) ThrowLastError(lockPath);
        if (GetTickCount64() >= deadline) {
            throw FileError(path, "Another copy of Tavrin has been changing the file for more than five seconds.");
        }
        Sleep(10);
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
