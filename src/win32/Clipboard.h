// Text put on the clipboard for other programs to paste.
#pragma once

#include <windows.h>

#include <string_view>

namespace tavrin {

// Replaces the clipboard's content with the text (CF_UNICODETEXT); false when
// the clipboard could not be opened or took nothing.
[[nodiscard]] bool PutClipboardText(HWND owner, std::string_view utf8);

}  // namespace tavrin
