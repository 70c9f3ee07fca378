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

void XmlDocumentFile::Touch(Transaction& transaction) {
    if (touched_) return;
    std::unique_ptr<IFileLock> lock = fs_.Lock(path_);
    existed_ = fs_.FileExists(path_);
    readBytes_ = existed_ ? fs_.ReadFile(path_) : std::string();
    lock_ = std::move(lock);
    touched_ = true;
    transaction.touched_.push_back(this);
}

IXmlDocument XmlDocumentFile::Load() {
    std::string bytes;
    if (g_transaction) {
        Touch(*g_transaction);
        if (document_ && (unsaved_ || bytes_ == readBytes_)) return document_;
        if (!existed_) throw FileError(path_, "The file does not exist.");
        bytes = readBytes_;
    } else {
        bytes = fs_.ReadFile(path_);
        if (document_ && bytes == bytes_) return document_;
    }
    Discard();
    auto document = std::make_shared<XmlDocument>();
    ++g_parseCount;
    document->LoadFromText(bytes, path_, [this](std::string_view ansi) { return fs_.AnsiToUtf8(ansi); });
    document_ = std::move(document);
    bytes_ = std::move(bytes);
    return document_;
}

void XmlDocumentFile::Save(const IXmlDocument& document) {
    if (!g_transaction) {
        // A save of its own: the tree read from the file earlier replaces only the
        // file as it was read (a new document replaces whatever is there).
        const bool loaded = document == document_;
        const std::string seen = loaded ? bytes_ : std::string();
        Transaction own;
        Touch(own);
        if (loaded && existed_ && seen != readBytes_) throw FileChangedError(path_);
        Save(document);
        own.Commit();
        return;
    }
    Touch(*g_transaction);
    document_ = document;
    bytes_.clear();
    unsaved_ = true;
}

void XmlDocumentFile::CheckUnchanged() {
    const bool exists = fs_.FileExists(path_);
    if (exists != existed_ || (exists && fs_.ReadFile(path_) != readBytes_)) throw FileChangedError(path_);
}

void XmlDocumentFile::WriteFile() {
    std::string bytes = document_->ToText();
    SaveFileAtomically(fs_, path_, bytes);
    bytes_ = std::move(bytes);
    readBytes_ = bytes_;
    existed_ = true;
    unsaved_ = false;
}

void XmlDocumentFile::EndTransaction() noexcept {
    if (unsaved_) Discard();
    lock_.reset();
    readBytes_.clear();
    touched_ = false;
}

// Within a transaction this forgets its earlier changes of the file as well:
// the shared tree holds them together with the change being dropped.
void XmlDocumentFile::Discard() noexcept {
    document_.reset();
    bytes_.clear();
    unsaved_ = false;
}

}  // namespace tavrin
