// Legacy text decoded as Latin-1, which is what the system's conversion does
// for the Latin-1 part of code page 1252: the ANSI decoder of native tests.
#pragma once

#include <string>
#include <string_view>

namespace tavrin::testing {

inline std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

}  // namespace tavrin::testing
