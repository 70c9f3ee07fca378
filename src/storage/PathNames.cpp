#include "storage/PathNames.h"

#include <algorithm>
#include <array>

#include "xml/AsciiCase.h"

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

std::string ExtractFileDir(std::string_view path) {
    std::string folder = ExtractFilePath(path);
    // "C:" alone would be the drive's current folder, not its root.
    const bool root =
        folder.size() == 1 ||
        (folder.size() >= 2 && std::string_view(":\\/").find(folder[folder.size() - 2]) != std::string_view::npos);
    if (!folder.empty() && !root) folder.pop_back();
    return folder;
}

std::string ExtractFileName(std::string_view path) { return std::string(path.substr(FileNameStart(path))); }

std::string ExtractFileExt(std::string_view path) { return std::string(path.substr(ExtensionStart(path))); }

bool IsShortcutFileName(std::string_view path, LetterCase letterCase) {
    const std::string_view extension = path.substr(ExtensionStart(path));
    return letterCase == LetterCase::Exact ? extension == ".lnk" : EqualsIgnoringCase(extension, ".lnk");
}

std::string ChangeFileExt(std::string_view path, std::string_view extension) {
    return std::string(path.substr(0, ExtensionStart(path))) + std::string(extension);
}

// Windows opens these devices whatever folder and extension go with them, and
// drops blanks before the extension. The digits of COM and LPT include the
// superscripts 1 to 3 (UTF-8 C2 B9, C2 B2, C2 B3).
bool IsDeviceName(std::string_view name) {
    std::string base(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    std::transform(base.begin(), base.end(), base.begin(), AsciiUpper);
    constexpr std::array<std::string_view, 7> kDevices = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"};
    if (std::find(kDevices.begin(), kDevices.end(), base) != kDevices.end()) return true;
    if (!base.starts_with("COM") && !base.starts_with("LPT")) return false;
    const std::string_view number = std::string_view(base).substr(3);
    constexpr std::array<std::string_view, 3> kSuperscripts = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
    return (number.size() == 1 && number[0] >= '1' && number[0] <= '9') ||
           std::find(kSuperscripts.begin(), kSuperscripts.end(), number) != kSuperscripts.end();
}

bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ') return false;
    const bool refused = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos;
    });
    return !refused && !IsDeviceName(name);
}

}  // namespace tavrin
