// One XML file on disk and its parsed tree. Every store operation behaves as
// if it read the file afresh, but the tree is parsed again only when the file
// changed on disk (size, last-write time or identity), and all users of one
// path share the same tree, so a save by one store is no reason for another
// to parse again.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "xml/FileSystem.h"
#include "xml/XmlTree.h"

namespace tavrin {

class XmlDocumentFile {
public:
    XmlDocumentFile(IFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

    // The shared instance for path in this file system.
    [[nodiscard]] static XmlDocumentFile& For(IFileSystem& fs, const std::string& path);
    // How many times any instance has parsed its file, for tests and benchmarks.
    [[nodiscard]] static std::uint64_t ParseCount() noexcept;

    [[nodiscard]] const std::string& Path() const noexcept { return path_; }
    [[nodiscard]] IFileSystem& FileSystem() const noexcept { return fs_; }
    [[nodiscard]] bool Exists() const { return fs_.FileExists(path_); }

    // The document as the file holds it now. Throws XmlError or FileError.
    // A caller that changes the tree must Save it or Discard it.
    [[nodiscard]] IXmlDocument Load();
    // Saves document atomically; it becomes the tree of the file's new version.
    void Save(const IXmlDocument& document);
    // Forgets the tree, e.g. after a change that was not saved.
    void Discard() noexcept;

private:
    IFileSystem& fs_;
    std::string path_;
    IXmlDocument document_;
    std::optional<FileStamp> stamp_;
};

// A change to a file's document: saved with Save(), or else forgotten when
// the edit ends, so the shared tree never differs from the file.
class XmlEdit {
public:
    explicit XmlEdit(XmlDocumentFile& file) : file_(file), document_(file.Load()) {}
    ~XmlEdit() {
        if (!saved_) file_.Discard();
    }
    XmlEdit(const XmlEdit&) = delete;
    XmlEdit& operator=(const XmlEdit&) = delete;

    [[nodiscard]] const IXmlDocument& Document() const noexcept { return document_; }
    [[nodiscard]] IXmlElement Root() const { return document_->RootElement(); }
    void Save() {
        file_.Save(document_);
        saved_ = true;
    }

private:
    XmlDocumentFile& file_;
    IXmlDocument document_;
    bool saved_ = false;
};

}  // namespace tavrin
