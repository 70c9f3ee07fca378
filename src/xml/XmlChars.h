// Byte classes of the reader and the UTF-8 rules the layer checks and writes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavrin {

// White space is any byte up to 32, as in the files earlier versions wrote.
[[nodiscard]] constexpr bool IsXmlSpace(char c) noexcept { return static_cast<unsigned char>(c) <= 32; }

// Every non-ASCII character counts as a letter, so a name never ends inside
// a UTF-8 sequence.
[[nodiscard]] constexpr bool IsNameStart(char c) noexcept {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}
[[nodiscard]] constexpr bool IsNameChar(char c) noexcept {
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == ':';
}

[[nodiscard]] bool IsXmlName(std::string_view text) noexcept;

// The offset of the first byte that does not belong to a well-formed UTF-8
// sequence (overlong forms, surrogates and code points above 10FFFF are not),
// or npos when all of text is valid.
[[nodiscard]] std::size_t FindInvalidUtf8(std::string_view text) noexcept;

// Appends the UTF-8 form of a valid code point.
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace tavrin
