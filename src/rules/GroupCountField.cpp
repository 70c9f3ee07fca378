#include "rules/GroupCountField.h"

#include <algorithm>
#include <charconv>

namespace tavrin {
namespace {

constexpr int kFieldMaximum = 10;
constexpr std::size_t kMostDigits = 4;

}  // namespace

GroupCountField OpenGroupCountField(int groupCount) noexcept {
    const int rows = std::max(kMinGroupCount, groupCount);
    return {rows, std::max(kFieldMaximum, rows)};
}

int GroupCountOfText(std::string_view text, int shownRows, int maximum) noexcept {
    if (text.empty() || text.size() > kMostDigits) return shownRows;
    if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) return shownRows;
    int count = 0;
    (void)std::from_chars(text.data(), text.data() + text.size(), count);
    return std::clamp(count, kMinGroupCount, maximum);
}

}  // namespace tavrin
