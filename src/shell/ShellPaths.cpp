#include "shell/ShellPaths.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>
#include <optional>
#include <string>

#include "win32/ComPtr.h"
#include "win32/Utf16.h"

namespace tavrin {

namespace {

std::wstring FullPathName(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return path;
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);  // the size needed, with its terminating zero
    }
}

// The path as the desktop folder parses it and gives it back; none when it cannot.
std::optional<std::wstring> ShellParsedPath(const std::wstring& fullPath) {
    ComPtr<IShellFolder> desktop;
    if (FAILED(SHGetDesktopFolder(desktop.put()))) return std::nullopt;
    std::wstring displayName = fullPath;  // ParseDisplayName takes a writable string
    unique_cotaskmem<ITEMIDLIST> idList;
    if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, displayName.data(), nullptr, idList.put(), nullptr)) ||
        !idList) {
        return std::nullopt;
    }
    std::array<wchar_t, MAX_PATH> path{};
    if (!SHGetPathFromIDListW(idList.get(), path.data())) return std::nullopt;
    return std::wstring(path.data());
}

}  // namespace

std::string GetCanonicalPath(const std::string& path) {
    // An empty working folder stays empty; it is not handed to the desktop
    // folder, which may parse an empty name as the desktop itself.
    if (path.empty()) return {};
    const std::wstring fullPath = FullPathName(Widen(path));
    return Narrow(ShellParsedPath(fullPath).value_or(fullPath));
}

std::string GetUserFolder(UserFolder folder) {
    const KNOWNFOLDERID& id = folder == UserFolder::Desktop ? FOLDERID_Desktop : FOLDERID_StartMenu;
    unique_cotaskmem<wchar_t> path;
    if (FAILED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, path.put())) || !path) return {};
    std::wstring text = path.get();
    if (!text.empty() && text.back() != L'\\') text += L'\\';
    return Narrow(text);
}

}  // namespace tavrin
