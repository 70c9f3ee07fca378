#include "xml/XmlDocumentFile.h"

#include <map>
#include <memory>
#include <utility>

namespace tavrin {
namespace {

std::uint64_t g_parseCount = 0;
int g_stepDepth = 0;              // how many SameStepScopes live
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

std::uint64_t XmlDocumentFile::ParseCount() noexcept { return g_parseCount; }

IXmlDocument XmlDocumentFile::Load() {
    if (document_ && seenInStep_ != 0 && seenInStep_ == CurrentStep()) return document_;
    return LoadCurrent();
}

IXmlDocument XmlDocumentFile::LoadCurrent() {
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
    Discard();
    std::string bytes = document->ToText();
    SaveFileAtomically(fs_, path_, bytes);
    document_ = document;
    bytes_ = std::move(bytes);
    seenInStep_ = CurrentStep();
}

void XmlDocumentFile::Discard() noexcept {
    document_.reset();
    bytes_.clear();
    seenInStep_ = 0;
}

}  // namespace tavrin
