#include "xml/XmlEncoding.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "xml/AsciiCase.h"
#include "xml/XmlChars.h"
#include "xml/XmlError.h"

namespace tavrin {
namespace {

// The label in lower case without hyphens and underscores: "ISO_8859-5" is "iso88595".
std::string Normalized(std::string_view label) {
    std::string name;
    for (const char c : label) {
        if (c != '-' && c != '_') name += AsciiLower(c);
    }
    return name;
}

// The number that follows prefix in name when it lies in [low, high].
bool HasNumberAfter(std::string_view name, std::string_view prefix, int low, int high) noexcept {
    if (!name.starts_with(prefix)) return false;
    const std::string_view digits = name.substr(prefix.size());
    if (digits.empty() || digits.size() > 4 || digits.front() == '0') return false;
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    return number >= low && number <= high;
}

bool IsSingleByteName(std::string_view name) noexcept {
    for (const std::string_view fixed : {"ascii", "usascii", "koi8r", "koi8u", "cp866", "ibm866"}) {
        if (name == fixed) return true;
    }
    for (const std::string_view windows : {"windows", "cp", "xcp"}) {
        if (HasNumberAfter(name, windows, 874, 874) || HasNumberAfter(name, windows, 1250, 1258)) return true;
    }
    // ISO 8859 has parts 1 to 16 but no part 12; latin1 to latin10 are some of them.
    return (HasNumberAfter(name, "iso8859", 1, 16) && name != "iso885912") || HasNumberAfter(name, "latin", 1, 10);
}

std::optional<std::string> TryDecode(const AnsiDecoder& decode, std::string_view bytes) {
    try {
        return decode(bytes);
    } catch (const std::range_error&) {
        return std::nullopt;
    }
}

}  // namespace

EncodingLabel ClassifyEncodingLabel(std::string_view label) noexcept {
    const std::string name = Normalized(label);
    if (name == "utf8") return EncodingLabel::Utf8;
    return IsSingleByteName(name) ? EncodingLabel::SingleByte : EncodingLabel::Unsupported;
}

bool IsRegisteredUtf8Label(std::string_view label) noexcept { return EqualsIgnoringCase(label, "utf-8"); }

bool LooksLikeUtf16(std::string_view bytes) noexcept {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
           (bytes.size() >= 2 && (bytes[0] == '\0') != (bytes[1] == '\0'));
}

std::string DecodeAnsiText(std::string_view bytes, const std::string& fileName, const AnsiDecoder& decode) {
    if (std::optional<std::string> text = TryDecode(decode, bytes)) return std::move(*text);
    // Find the place of the first byte the code page refuses. A line feed is never
    // part of a multi-byte character in an ANSI code page, so lines decode alone;
    // in the first line that does not, the longest prefix that does ends before it.
    int line = 1;
    std::size_t lineStart = 0;
    std::string_view lineText;
    for (;;) {
        lineText = bytes.substr(lineStart, bytes.find('\n', lineStart) - lineStart);
        if (lineStart + lineText.size() == bytes.size() || !TryDecode(decode, lineText)) break;
        lineStart += lineText.size() + 1;
        ++line;
    }
    std::size_t good = 0, bad = lineText.size();
    std::string decoded;
    while (bad - good > 1) {
        const std::size_t middle = good + (bad - good) / 2;
        if (std::optional<std::string> prefix = TryDecode(decode, lineText.substr(0, middle))) {
            good = middle;
            decoded = std::move(*prefix);
        } else {
            bad = middle;
        }
    }
    const auto column = 1 + std::count_if(decoded.begin(), decoded.end(), [](char c) { return (c & 0xC0) != 0x80; });
    throw XmlError(fileName, line, static_cast<int>(column),
                   "the system's ANSI code page cannot read this text; save the file as UTF-8");
}

}  // namespace tavrin
