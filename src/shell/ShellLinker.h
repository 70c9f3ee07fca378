// Reading shortcut files (".lnk") through the platform's ShellLink object.
#pragma once

#include <string>

#include "storage/Shell.h"

namespace tavrin {

// Reads the shortcut fileName into info. False, with info untouched, when the
// file cannot be opened or is not a shortcut with link information; false,
// with info cleared, when the ShellLink object cannot load it or its target
// resolves to no item ID list. Initialises COM for the call and balances it.
[[nodiscard]] bool ReadShellLink(const std::string& fileName, ShellLinkInfo& info);

}  // namespace tavrin
