#include "rules/IconIndexField.h"

#include <charconv>

namespace tavrin {

int ClampedIconIndex(int value, int minimum, int maximum) noexcept {
    if (minimum == maximum) return value;
    if (value < minimum) return minimum;
    if (value > maximum) return maximum;
    return value;
}

void ApplyIconFile(IconIndexField& field, std::optional<int> iconCount) noexcept {
    if (!iconCount) {
        field.maximum = 1;  // first, so that the value is 1 whatever the minimum
        field.Set(1);
        return;
    }
    field.minimum = 1;
    field.maximum = *iconCount;
    if (field.maximum < field.value) field.Set(1);
    field.enabled = field.maximum > 1;
}

int ReadIconIndex(std::string_view text, int minimum) noexcept {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return minimum;
    return value;
}

}  // namespace tavrin
