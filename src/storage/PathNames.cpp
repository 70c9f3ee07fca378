#include "storage/PathNames.h"

namespace tavrin {
namespace {

size_t FileNameStart(std::string_view path) {
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

size_t ExtensionStart(std::string_view path) {
    const size_t nameStart = FileNameStart(path);
    const size_t dot = path.rfind('.');
    return dot == std::string_view::npos || dot < nameStart ? path.size() : dot;
}

}  // namespace

std::string ExtractFilePath(std::string_view path) { return std::string(path.substr(0, FileNameStart(path))); }

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(FileNameStart(path))); }

std::string ExtractFileExt(std::string_view path) { return std::string(path.substr(ExtensionStart(path))); }

std::string ChangeFileExt(std::string_view path, std::string_view extension) {
    return std::string(path.substr(0, ExtensionStart(path))) + std::string(extension);
}

}  // namespace tavrin
