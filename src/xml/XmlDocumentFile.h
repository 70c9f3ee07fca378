// One XML file on disk and its parsed tree. Every store operation behaves as
// if it read the file afresh, but the tree is parsed again only when the
// file's bytes differ from those it was parsed from (or last saved as): a
// read is cheap next to a parse, and unlike size and write time (which some
// volumes keep in two-second steps) the bytes always tell. All users of one
// path share the same tree, so a save by one store is no reason for another
// to parse again. Within one step of the program (a SameStepScope) the file is
// looked at once: later loads in the step reuse the tree without asking the
// file system, as a step that read the file once would see it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "xml/FileSystem.h"
#include "xml/XmlTree.h"

namespace tavrin {

class XmlDocumentFile {
public:
    // While one lives, a file that was loaded or saved in this step is not
    // checked for changes on disk again when it is loaded for reading; our own
    // saves still replace the tree, and an XmlEdit still starts from the file
    // as it is, so a save never undoes a change made meanwhile by someone else.
    // Scopes may nest: the step ends with the outermost one.
    class SameStepScope {
    public:
        SameStepScope() noexcept;
        ~SameStepScope();
        SameStepScope(const SameStepScope&) = delete;
        SameStepScope& operator=(const SameStepScope&) = delete;
    };

    // One operation of the program that several stores take part in (a click
    // counts a start and moves the button up the recent list): the file is
    // looked at once, at the first load, and written once, by Commit, with all
    // the changes of the operation, so they land together or not at all.
    // Within one, a change starts from the tree the operation saw, and Save
    // only keeps the changed tree. Without Commit (an error on the way) the
    // changes are forgotten and the file stays as it was. An operation begun
    // within another is part of it: the outer one commits for both.
    class Operation {
    public:
        Operation();
        ~Operation();
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;
        // Saves every file changed in the operation, atomically each. Throws FileError.
        void Commit();

    private:
        friend class XmlDocumentFile;
        SameStepScope step_;
        bool outermost_;
        std::vector<XmlDocumentFile*> changed_;
    };

    XmlDocumentFile(IFileSystem& fs, std::string path) : fs_(fs), path_(std::move(path)) {}

    // The shared instance for path in this file system.
    [[nodiscard]] static XmlDocumentFile& For(IFileSystem& fs, const std::string& path);
    // How many times any instance has parsed its file, for tests and benchmarks.
    [[nodiscard]] static std::uint64_t ParseCount() noexcept;

    [[nodiscard]] const std::string& Path() const noexcept { return path_; }
    [[nodiscard]] IFileSystem& FileSystem() const noexcept { return fs_; }
    [[nodiscard]] bool Exists() const { return fs_.FileExists(path_); }
    // True when the file was loaded or saved in the current step: it was there then.
    [[nodiscard]] bool SeenInStep() const noexcept;

    // The document as the file holds it now. Throws XmlError or FileError.
    // A caller that changes the tree must Save it or Discard it.
    [[nodiscard]] IXmlDocument Load();
    // Saves document atomically; it becomes the tree of the file's new version.
    void Save(const IXmlDocument& document);
    // Forgets the tree, e.g. after a change that was not saved.
    void Discard() noexcept;
    // Called by every save just before it replaces the file, while the old
    // version is still there (to keep a backup of it); it must not throw.
    // An empty function stops the calls.
    void SetBeforeReplace(std::function<void()> hook) { beforeReplace_ = std::move(hook); }

private:
    friend class XmlEdit;
    // Load() that looks at the file on disk even within a step, but not within an operation.
    [[nodiscard]] IXmlDocument LoadCurrent();
    void WriteFile(const IXmlDocument& document);

    IFileSystem& fs_;
    std::string path_;
    IXmlDocument document_;
    std::string bytes_;             // the file's content that document_ matches
    std::uint64_t seenInStep_ = 0;  // the step in which the tree was last known to match the file; 0: none
    bool unsaved_ = false;          // changed in the current operation, written at its Commit
    std::function<void()> beforeReplace_;
};

// A change to a file's document: saved with Save(), or else forgotten when
// the edit ends, so the shared tree never differs from the file.
class XmlEdit {
public:
    explicit XmlEdit(XmlDocumentFile& file) : file_(file), document_(file.LoadCurrent()) {}
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
