#include "shell/ShellIcons.h"

#include <windows.h>
#include <shellapi.h>

#include "win32/Utf16.h"

namespace tavrin {

int GetIconCount(const std::string& fileName) {
    // With index -1 ExtractIcon returns the number of icons, not an icon.
    const auto count = reinterpret_cast<INT_PTR>(ExtractIconW(GetModuleHandleW(nullptr), Widen(fileName).c_str(), -1));
    return static_cast<int>(count);
}

unique_hicon GetShellIcon(const std::string& fileName) {
    SHFILEINFOW fileInfo{};
    if (!SHGetFileInfoW(Widen(fileName).c_str(), 0, &fileInfo, sizeof fileInfo, SHGFI_ICON | SHGFI_SYSICONINDEX)) {
        return unique_hicon{};
    }
    return unique_hicon(fileInfo.hIcon);
}

unique_hicon GetFileIcon(const std::string& fileName, int index) {
    const int count = GetIconCount(fileName);
    // ExtractIcon reads a negative index other than -1 as a resource number,
    // so a negative index takes the shell's icon, as a file without icons does.
    if (count <= 0 || index < 0) return GetShellIcon(fileName);
    if (index >= count) index = count - 1;
    return unique_hicon(ExtractIconW(GetModuleHandleW(nullptr), Widen(fileName).c_str(), static_cast<UINT>(index)));
}

}  // namespace tavrin
