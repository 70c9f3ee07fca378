// UTF-8 inside the program, UTF-16 at the Windows API: the two conversions.
#pragma once

#include <string>
#include <string_view>

namespace tavrin {

[[nodiscard]] std::wstring Widen(std::string_view utf8);
[[nodiscard]] std::string Narrow(std::wstring_view utf16);
// Text in a Windows code page (CP_ACP: the system's ANSI code page) as UTF-8.
// Throws std::range_error when the text holds bytes the code page does not define.
[[nodiscard]] std::string CodePageToUtf8(unsigned codePage, std::string_view bytes);
// The system's message for a Win32 error code, in UTF-8.
[[nodiscard]] std::string SystemErrorText(unsigned long error);

}  // namespace tavrin
