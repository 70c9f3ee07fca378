#include "shell/ShellIcons.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <commoncontrols.h>
#include <shlobj.h>

#include "shell/ShellLinker.h"
#include "storage/PathNames.h"
#include "win32/ComPtr.h"
#include "win32/IconPixels.h"
#include "win32/Utf16.h"

namespace tavrin {

int GetIconCount(const std::string& fileName) {
    // With index -1 ExtractIcon returns the number of icons, not an icon.
    const auto count = reinterpret_cast<INT_PTR>(ExtractIconW(GetModuleHandleW(nullptr), Widen(fileName).c_str(), -1));
    return static_cast<int>(count);
}

namespace {

// An image of the system image list that fits `size` pixels (32, 48 or 256, drawn smaller where needed).
unique_hicon SystemListIcon(int image, int size, UINT flags) {
    const int list = size <= 32 ? SHIL_LARGE : size <= 48 ? SHIL_EXTRALARGE : SHIL_JUMBO;
    ComPtr<IImageList> images;
    HICON icon = nullptr;
    if (FAILED(SHGetImageList(list, __uuidof(IImageList), images.put_void())) ||
        FAILED(images->GetIcon(image, ILD_TRANSPARENT | flags, &icon))) {
        return {};
    }
    return unique_hicon(icon);
}

// A shortcut that names no icon file of its own shows its target's icon with
// the shell's arrow: the shell's large icon of the target drawn for a link
// (brought to the size asked for), laid over the target's icon. On Windows the shell's picture is that already;
// Wine gives the arrow alone there, and an empty default picture for the
// shortcut file itself.
unique_hicon ShortcutIcon(const std::string& link, int size) {
    ShellLinkInfo info;
    const bool namesNoIconFile = ReadShellLink(link, info) && info.IconLocation == info.Path && info.IconIndex == 0;
    if (!namesNoIconFile || info.Path.empty() || IsShortcutFileName(info.Path)) return GetShellIcon(link, size);
    SHFILEINFOW fileInfo{};
    if (!SHGetFileInfoW(Widen(info.Path).c_str(), 0, &fileInfo, sizeof fileInfo,
                        SHGFI_ICON | SHGFI_LARGEICON | SHGFI_LINKOVERLAY)) {
        return GetShellIcon(link, size);
    }
    const unique_hicon withArrow(fileInfo.hIcon);
    const DecodedImage arrow = PixelsOfIcon(withArrow.get());
    const DecodedImage target = PixelsOfIcon(GetFileIcon(info.Path, 0, size).get());
    if (arrow.pixels.empty() || target.width != target.height) return GetShellIcon(link, size);
    return IconFromPixels(Layered(ResizedNearest(arrow, target.width), target));
}

}  // namespace

unique_hicon GetShellIcon(const std::string& fileName, int size) {
    SHFILEINFOW fileInfo{};
    if (!SHGetFileInfoW(Widen(fileName).c_str(), 0, &fileInfo, sizeof fileInfo, SHGFI_SYSICONINDEX)) return {};
    if (unique_hicon icon = SystemListIcon(fileInfo.iIcon, size, 0)) return icon;
    // Without the larger lists the shell still gives its large icon.
    if (!SHGetFileInfoW(Widen(fileName).c_str(), 0, &fileInfo, sizeof fileInfo, SHGFI_ICON)) return {};
    return unique_hicon(fileInfo.hIcon);
}

// From the list whose images are the smallest not smaller than `size`; a
// larger image is brought down smoothly, since an image list shrinking it
// itself drops pixels.
unique_hicon GetSystemImageIcon(int image, int size) {
    for (const int list : {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE, SHIL_JUMBO}) {
        ComPtr<IImageList> images;
        int width = 0;
        int height = 0;
        if (FAILED(SHGetImageList(list, __uuidof(IImageList), images.put_void())) ||
            FAILED(images->GetIconSize(&width, &height)) || width < size) {
            continue;
        }
        HICON icon = nullptr;
        if (FAILED(images->GetIcon(image, ILD_TRANSPARENT, &icon))) return {};
        unique_hicon found(icon);
        if (width == size) return found;
        return IconFromPixels(ResizedSmooth(PixelsOfIcon(found.get()), size));
    }
    return {};
}

namespace {

// The icon at index of the file at `size` pixels, made from the image that fits best; empty when there is none.
unique_hicon ExtractFileIcon(const std::wstring& fileName, int index, int size) {
    HICON icon = nullptr;
    UINT id = 0;
    if (PrivateExtractIconsW(fileName.c_str(), index, size, size, &icon, &id, 1, 0) != 1) return {};
    return unique_hicon(icon);
}

}  // namespace

// Each look into the file loads it: the icons are counted only when the one
// at index is not there, which spares programs and libraries a second load.
unique_hicon GetFileIcon(const std::string& fileName, int index, int size) {
    if (IsShortcutFileName(fileName)) return ShortcutIcon(fileName, size);
    // A negative index would name a resource rather than a position, so it
    // takes the shell's icon, as a file without icons does.
    if (index < 0) return GetShellIcon(fileName, size);
    const std::wstring wideName = Widen(fileName);
    if (unique_hicon icon = ExtractFileIcon(wideName, index, size)) return icon;
    const int count = GetIconCount(fileName);
    if (count > 0 && index >= count) {
        if (unique_hicon icon = ExtractFileIcon(wideName, count - 1, size)) return icon;
    }
    return GetShellIcon(fileName, size);
}

// The system's icon is shared and must not be destroyed: a copy of it at the
// size, made from the image of the icon that fits best, is the caller's own.
unique_hicon GetWarningIcon(int size) {
    const HICON shared = LoadIconW(nullptr, IDI_WARNING);
    if (!shared) return {};
    return unique_hicon(static_cast<HICON>(CopyImage(shared, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE)));
}

}  // namespace tavrin
