#include "xml/XmlDocumentFile.h"

#include <map>
#include <utility>

namespace tavrin {
namespace {

std::uint64_t g_parseCount = 0;
XmlDocumentFile::Transaction* g_transaction = nullptr;  // the outermost transaction under way, if any

}  // namespace

FileChangedError::FileChangedError(const std::string& fileName)
    : FileError(fileName, "Another program changed the file meanwhile, so this change was not made; try it again.") {}

XmlDocumentFile& XmlDocumentFile::For(IFileSystem& fs, const std::string& path) {
    static std::map<std::pair<IFileSystem*, std::string>, std::unique_ptr<XmlDocumentFile>> files;
    auto& file = files[{&fs, path}];
    if (!file) file = std::make_unique<XmlDocumentFile>(fs, path);
    return *file;
}

std::uint64_t XmlDocumentFile::ParseCount() noexcept { return g_parseCount; }

XmlDocumentFile::Transaction::Transaction() : outermost_(g_transaction == nullptr) {
    if (outermost_) g_transaction = this;
}

// Changes that were not committed are forgotten, and the locks go.
XmlDocumentFile::Transaction::~Transaction() {
    if (!outermost_) return;
    for (XmlDocumentFile* file : touched_) file->EndTransaction();
    g_transaction = nullptr;
}

// Every changed file is checked before any is written, so that a conflict
// writes nothing. The files stay locked until the transaction ends.
void XmlDocumentFile::Transaction::Commit() {
    if (!outermost_) return;
    for (XmlDocumentFile* file : touched_) {
        if (file->unsaved_) file->CheckUnchanged();
    }
    for (XmlDocumentFile* file : touched_) {
        if (file->unsaved_) file->WriteFile();
    }
}

// What the transaction read stays in bytes_ when the tree is of it, which
// spares a copy of the file; otherwise in readBytes_.
void XmlDocumentFile::Touch(Transaction& transaction) {
    if (touched_) return;
    std::unique_ptr<IFileLock> lock = fs_.Lock(path_);
    existed_ = fs_.FileExists(path_);
    readBytes_ = existed_ ? fs_.ReadFile(path_) : std::string();
    readIsTree_ = document_ && existed_ && readBytes_ == bytes_;
    if (readIsTree_) readBytes_.clear();
    lock_ = std::move(lock);
    touched_ = true;
    transaction.touched_.push_back(this);
}

const std::string& XmlDocumentFile::ReadInTransaction() const noexcept { return readIsTree_ ? bytes_ : readBytes_; }

IXmlDocument XmlDocumentFile::Load() {
    std::string bytes;
    if (g_transaction) {
        Touch(*g_transaction);
        if (document_ && (unsaved_ || readIsTree_)) return document_;
        if (!existed_) throw FileError(path_, "The file does not exist.");
        Discard();
        Parse(readBytes_);
        bytes_ = std::move(readBytes_);
        readIsTree_ = true;
        return document_;
    } else {
        bytes = fs_.ReadFile(path_);
        if (document_ && bytes == bytes_) return document_;
    }
    Discard();
    Parse(bytes);
    bytes_ = std::move(bytes);
    return document_;
}

void XmlDocumentFile::Parse(std::string_view bytes) {
    auto document = std::make_shared<XmlDocument>();
    ++g_parseCount;
    document->LoadFromText(bytes, path_, [this](std::string_view ansi) { return fs_.AnsiToUtf8(ansi); });
    document_ = std::move(document);
}

void XmlDocumentFile::Save(const IXmlDocument& document) {
    if (!g_transaction) {
        // A save of its own: the tree read from the file earlier replaces only the
        // file as it was read (a new document replaces whatever is there).
        const bool loaded = document && document == document_;
        Transaction own;
        Touch(own);
        if (loaded && existed_ && !readIsTree_) throw FileChangedError(path_);
        Save(document);
        own.Commit();
        return;
    }
    Touch(*g_transaction);
    KeepRead();
    document_ = document;
    bytes_.clear();
    unsaved_ = true;
}

void XmlDocumentFile::CheckUnchanged() {
    const bool exists = fs_.FileExists(path_);
    if (exists != existed_ || (exists && fs_.ReadFile(path_) != ReadInTransaction())) throw FileChangedError(path_);
}

void XmlDocumentFile::WriteFile() {
    if (beforeReplace_) beforeReplace_();
    std::string bytes = document_->ToText(ReadInTransaction().size());
    SaveFileAtomically(fs_, path_, bytes);
    bytes_ = std::move(bytes);
    readBytes_.clear();
    readIsTree_ = true;
    existed_ = true;
    unsaved_ = false;
}

void XmlDocumentFile::EndTransaction() noexcept {
    if (unsaved_) Discard();
    lock_.reset();
    readBytes_.clear();
    readIsTree_ = false;
    touched_ = false;
}

// The tree is to change or go: what the transaction read moves to readBytes_,
// for the commit's check and for loading it again.
void XmlDocumentFile::KeepRead() noexcept {
    if (!readIsTree_) return;
    readBytes_ = std::move(bytes_);
    bytes_.clear();
    readIsTree_ = false;
}

// Within a transaction this forgets its earlier changes of the file as well:
// the shared tree holds them together with the change being dropped.
void XmlDocumentFile::Discard() noexcept {
    KeepRead();
    document_.reset();
    bytes_.clear();
    unsaved_ = false;
}

}  // namespace tavrin
