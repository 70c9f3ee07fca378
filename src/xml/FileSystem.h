// The file operations the portable core needs, behind one small interface so
// that the core stays free of <windows.h>: Windows builds pass the Win32
// implementation, native tests a POSIX one or a fault-injecting fake.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// A file could not be read, written, created or replaced. The message names
// the file and carries the system's reason.
class FileError : public std::runtime_error {
public:
    FileError(std::string fileName, std::string reason);
    // A save that failed: the message says which file was not saved, that the
    // change was not kept, and why.
    [[nodiscard]] static FileError NotSaved(std::string fileName, std::string reason);
    // The same failure, said as the change of the user's action that was not
    // kept ("The start of \"Notepad\" was not counted."), then what went wrong.
    [[nodiscard]] static FileError ChangeNotKept(const std::string& change, const FileError& cause);

    [[nodiscard]] const std::string& FileName() const noexcept { return fileName_; }
    [[nodiscard]] const std::string& Reason() const noexcept { return reason_; }

private:
    FileError(std::string fileName, std::string reason, const std::string& message);

    std::string fileName_;
    std::string reason_;
};

// Which file a path leads to: its volume and its number on that volume. Two
// spellings of one file (another letter case, a short name, a link) have the
// same identity.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity&) const = default;
};

// When a file was last written.
using FileTime = std::chrono::system_clock::time_point;

// An open, newly created file. The destructor closes it.
class IWritableFile {
public:
    virtual ~IWritableFile() = default;
    virtual void Write(std::string_view bytes) = 0;  // throws FileError
    virtual void Flush() = 0;                        // to the disk; throws FileError
    virtual void Close() = 0;                        // throws FileError
};

// Held while a transaction reads, changes and replaces a file; the destructor lets go.
class IFileLock {
public:
    virtual ~IFileLock() = default;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    // True for an existing file that is not a folder.
    [[nodiscard]] virtual bool FileExists(const std::string& path) = 0;
    [[nodiscard]] virtual bool DirectoryExists(const std::string& path) = 0;
    // The whole file, read while others may read but not write it.
    [[nodiscard]] virtual std::string ReadFile(const std::string& path) = 0;
    // Empty when the file does not exist or cannot be examined.
    [[nodiscard]] virtual std::optional<FileIdentity> Identity(const std::string& path) = 0;
    [[nodiscard]] virtual std::optional<FileTime> LastWriteTime(const std::string& path) = 0;
    // The names of the files (not folders) in folder, given with its trailing
    // separator, that match pattern (see MatchesFilePattern); empty when the
    // folder cannot be listed.
    [[nodiscard]] virtual std::vector<std::string> ListFiles(const std::string& folder, std::string_view pattern) = 0;
    // Makes the folder unless it is there already. Throws FileError.
    virtual void CreateFolder(const std::string& path) = 0;

    // Building blocks of SaveFileAtomically: a new file with a unique name in
    // the folder of targetPath, the one-step replacement of the target by it,
    // and removal of a temporary file that is no longer wanted.
    [[nodiscard]] virtual std::unique_ptr<IWritableFile> CreateTemporary(const std::string& targetPath,
                                                                         std::string& tempPath) = 0;
    virtual void MoveOver(const std::string& tempPath, const std::string& targetPath) = 0;
    virtual void RemoveFile(const std::string& path) noexcept = 0;
    // The lock of path: a lock on a file beside it (LockFileName) that other
    // processes, other sessions and other machines on a shared folder respect.
    // Waits a few seconds for another holder, then throws FileError. A holder
    // that ends, however it ends, lets go.
    [[nodiscard]] virtual std::unique_ptr<IFileLock> Lock(const std::string& path) = 0;

    // Documents of earlier versions hold text in the system's ANSI code page.
    // Throws std::range_error for bytes the code page does not define.
    [[nodiscard]] virtual std::string AnsiToUtf8(std::string_view bytes) = 0;
};

// True when name matches pattern, in which '*' stands for any run of
// characters and '?' for one, letter case of ASCII letters aside. ListFiles
// filters with it on every system: the search of Windows would also match
// short 8.3 names, so that "*.xml" finds "a.xmlx".
[[nodiscard]] bool MatchesFilePattern(std::string_view name, std::string_view pattern);
// Equal names of files in a folder, letter case of ASCII letters aside.
[[nodiscard]] bool SameFileName(std::string_view a, std::string_view b);

// True when both paths lead to one existing file, however each is spelled.
[[nodiscard]] bool SameFile(IFileSystem& fs, const std::string& a, const std::string& b);

// The temporary file of a save of targetPath, beside it: the target's name,
// a dot, two numbers that make it unique ("<process>-<count>") and ".tmp".
[[nodiscard]] std::string SaveTemporaryPath(const std::string& targetPath, std::uint64_t process, std::uint64_t count);
// For the name (without folder) of such a file of a save of an XML file, the
// name of the file it was to replace; nothing for any other name.
[[nodiscard]] std::optional<std::string> SavedFileOfTemporary(std::string_view fileName);

// The file whose lock guards path: "<path>.lock".
[[nodiscard]] std::string LockFileName(const std::string& path);

// Writes bytes to a temporary file beside path, flushes it and replaces path
// with it in one step. On any failure path keeps its old content, the
// temporary file is removed, and FileError::NotSaved naming path is thrown.
void SaveFileAtomically(IFileSystem& fs, const std::string& path, std::string_view bytes);
// Copies from over to in the same way; false when the copy failed, and then
// to is unchanged.
[[nodiscard]] bool CopyFileAtomically(IFileSystem& fs, const std::string& from, const std::string& to);

}  // namespace tavrin
