#include "support/PosixFileSystem.h"

#include "support/Latin1.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin::testing {
namespace {

[[noreturn]] void ThrowErrno(const std::string& path) { throw FileError(path, std::strerror(errno)); }

class PosixWritableFile : public IWritableFile {
public:
    PosixWritableFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~PosixWritableFile() override {
        if (fd_ >= 0) ::close(fd_);
    }
    void Write(std::string_view bytes) override {
        while (!bytes.empty()) {
            const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
            if (written < 0) ThrowErrno(path_);
            bytes.remove_prefix(static_cast<size_t>(written));
        }
    }
    void Flush() override {
        if (::fsync(fd_) != 0) ThrowErrno(path_);
    }
    void Close() override {
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) ThrowErrno(path_);
    }

private:
    int fd_;
    std::string path_;
};

}  // namespace

bool PosixFileSystem::FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool PosixFileSystem::DirectoryExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string PosixFileSystem::ReadFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) ThrowErrno(path);
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            ThrowErrno(path);
        }
        if (got == 0) break;
        content.append(buffer, static_cast<size_t>(got));
    }
    ::close(fd);
    return content;
}

std::optional<FileIdentity> PosixFileSystem::Identity(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    return FileIdentity{static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino)};
}

std::optional<FileTime> PosixFileSystem::LastWriteTime(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    const auto sinceEpoch = std::chrono::seconds(info.st_mtim.tv_sec) + std::chrono::nanoseconds(info.st_mtim.tv_nsec);
    return FileTime(std::chrono::duration_cast<FileTime::duration>(sinceEpoch));
}

std::vector<std::string> PosixFileSystem::ListFiles(const std::string& folder, std::string_view pattern) {
    std::vector<std::string> names;
    DIR* const listing = ::opendir(folder.c_str());
    if (!listing) return names;
    while (const dirent* entry = ::readdir(listing)) {
        const std::string name = entry->d_name;
        if (MatchesFilePattern(name, pattern) && FileExists(folder + name)) names.push_back(name);
    }
    ::closedir(listing);
    return names;
}

void PosixFileSystem::CreateFolder(const std::string& path) {
    if (::mkdir(path.c_str(), 0777) != 0 && !(errno == EEXIST && DirectoryExists(path))) ThrowErrno(path);
}

std::unique_ptr<IWritableFile> PosixFileSystem::CreateTemporary(const std::string& targetPath, std::string& tempPath) {
    std::string pattern = targetPath + ".XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) ThrowErrno(targetPath);
    tempPath = pattern;
    return std::make_unique<PosixWritableFile>(fd, pattern);
}

void PosixFileSystem::MoveOver(const std::string& tempPath, const std::string& targetPath) {
    if (::rename(tempPath.c_str(), targetPath.c_str()) != 0) ThrowErrno(targetPath);
}

void PosixFileSystem::RemoveFile(const std::string& path) noexcept { ::unlink(path.c_str()); }

std::string PosixFileSystem::AnsiToUtf8(std::string_view bytes) { return Latin1ToUtf8(bytes); }

}  // namespace tavrin::testing
