// Letter case of ASCII letters, the same in every locale. The names the program
// compares without case (XML declarations, encoding labels, extensions, device
// and key names) fold only A-Z and a-z; every other byte, UTF-8 sequences
// included, stays as it is.
#pragma once

#include <algorithm>
#include <string_view>

namespace tavrin {

[[nodiscard]] constexpr char AsciiLower(char c) noexcept {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
[[nodiscard]] constexpr char AsciiUpper(char c) noexcept {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
[[nodiscard]] constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) noexcept {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

}  // namespace tavrin
