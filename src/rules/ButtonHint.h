// The hint of a button image, shown in the status bar when the pointer is on it.
#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// The description, followed by " -[hot key]" when the button has a hot key.
[[nodiscard]] std::string ButtonHint(std::string_view description, std::string_view hotKey);

}  // namespace tavrin
