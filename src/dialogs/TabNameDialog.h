// The box that asks for the name of a group tab.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tavrin {

// Shows the box with `name` filled in; the name as typed after OK, nothing
// after Cancel. OK refuses a name of blanks only and keeps the box open.
[[nodiscard]] std::optional<std::string> ShowTabNameDialog(HWND owner, const std::string& name);

}  // namespace tavrin
