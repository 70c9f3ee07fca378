// One XML file on disk and its parsed tree, changed only in transactions.
//
// A transaction is one user action on the files it touches (a click counts a
// start and moves the button up the recent list). The first time it touches a
// file it takes the file's lock, which other copies of the program (other
// sessions, other machines on a shared folder) wait for, and reads the file;
// later loads in the transaction reuse the tree. Saves are kept until Commit,
// which writes each changed file once, atomically, after checking that the
// file is still the one the transaction read: a program that does not take the
// lock may have replaced it meanwhile, and its change must not be overwritten
// by an older picture of the file. Without Commit (an error on the way) the
// changes are forgotten and the files stay as they were.
//
// The tree is parsed again only when the file's bytes differ from those it was
// parsed from (or last saved as): a read is cheap next to a parse, and unlike
// size and write time (which some volumes keep in two-second steps) the bytes
// always tell. All users of one path share the same tree.
#pragma once

#include <cstdint>
#include <memory>
#include <functional>
#include <string>
#include <vector>

#include "xml/FileSystem.h"
#include "xml/XmlTree.h"

namespace tavrin {

// A commit found that another program replaced a file the transaction changed
// since the transaction read it; nothing was written.
class FileChangedError : public FileError {
public:
    explicit FileChangedError(const std::string& fileName);
};

class XmlDocumentFile {
public:
    // One user action. A transaction begun within another is part of it: the
    // outer one commits for both.
    class Transaction {
    public:
        Transaction();
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        // Saves every file changed in the transaction, atomically each. Throws
        // FileError; FileChangedError (before anything is written) when another
        // program replaced a changed file meanwhile.
        void Commit();

    private:
        friend class XmlDocumentFile;
        bool outermost_;
        std::vector<XmlDocumentFile*> touched_;  // in the order they were first touched
    };

    XmlDocumentFile(IFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

    // The shared instance for path in this file system.
    [[nodiscard]] static XmlDocumentFile& For(IFileSystem& fs, const std::string& path);
    // How many times any instance has parsed its file, for tests and benchmarks.
    [[nodiscard]] static std::uint64_t ParseCount() noexcept;

    [[nodiscard]] const std::string& Path() const noexcept { return path_; }
    [[nodiscard]] IFileSystem& FileSystem() const noexcept { return fs_; }
    [[nodiscard]] bool Exists() const { return fs_.FileExists(path_); }
    // True when the current transaction has read or written the file.
    [[nodiscard]] bool SeenInStep() const noexcept { return touched_; }

    // The document as the file holds it now, or as the current transaction
    // read and changed it. Throws XmlError or FileError. A caller that changes
    // the tree must Save it or Discard it.
    [[nodiscard]] IXmlDocument Load();
    // Saves document at the current transaction's commit; outside one, in a
    // transaction of its own. It becomes the tree of the file's new version.
    void Save(const IXmlDocument& document);
    // Forgets the tree, e.g. after a change that was not saved.
    void Discard() noexcept;
    // Called by every save just before it replaces the file, while the old
    // version is still there (to keep a backup of it); it must not throw.
    // An empty function stops the calls.
    void SetBeforeReplace(std::function<void()> hook) { beforeReplace_ = std::move(hook); }

private:
    // Takes the file's lock and reads it, once per transaction.
    void Touch(Transaction& transaction);
    [[nodiscard]] const std::string& ReadInTransaction() const noexcept;
    void KeepRead() noexcept;
    void Parse(std::string_view bytes);
    // Before a commit's replace: the file still holds what the transaction read.
    void CheckUnchanged();
    void WriteFile();
    void EndTransaction() noexcept;

    IFileSystem& fs_;
    std::string path_;
    IXmlDocument document_;
    std::string bytes_;  // the file's content that document_ matches; empty while document_ has unsaved changes
    // While a transaction has touched the file: its lock, and what the file held when read.
    std::unique_ptr<IFileLock> lock_;
    std::string readBytes_;
    bool readIsTree_ = false;  // what the transaction read is bytes_, the content of the tree
    bool touched_ = false;
    bool existed_ = false;
    bool unsaved_ = false;  // changed in the current transaction, written at its commit
    std::function<void()> beforeReplace_;
};

// Runs body in a transaction and commits it. When another program replaced a
// changed file meanwhile, the changes are dropped and body runs again on the
// file as it is now, a few times at most: body must compute its change from
// what it loads (a start is counted on top of the counts the file holds then).
template <typename Body>
void Transact(Body&& body) {
    constexpr int kAttempts = 3;
    for (int attempt = 1;; ++attempt) {
        XmlDocumentFile::Transaction transaction;
        body();
        try {
            transaction.Commit();
            return;
        } catch (const FileChangedError&) {
            if (attempt == kAttempts) throw;
        }
    }
}

// A change to a file's document: saved with Save(), or else forgotten when the
// edit ends, so the shared tree never differs from the file. Outside a
// transaction the edit is one of its own, from its read to its save.
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
        transaction_.Commit();
        saved_ = true;
    }

private:
    XmlDocumentFile::Transaction transaction_;  // before the load: the edit's own, or part of the caller's
    XmlDocumentFile& file_;
    IXmlDocument document_;
    bool saved_ = false;
};

}  // namespace tavrin
