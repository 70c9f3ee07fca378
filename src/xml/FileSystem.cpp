#include "xml/FileSystem.h"

namespace tavrin {

FileError::FileError(std::string fileName, const std::string& reason)
    : std::runtime_error("\"" + fileName + "\": " + reason), fileName_(std::move(fileName)) {}

bool SameFile(IFileSystem& fs, const std::string& a, const std::string& b) {
    const std::optional<FileIdentity> first = fs.Identity(a);
    return first && first == fs.Identity(b);
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
        if (error.FileName() == path) throw;
        throw FileError(path, std::string("cannot be saved: ") + error.what());
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
