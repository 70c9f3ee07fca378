#include "shell/ShellPaths.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>
#include <optional>
#include <string>

#include "win32/ComPtr.h"
#include "win32/UniqueResource.h"
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

namespace {

constexpr int kFirstMachineKind = kFolderProgramFiles;

// Value names of kinds 0 to 16 under the user's Shell Folders key and of
// kinds 21 to 26 under the machine's CurrentVersion key.
constexpr std::array<const wchar_t*, 17> kUserFolderValues = {
    L"Desktop", L"Start Menu", L"Programs",  L"Startup",   L"Personal",      L"AppData",
    L"Fonts",   L"SendTo",     L"Recent",    L"Favorites", L"Cache",         L"Cookies",
    L"History", L"NetHood",    L"PrintHood", L"Templates", L"Local AppData",
};
constexpr std::array<const wchar_t*, 6> kMachineFolderValues = {
    L"ProgramFilesDir", L"CommonFilesDir", L"ConfigPath", L"DevicePath", L"MediaPath", L"WallPaperDir",
};

// A string value; environment references of an expandable value are resolved
// (RRF_RT_REG_SZ takes both kinds). Empty when the key or the value is missing.
std::wstring RegistryText(HKEY root, const wchar_t* keyName, const wchar_t* valueName) {
    unique_hkey key;
    if (RegOpenKeyExW(root, keyName, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return {};
    for (;;) {
        DWORD size = 0;
        if (RegGetValueW(key.get(), nullptr, valueName, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS) {
            return {};
        }
        std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        const LSTATUS status = RegGetValueW(key.get(), nullptr, valueName, RRF_RT_REG_SZ, nullptr, text.data(), &size);
        if (status == ERROR_MORE_DATA) continue;  // the value grew in between
        if (status != ERROR_SUCCESS) return {};
        text.resize(wcsnlen(text.c_str(), text.size()));
        return text;
    }
}

std::wstring SystemDirectory() {
    std::array<wchar_t, MAX_PATH + 1> buffer{};
    const UINT length = GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    return length < buffer.size() ? std::wstring(buffer.data(), length) : std::wstring{};
}

std::wstring SpecialFolderPath(int kind) {
    std::array<wchar_t, MAX_PATH + 1> buffer{};
    const auto size = static_cast<UINT>(buffer.size());
    switch (kind) {
        case kFolderWindows: {
            const UINT length = GetWindowsDirectoryW(buffer.data(), size);
            return length < size ? std::wstring(buffer.data(), length) : std::wstring{};
        }
        case kFolderSystem:
            return SystemDirectory();
        case kFolderTemp: {
            const DWORD length = GetTempPathW(size, buffer.data());
            return length < size ? std::wstring(buffer.data(), length) : std::wstring{};
        }
        case kFolderSystemDrive:
            return SystemDirectory().substr(0, 2);
        default:
            break;
    }
    if (kind >= 0 && kind < static_cast<int>(kUserFolderValues.size())) {
        return RegistryText(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            kUserFolderValues[kind]);
    }
    if (kind >= kFirstMachineKind && kind < kFirstMachineKind + static_cast<int>(kMachineFolderValues.size())) {
        return RegistryText(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                            kMachineFolderValues[kind - kFirstMachineKind]);
    }
    return {};
}

}  // namespace

std::string GetSpecialFolder(int kind) {
    std::wstring folder = SpecialFolderPath(kind);
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return Narrow(folder);
}

}  // namespace tavrin
