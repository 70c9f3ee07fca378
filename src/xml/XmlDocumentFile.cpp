#include "xml/XmlDocumentFile.h"

#include <map>
#include <memory>
#include <utility>

namespace tavrin {
namespace {

std::uint64_t g_parseCount = 0;

}  // namespace

XmlDocumentFile& XmlDocumentFile::For(IFileSystem& fs, const std::string& path) {
    static std::map<std::pair<IFileSystem*, std::string>, std::unique_ptr<XmlDocumentFile>> files;
    auto& file = files[{&fs, path}];
    if (!file) file = std::make_unique<XmlDocumentFile>(fs, path);
    return *file;
}

std::uint64_t XmlDocumentFile::ParseCount() noexcept { return g_parseCount; }

IXmlDocument XmlDocumentFile::Load() {
    std::optional<FileStamp> stamp = fs_.Stamp(path_);
    if (document_ && stamp && stamp == stamp_) return document_;
    Discard();
    auto document = std::make_shared<TXmlDocument>();
    ++g_parseCount;
    document->LoadFromFile(fs_, path_);
    // The stamp taken before reading: a change made while reading is seen next time.
    document_ = std::move(document);
    stamp_ = stamp;
    return document_;
}

void XmlDocumentFile::Save(const IXmlDocument& document) {
    Discard();
    document->SaveToFile(fs_, path_);
    document_ = document;
    stamp_ = fs_.Stamp(path_);
}

void XmlDocumentFile::Discard() noexcept {
    document_.reset();
    stamp_.reset();
}

}  // namespace tavrin
