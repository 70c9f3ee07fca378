// Text as menus, tabs and status bars show it: ampersands kept as written, and
// the width a text takes in a font, or the text cut to a width.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace tavrin {

// A caption for a menu entry or a tab, where "&" marks the letter after it as
// the key: every "&" is doubled, so that it is shown as written.
[[nodiscard]] std::wstring WithLiteralAmpersands(std::wstring_view text);

// The width in pixels of the text in the font, as the window would draw it.
[[nodiscard]] int TextWidth(HWND window, HFONT font, std::wstring_view text);
// The text when it is at most `width` pixels wide in the font; otherwise as
// much of its start as fits with an ellipsis after it.
[[nodiscard]] std::wstring CutToWidth(HWND window, HFONT font, std::wstring_view text, int width);

}  // namespace tavrin
