// Paths as the shell spells them, and the user's special folders. Text is UTF-8.
#pragma once

#include <string>

namespace tavrin {

// The full path (a relative path taken against the current folder) in the
// shell's canonical form: short names expanded, spelled as the shell shows
// it. The plain full path when the shell cannot parse it.
[[nodiscard]] std::string GetCanonicalPath(const std::string& path);

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
