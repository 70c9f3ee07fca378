#include "shell/ShellLinker.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "win32/ComPtr.h"
#include "win32/UniqueResource.h"
#include "win32/Utf16.h"

namespace tavrin {
namespace {

// The fixed header at the start of every shortcut file (the published Shell
// Link binary format): LinkFlags begin at offset 20, ShowCommand is the
// little-endian 32-bit field at offset 60.
constexpr std::size_t kHeaderSize = 76;
constexpr std::size_t kLinkFlagsOffset = 20;
constexpr std::size_t kShowCommandOffset = 60;
constexpr std::uint8_t kHasLinkInfo = 0x02;

struct LinkHeader {
    std::array<std::uint8_t, kHeaderSize> bytes{};
    std::size_t length = 0;

    [[nodiscard]] bool HasLinkInfo() const noexcept {
        return length > kLinkFlagsOffset && (bytes[kLinkFlagsOffset] & kHasLinkInfo) != 0;
    }
    [[nodiscard]] std::optional<int> ShowCommand() const noexcept {
        if (length < kShowCommandOffset + 4) return std::nullopt;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i) value |= std::uint32_t{bytes[kShowCommandOffset + i]} << (8 * i);
        return static_cast<int>(value);
    }
};

// The first bytes of the file, as many as it has up to the header's size;
// none when the file cannot be opened or read.
std::optional<LinkHeader> ReadLinkHeader(const std::string& fileName) {
    const unique_hfile file(CreateFileW(Widen(fileName).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LinkHeader header;
    while (header.length < header.bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.get(), header.bytes.data() + header.length,
                      static_cast<DWORD>(header.bytes.size() - header.length), &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) break;
        header.length += read;
    }
    return header;
}

}  // namespace

bool ReadShellLink(const std::string& fileName, ShellLinkInfo& info) {
    // Files without link information (shortcuts to Control Panel items and
    // other non-file targets, and files that are no shortcuts at all) are
    // refused here, before any COM work.
    const std::optional<LinkHeader> header = ReadLinkHeader(fileName);
    if (!header || !header->HasLinkInfo()) return false;

    info = ShellLinkInfo{};
    const ComInitScope com;
    const auto link = CreateComInstance<IShellLinkW>(CLSID_ShellLink);
    const auto file = link.query<IPersistFile>();
    if (!file || FAILED(file->Load(Widen(fileName).c_str(), STGM_READ))) return false;

    // Buffers of the sizes the ShellLink object itself limits these fields to;
    // the getters' results are not examined: a field they cannot fill stays empty.
    std::array<wchar_t, MAX_PATH> path{};
    WIN32_FIND_DATAW findData{};
    (void)link->GetPath(path.data(), static_cast<int>(path.size()), &findData, SLGP_UNCPRIORITY);

    // The item ID list marks a successful read; apart from that it serves
    // only to repair a path the object could not give in full (below).
    unique_cotaskmem<ITEMIDLIST> idList;
    (void)link->GetIDList(idList.put());
    info.HasIDList = static_cast<bool>(idList);
    // Wine's ShellLink object keeps the target's local path in the ANSI code
    // page only and gives back "?" for every character outside it. A file
    // name cannot hold "?", so such a path is taken from the item ID list,
    // which keeps the name in UTF-16.
    if (idList && std::wstring_view(path.data()).find(L'?') != std::wstring_view::npos) {
        std::array<wchar_t, MAX_PATH> idListPath{};
        if (SHGetPathFromIDListW(idList.get(), idListPath.data())) path = idListPath;
    }
    idList.reset();

    std::array<wchar_t, INFOTIPSIZE> description{};
    (void)link->GetDescription(description.data(), static_cast<int>(description.size()));
    std::array<wchar_t, MAX_PATH> workingDirectory{};
    (void)link->GetWorkingDirectory(workingDirectory.data(), static_cast<int>(workingDirectory.size()));
    // Arguments are not limited to MAX_PATH by the file format; INFOTIPSIZE keeps longer ones whole.
    std::array<wchar_t, INFOTIPSIZE> arguments{};
    (void)link->GetArguments(arguments.data(), static_cast<int>(arguments.size()));
    std::array<wchar_t, MAX_PATH> iconLocation{};
    int iconIndex = 0;
    (void)link->GetIconLocation(iconLocation.data(), static_cast<int>(iconLocation.size()), &iconIndex);
    WORD hotKey = 0;
    (void)link->GetHotkey(&hotKey);
    // Wine's ShellLink object reports show command 1 after Load even for a
    // file that stores 7 (minimized), so the show command comes from the
    // header read above instead of GetShowCmd. Load accepted the file, so its header is whole.
    const int showCommand = header->ShowCommand().value_or(SW_SHOWNORMAL);

    if (!info.HasIDList) return false;
    info.Path = Narrow(path.data());
    info.WorkingDirectory = Narrow(workingDirectory.data());
    info.Description = Narrow(description.data());
    info.Arguments = Narrow(arguments.data());
    info.IconLocation = iconLocation[0] ? Narrow(iconLocation.data()) : info.Path;
    info.IconIndex = iconIndex;
    info.HotKey = hotKey;
    info.ShowState = ShowStateFromShowCommand(showCommand);
    return true;
}

bool CreateShellLink(const ShellLinkSpec& spec, const std::string& linkFileName) {
    const auto link = CreateComInstance<IShellLinkW>(CLSID_ShellLink);
    const auto file = link.query<IPersistFile>();
    if (!file) return false;  // no ShellLink object: COM is not initialised, or the shell has none
    // The setters' results are not examined: the save reports whether the shortcut was written.
    (void)link->SetPath(Widen(spec.Path).c_str());
    (void)link->SetWorkingDirectory(Widen(spec.WorkingDirectory).c_str());
    (void)link->SetDescription(Widen(spec.Description).c_str());
    (void)link->SetArguments(Widen(spec.Arguments).c_str());
    (void)link->SetIconLocation(Widen(spec.IconLocation).c_str(), spec.IconIndex);
    (void)link->SetHotkey(spec.HotKey);
    (void)link->SetShowCmd(spec.ShowCmd);
    // An empty relative path would only store an empty relative-path entry.
    if (!spec.RelativePath.empty()) (void)link->SetRelativePath(Widen(spec.RelativePath).c_str(), 0);
    return SUCCEEDED(file->Save(Widen(linkFileName).c_str(), FALSE));
}

}  // namespace tavrin
