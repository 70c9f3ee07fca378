// The cursors of the two modes in which the next click on a button picks the
// target of a swap or a copy: the platform's drag arrows, which tell the user
// that something is being carried and which of the two it is.
#pragma once

#include <windows.h>

namespace tavrin {

// Shared cursors of the system: never destroyed. Always two different ones.
[[nodiscard]] HCURSOR SwapPickCursor() noexcept;
[[nodiscard]] HCURSOR CopyPickCursor() noexcept;

}  // namespace tavrin
