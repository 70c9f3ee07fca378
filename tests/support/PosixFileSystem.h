// The core's file operations on a POSIX system, for the native tests and
// benchmarks. Legacy ANSI text is taken as Latin-1.
#pragma once

#include "xml/FileSystem.h"

namespace tavrin::testing {

class PosixFileSystem : public IFileSystem {
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

}  // namespace tavrin::testing
