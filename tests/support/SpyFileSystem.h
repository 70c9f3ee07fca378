// The test file system seen through a spy: it counts reads and replacements
// (each save replaces its file once), and it can make the core believe in
// files and folders that are not on disk, such as "C:\tool.exe" in a native
// test.
#pragma once

#include <set>
#include <string>

#include "support/TestFileSystem.h"

namespace tavrin::testing {

class SpyFileSystem : public IFileSystem {
public:
    bool FileExists(const std::string& path) override { return phantomFiles.contains(path) || inner_.FileExists(path); }
    bool DirectoryExists(const std::string& path) override {
        return phantomFolders.contains(path) || inner_.DirectoryExists(path);
    }
    std::string ReadFile(const std::string& path) override {
        ++reads;
        return inner_.ReadFile(path);
    }
    std::optional<FileIdentity> Identity(const std::string& path) override { return inner_.Identity(path); }
    std::optional<FileTime> LastWriteTime(const std::string& path) override { return inner_.LastWriteTime(path); }
    std::vector<std::string> ListFiles(const std::string& folder, std::string_view pattern) override {
        return inner_.ListFiles(folder, pattern);
    }
    void CreateFolder(const std::string& path) override { inner_.CreateFolder(path); }
    std::unique_ptr<IWritableFile> CreateTemporary(const std::string& targetPath, std::string& tempPath) override {
        return inner_.CreateTemporary(targetPath, tempPath);
    }
    void MoveOver(const std::string& tempPath, const std::string& targetPath) override {
        ++saves;
        inner_.MoveOver(tempPath, targetPath);
    }
    void RemoveFile(const std::string& path) noexcept override { inner_.RemoveFile(path); }
    std::unique_ptr<IFileLock> Lock(const std::string& path) override { return inner_.Lock(path); }
    std::string AnsiToUtf8(std::string_view bytes) override { return inner_.AnsiToUtf8(bytes); }

    std::set<std::string> phantomFiles;
    std::set<std::string> phantomFolders;
    int reads = 0;
    int saves = 0;

private:
    IFileSystem& inner_ = TestFileSystem();
};

}  // namespace tavrin::testing
