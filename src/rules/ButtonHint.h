// The hint of a button image, shown in the status bar when the pointer is on it.
#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// The description, followed by " -[hot key]" when the button has a hot key,
// and by " (missing)" when the button's target is gone, and by a blank and
// the note when there is one (a hot key not registered).
[[nodiscard]] std::string ButtonHint(std::string_view description, std::string_view hotKey, bool targetMissing = false,
                                     std::string_view note = {});

}  // namespace tavrin
