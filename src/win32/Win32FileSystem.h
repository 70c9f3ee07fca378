// The core's file operations on Windows.
#pragma once

#include "xml/FileSystem.h"

namespace tavrin {

class Win32FileSystem : public IFileSystem {
public:
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::string ReadFile(const std::string& path) override;
    std::optional<FileIdentity> Identity(const std::string& path) override;
    std::optional<FileTime> LastWriteTime(const std::string& path) override;
    std::vector<std::string> ListFiles(const std::string& folder, std::string_view pattern) override;
    void CreateFolder(const std::string& path) override;
    std::unique_ptr<IWritableFile> CreateTemporary(const std::string& targetPath, std::string& tempPath) override;
    void MoveOver(const std::string& tempPath, const std::string& targetPath) override;
    void RemoveFile(const std::string& path) noexcept override;
    std::unique_ptr<IFileLock> Lock(const std::string& path) override;
    std::string AnsiToUtf8(std::string_view bytes) override;
};

// When this process started, on the clock of the files' write times.
[[nodiscard]] FileTime ProcessStartTime();

}  // namespace tavrin
