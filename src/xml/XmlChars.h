// Byte classes of the reader and the UTF-8 rules the layer checks and writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
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

// Compares names, which are short: eight bytes at a time and then byte by byte
// beats a call of memcmp.
[[nodiscard]] inline bool SameBytes(std::string_view a, std::string_view b) noexcept {
    if (a.size() != b.size()) return false;
    std::size_t i = 0;
    for (; i + 8 <= a.size(); i += 8) {
        std::uint64_t x, y;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        if (x != y) return false;
    }
    for (; i < a.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

// The characters an XML 1.0 document may hold: tab, line feed, carriage return
// and everything from the blank up except the surrogates, U+FFFE and U+FFFF.
// Other parsers refuse a file with any other, even as a character reference.
[[nodiscard]] constexpr bool IsXmlChar(char32_t c) noexcept {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// The length of the well-formed UTF-8 sequence of an XML character that starts
// at text[offset], or 0 when none does (a control character, a stray or
// overlong byte, a surrogate, U+FFFE, ...).
[[nodiscard]] std::size_t XmlCharLength(std::string_view text, std::size_t offset) noexcept;

// The offset of the first byte that does not start such a sequence, or npos
// when all of text is made of XML characters.
[[nodiscard]] std::size_t FindNonXmlChar(std::string_view text) noexcept;

// Appends the UTF-8 form of a valid code point.
void AppendUtf8(std::string& out, char32_t codePoint);

}  // namespace tavrin
