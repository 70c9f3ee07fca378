#include "xml/XmlDocumentFile.h"

#include <map>
#include <memory>
#include <utility>

namespace tavrin {
namespace {

std::uint64_t g_parseCount = 0;
XmlDocumentFile::Operation* g_operation = nullptr;  // the operation under way, if any
int g_stepDepth = 0;                                // how many SameStepScopes live
std::uint64_t g_currentStep = 0;  // numbers the steps; a file seen in the current one is not checked again

// The step a load or save happens in, or 0 outside any step.
std::uint64_t CurrentStep() noexcept { return g_stepDepth > 0 ? g_currentStep : 0; }

}  // namespace

XmlDocumentFile& XmlDocumentFile::For(IFileSystem& fs, const std::string& path) {
    static std::map<std::pair<IFileSystem*, std::string>, std::unique_ptr<XmlDocumentFile>> files;
    auto& file = files[{&fs, path}];
    if (!file) file = std::make_unique<XmlDocumentFile>(fs, path);
    return *file;
}

XmlDocumentFile::SameStepScope::SameStepScope() noexcept {
    if (g_stepDepth++ == 0) ++g_currentStep;
}

XmlDocumentFile::SameStepScope::~SameStepScope() { --g_stepDepth; }

XmlDocumentFile::Operation::Operation() : outermost_(g_operation == nullptr) {
    if (outermost_) g_operation = this;
}

// Changes that were not committed are forgotten: the next load reads the file.
XmlDocumentFile::Operation::~Operation() {
    if (!outermost_) return;
    for (XmlDocumentFile* file : changed_) file->Discard();
    g_operation = nullptr;
}

void XmlDocumentFile::Operation::Commit() {
    while (outermost_ && !changed_.empty()) {
        XmlDocumentFile& file = *changed_.back();
        if (file.unsaved_) {
            const IXmlDocument document = file.document_;
            file.WriteFile(document);
        }
        changed_.pop_back();
    }
}

std::uint64_t XmlDocumentFile::ParseCount() noexcept { return g_parseCount; }

bool XmlDocumentFile::SeenInStep() const noexcept {
    return document_ && seenInStep_ != 0 && seenInStep_ == CurrentStep();
}

IXmlDocument XmlDocumentFile::Load() {
    if (SeenInStep()) return document_;
    return LoadCurrent();
}

IXmlDocument XmlDocumentFile::LoadCurrent() {
    if (g_operation && SeenInStep()) return document_;
    std::string bytes = fs_.ReadFile(path_);
    if (document_ && bytes == bytes_) {
        seenInStep_ = CurrentStep();
        return document_;
    }
    Discard();
    auto document = std::make_shared<XmlDocument>();
    ++g_parseCount;
    document->LoadFromText(bytes, path_, [this](std::string_view ansi) { return fs_.AnsiToUtf8(ansi); });
    document_ = std::move(document);
    bytes_ = std::move(bytes);
    seenInStep_ = CurrentStep();
    return document_;
}

void XmlDocumentFile::Save(const IXmlDocument& document) {
    if (!g_operation) {
        WriteFile(document);
        return;
    }
    if (!unsaved_) g_operation->changed_.push_back(this);
    document_ = document;
    bytes_.clear();
    seenInStep_ = CurrentStep();
    unsaved_ = true;
}

void XmlDocumentFile::WriteFile(const IXmlDocument& document) {
    if (beforeReplace_) beforeReplace_();
    Discard();
    std::string bytes = document->ToText();
    SaveFileAtomically(fs_, path_, bytes);
    document_ = document;
    bytes_ = std::move(bytes);
    seenInStep_ = CurrentStep();
}

// Within an operation this forgets its earlier changes of the file as well:
// the shared tree holds them together with the change being dropped.
void XmlDocumentFile::Discard() noexcept {
    document_.reset();
    bytes_.clear();
    seenInStep_ = 0;
    unsaved_ = false;
}

}  // namespace tavrin
