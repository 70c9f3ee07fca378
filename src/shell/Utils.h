// The shell functions the program shares: canonical paths, icons of files,
// the user's special folders, and writing shortcut files. Text is UTF-8.
#pragma once

#include <cstdint>
#include <string>

#include "win32/UniqueResource.h"

namespace tavrin {

// What a shortcut written by CreateShellLink holds.
struct ShellLinkSpec {
    std::string Path;
    std::string WorkingDirectory;
    std::string IconLocation;
    std::int32_t IconIndex = 0;
    std::string Arguments;
    std::string Description;
    std::string RelativePath;
    std::int32_t ShowCmd = SW_SHOWNORMAL;  // a Windows show command
    std::uint16_t HotKey = 0;              // platform hot-key encoding; 0 = none
};

// Writes spec to linkFileName through the ShellLink object, replacing an
// existing file; true when the save succeeded. COM must be initialised on the
// calling thread; throws std::runtime_error when the object cannot be made.
[[nodiscard]] bool CreateShellLink(const ShellLinkSpec& spec, const std::string& linkFileName);

// The full path (a relative path taken against the current folder) in the
// shell's canonical form: short names expanded, spelled as the shell shows
// it. The plain full path when the shell cannot parse it.
[[nodiscard]] std::string GetCanonicalPath(const std::string& path);

// The number of icons in an executable, library or icon file; 0 for any other file.
[[nodiscard]] int GetIconCount(const std::string& fileName);

// The shell's icon for the file, in the large size; empty on failure.
[[nodiscard]] unique_hicon GetShellIcon(const std::string& fileName);

// The icon at index in the file (the last one for an index beyond them), or
// the shell's icon when the file holds none or index is negative.
[[nodiscard]] unique_hicon GetFileIcon(const std::string& fileName, int index);

// Special folders by number, as the options store them.
enum SpecialFolderKind : int {
    kFolderDesktop,
    kFolderStartMenu,
    kFolderPrograms,
    kFolderStartup,
    kFolderDocuments,
    kFolderAppData,
    kFolderFonts,
    kFolderSendTo,
    kFolderRecent,
    kFolderFavorites,
    kFolderInternetCache,
    kFolderCookies,
    kFolderHistory,
    kFolderNetHood,
    kFolderPrintHood,
    kFolderTemplates,
    kFolderLocalAppData,
    kFolderWindows,
    kFolderSystem,
    kFolderTemp,
    kFolderSystemDrive,
    kFolderProgramFiles,
    kFolderCommonFiles,
    kFolderConfigPath,
    kFolderDevicePath,
    kFolderMediaPath,
    kFolderWallpaper,
};

// The folder of kind 0 to 26, ending with "\"; empty for a missing value or another kind.
[[nodiscard]] std::string GetSpecialFolder(int kind);

}  // namespace tavrin
