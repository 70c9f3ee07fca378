// Paths as the shell spells them, and the user's desktop and Start menu folders. Text is UTF-8.
#pragma once

#include <string>

namespace tavrin {

// The full path (a relative path taken against the current folder) in the
// shell's canonical form: short names expanded, spelled as the shell shows
// it. The plain full path when the shell cannot parse it.
[[nodiscard]] std::string GetCanonicalPath(const std::string& path);

// The user's folders that the options put the program's shortcut into.
enum class UserFolder { Desktop, StartMenu };

// The folder as the shell knows it, ending with "\"; empty when the shell has none.
[[nodiscard]] std::string GetUserFolder(UserFolder folder);

}  // namespace tavrin
