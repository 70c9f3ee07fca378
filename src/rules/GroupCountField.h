// The tab count field of the options dialog: a number of groups, and so of
// rows of the names grid below it.
#pragma once

#include <string_view>

namespace tavrin {

inline constexpr int kMinGroupCount = 1;

// The rows the grid shows as the dialog opens and the largest number the field
// takes: 10, or more when more groups were made with "Create New Tab...", so
// that those are shown as they are, not cut.
struct GroupCountField {
    int rows = kMinGroupCount;
    int maximum = kMinGroupCount;
};

[[nodiscard]] GroupCountField OpenGroupCountField(int groupCount) noexcept;

// The number of rows the field's text stands for: a whole number of at most
// four digits, held to kMinGroupCount..maximum. Any other text, empty
// included, stands for the rows shown.
[[nodiscard]] int GroupCountOfText(std::string_view text, int shownRows, int maximum) noexcept;

}  // namespace tavrin
