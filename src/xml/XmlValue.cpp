#include "xml/XmlValue.h"

#include <algorithm>
#include <charconv>

#include "xml/AsciiCase.h"

namespace tavrin {
namespace {

bool AllDigits(std::string_view text) noexcept {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsDecimal(std::string_view text) noexcept {
    if (text.starts_with('-')) text.remove_prefix(1);
    return AllDigits(text);
}

// The number the whole text spells, in range of Number: from_chars alone
// would stop at the first character that is not part of it.
template <typename Number>
std::optional<Number> WholeNumber(std::string_view text) noexcept {
    Number number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return number;
}

}  // namespace

std::string ValueText(const XmlValue& value) {
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    if (const auto* number = std::get_if<std::int32_t>(&value)) return std::to_string(*number);
    return std::get<bool>(value) ? "1" : "0";
}

std::optional<std::int32_t> ParseXmlInt(std::string_view text) noexcept {
    if (!IsDecimal(text)) return std::nullopt;
    return WholeNumber<std::int32_t>(text);
}

std::optional<std::int64_t> ParseXmlCount(std::string_view text, std::int64_t most) noexcept {
    if (!AllDigits(text)) return std::nullopt;
    const std::optional<std::int64_t> number = WholeNumber<std::int64_t>(text);
    if (!number || *number > most) return std::nullopt;
    return number;
}

std::optional<bool> ParseXmlBool(std::string_view text) noexcept {
    if (IsDecimal(text)) return text.find_first_of("123456789") != std::string_view::npos;
    if (EqualsIgnoringCase(text, "true")) return true;
    if (EqualsIgnoringCase(text, "false")) return false;
    return std::nullopt;
}

std::optional<std::int32_t> ValueAsInt(const XmlValue& value) noexcept {
    if (const auto* text = std::get_if<std::string>(&value)) return ParseXmlInt(*text);
    if (const auto* number = std::get_if<std::int32_t>(&value)) return *number;
    return std::get<bool>(value) ? 1 : 0;
}

std::optional<bool> ValueAsBool(const XmlValue& value) noexcept {
    if (const auto* text = std::get_if<std::string>(&value)) return ParseXmlBool(*text);
    if (const auto* number = std::get_if<std::int32_t>(&value)) return *number != 0;
    return std::get<bool>(value);
}

bool ValuesEqual(const XmlValue& a, const XmlValue& b) noexcept {
    if (const auto* text = std::get_if<std::string>(&a)) return TextEquals(*text, b);
    if (const auto* text = std::get_if<std::string>(&b)) return TextEquals(*text, a);
    if (std::holds_alternative<bool>(a) || std::holds_alternative<bool>(b)) return ValueAsBool(a) == ValueAsBool(b);
    return ValueAsInt(a) == ValueAsInt(b);
}

bool TextEquals(std::string_view text, const XmlValue& value) noexcept {
    if (const auto* flag = std::get_if<bool>(&value)) {
        const auto read = ParseXmlBool(text);
        return read && *read == *flag;
    }
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        const auto read = ParseXmlInt(text);
        return read && *read == *number;
    }
    return text == std::get<std::string>(value);
}

}  // namespace tavrin
