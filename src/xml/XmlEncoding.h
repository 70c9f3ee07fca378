// The encodings a document may come in. Tavrin writes UTF-8; earlier versions
// wrote text in the system's ANSI code page and declared a single-byte code
// page ("windows-1251"). Anything else is refused rather than guessed at.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tavrin {

enum class EncodingLabel {
    Utf8,        // "UTF-8" in any case, with or without the hyphen
    SingleByte,  // a single-byte code page: windows-1251, cp1252, iso-8859-5, latin1, ...
    Unsupported  // UTF-16, Shift_JIS, ...: the reader cannot take it
};

[[nodiscard]] EncodingLabel ClassifyEncodingLabel(std::string_view label) noexcept;
// "UTF-8" as registered, in any case: a save keeps such a declaration as it is.
[[nodiscard]] bool IsRegisteredUtf8Label(std::string_view label) noexcept;

// True for text that starts like UTF-16: a byte order mark of either order, or
// a NUL beside the first character.
[[nodiscard]] bool LooksLikeUtf16(std::string_view bytes) noexcept;

// Converts text in the system's ANSI code page to UTF-8. Throws std::range_error
// when the text holds bytes the code page does not define.
using AnsiDecoder = std::function<std::string(std::string_view)>;

// The UTF-8 form of text in the system's ANSI code page. A byte the code page
// does not define raises XmlError at its line and column.
[[nodiscard]] std::string DecodeAnsiText(std::string_view bytes, const std::string& fileName,
                                         const AnsiDecoder& decode);

}  // namespace tavrin
