#include "shell/ShellIcons.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <commoncontrols.h>

#include "win32/ComPtr.h"
#include "win32/Utf16.h"

namespace tavrin {

int GetIconCount(const std::string& fileName) {
    // With index -1 ExtractIcon returns the number of icons, not an icon.
    const auto count = reinterpret_cast<INT_PTR>(ExtractIconW(GetModuleHandleW(nullptr), Widen(fileName).c_str(), -1));
    return static_cast<int>(count);
}

unique_hicon GetShellIcon(const std::string& fileName, int size) {
    SHFILEINFOW fileInfo{};
    if (!SHGetFileInfoW(Widen(fileName).c_str(), 0, &fileInfo, sizeof fileInfo, SHGFI_SYSICONINDEX)) return {};
    const int list = size <= 32 ? SHIL_LARGE : size <= 48 ? SHIL_EXTRALARGE : SHIL_JUMBO;
    ComPtr<IImageList> images;
    if (SUCCEEDED(SHGetImageList(list, __uuidof(IImageList), images.put_void()))) {
        HICON icon = nullptr;
        if (SUCCEEDED(images->GetIcon(fileInfo.iIcon, ILD_TRANSPARENT, &icon)) && icon) return unique_hicon(icon);
    }
    // Without the larger lists the shell still gives its large icon.
    if (!SHGetFileInfoW(Widen(fileName).c_str(), 0, &fileInfo, sizeof fileInfo, SHGFI_ICON)) return {};
    return unique_hicon(fileInfo.hIcon);
}

unique_hicon GetFileIcon(const std::string& fileName, int index, int size) {
    const int count = GetIconCount(fileName);
    // A negative index would name a resource rather than a position, so it
    // takes the shell's icon, as a file without icons does.
    if (count <= 0 || index < 0) return GetShellIcon(fileName, size);
    if (index >= count) index = count - 1;
    HICON icon = nullptr;
    UINT id = 0;
    if (PrivateExtractIconsW(Widen(fileName).c_str(), index, size, size, &icon, &id, 1, 0) != 1 || !icon) {
        return GetShellIcon(fileName, size);
    }
    return unique_hicon(icon);
}

}  // namespace tavrin
