#include "support/PosixFileSystem.h"

#include "support/Latin1.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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
    // Straight into the string, as the Windows side reads.
    struct stat status {};
    std::string content(::fstat(fd, &status) == 0 ? static_cast<size_t>(status.st_size) + 1 : 0, '\0');
    size_t filled = 0;
    for (;;) {
        if (filled == content.size()) content.resize(filled + 65536);
        const ssize_t got = ::read(fd, content.data() + filled, content.size() - filled);
        if (got < 0) {
            const int error = errno;
            ::close(fd);
            errno = error;
            ThrowErrno(path);
        }
        if (got == 0) break;
        filled += static_cast<size_t>(got);
    }
    ::close(fd);
    content.resize(filled);
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

namespace {

// An advisory lock on the lock file, which the system drops with the descriptor;
// two descriptors of one process exclude each other, as two processes do.
class PosixFileLock : public IFileLock {
public:
    explicit PosixFileLock(int descriptor) noexcept : descriptor_(descriptor) {}
    ~PosixFileLock() override { ::close(descriptor_); }
    PosixFileLock(const PosixFileLock&) = delete;
    PosixFileLock& operator=(const PosixFileLock&) = delete;

private:
    int descriptor_;
};

}  // namespace

std::unique_ptr<IFileLock> PosixFileSystem::Lock(const std::string& path) {
    const std::string lockPath = LockFileName(path);
    const int descriptor = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (descriptor < 0) ThrowErrno(lockPath);
    for (int attempt = 0;; ++attempt) {
        if (::flock(descriptor, LOCK_EX | LOCK_NB) == 0) return std::make_unique<PosixFileLock>(descriptor);
        if (errno != EWOULDBLOCK || attempt == 50) {
            const int error = errno;
            ::close(descriptor);
            errno = error;
            ThrowErrno(lockPath);
        }
        ::usleep(10'000);
    }
}

std::string PosixFileSystem::AnsiToUtf8(std::string_view bytes) { return Latin1ToUtf8(bytes); }

}  // namespace tavrin::testing
