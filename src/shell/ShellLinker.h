// Reading and writing shortcut files (".lnk") through the platform's ShellLink object.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "storage/Shell.h"

namespace tavrin {

// Reads the shortcut fileName into info. False, with info untouched, when the
// file cannot be opened or is not a shortcut with link information; false,
// with info cleared, when the ShellLink object cannot load it or its target
// resolves to no item ID list. Initialises COM for the call and balances it.
[[nodiscard]] bool ReadShellLink(const std::string& fileName, ShellLinkInfo& info);

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
// existing file; true when the save succeeded, false when the object cannot be
// made or the file was not written. COM must be initialised on the calling thread.
[[nodiscard]] bool CreateShellLink(const ShellLinkSpec& spec, const std::string& linkFileName);

}  // namespace tavrin
