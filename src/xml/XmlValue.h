// Attribute values: text, a 32-bit integer or a boolean. Values read from a
// file are text; the getters convert on demand.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tavrin {

using XmlValue = std::variant<std::string, std::int32_t, bool>;

// The written form: text unchanged, integers in decimal, booleans "0" and "1".
[[nodiscard]] std::string ValueText(const XmlValue& value);
// A decimal integer with an optional leading '-' in 32-bit range; nothing else.
[[nodiscard]] std::optional<std::int32_t> ParseXmlInt(std::string_view text) noexcept;
// Decimal digits alone (no sign, blank or exponent) whose value is at most
// most; nothing else.
[[nodiscard]] std::optional<std::int64_t> ParseXmlCount(std::string_view text, std::int64_t most) noexcept;
// A decimal number (true when not zero), or "true"/"false" in any case.
[[nodiscard]] std::optional<bool> ParseXmlBool(std::string_view text) noexcept;

[[nodiscard]] std::optional<std::int32_t> ValueAsInt(const XmlValue& value) noexcept;
[[nodiscard]] std::optional<bool> ValueAsBool(const XmlValue& value) noexcept;

// Compares as typed values: text is converted to the other side's type, so the
// text "12" equals the integer 12. A comparison that cannot be made is unequal.
[[nodiscard]] bool ValuesEqual(const XmlValue& a, const XmlValue& b) noexcept;
// The same with a text on one side.
[[nodiscard]] bool TextEquals(std::string_view text, const XmlValue& value) noexcept;

}  // namespace tavrin
