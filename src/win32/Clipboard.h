// Text placed on the clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace tavrin {

// Replaces the clipboard's content with the text; false when the clipboard
// could not be had (another program holds it).
bool CopyTextToClipboard(HWND owner, const std::string& text);

}  // namespace tavrin
