// The display scale of windows: the DPI of the monitor a window is on, and the
// user-interface font at a DPI. Sizes themselves are scaled by rules/Scale.h.
#pragma once

#include <windows.h>

#include "win32/UniqueResource.h"

namespace tavrin {

// The DPI of the window's monitor; the system's for no window.
[[nodiscard]] int DpiOf(HWND window) noexcept;

// A font of the non-client metrics at a DPI: that of messages and controls, or that of menus.
enum class UiFont { Message, Menu };
[[nodiscard]] unique_hfont CreateUiFont(int dpi, UiFont which = UiFont::Message);

}  // namespace tavrin
