// The display scale of windows: the DPI of the monitor a window is on, and the
// user-interface font at a DPI. Sizes themselves are scaled by rules/Scale.h.
#pragma once

#include <windows.h>

#include "win32/UniqueResource.h"

namespace tavrin {

// The DPI of the window's monitor; the system's for no window.
[[nodiscard]] int DpiOf(HWND window) noexcept;

// The font of messages and controls from the non-client metrics, at a DPI.
[[nodiscard]] unique_hfont CreateUiFont(int dpi);

}  // namespace tavrin
