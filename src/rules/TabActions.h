// Rules of the tab menu and of the tab-name box, and how the Tavrin Tab
// follows the buttons whose IDs a tab or button action changed. The page is
// the tab index: 0 is the Tavrin Tab, group pages follow; -1 stands for no page.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/MostUsed.h"

namespace tavrin {

// Which entries of the tab menu act on the page the menu was opened for. The
// Tavrin Tab never moves and nothing moves onto it; the last group page stays.
struct TabMenuRules {
    bool moveLeft = false;
    bool moveRight = false;
    bool remove = false;

    friend bool operator==(const TabMenuRules&, const TabMenuRules&) = default;
};

[[nodiscard]] constexpr TabMenuRules TabMenuFor(int page, int pageCount) noexcept {
    return {page > 1 && page<pageCount, page> 0 && page<pageCount - 1, page> 0 && page < pageCount && pageCount > 2};
}

// A name without the blanks and control characters around it; an empty
// result is no name. The name itself is kept as typed.
[[nodiscard]] constexpr std::string_view TrimmedName(std::string_view name) noexcept {
    while (!name.empty() && static_cast<unsigned char>(name.front()) <= ' ') name.remove_prefix(1);
    while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ') name.remove_suffix(1);
    return name;
}

// The Tavrin Tab after group page removedTab was deleted: its buttons leave
// the recent list (which keeps its length, "0" filling the end) and the
// most-used panel, and the buttons of later pages follow their new IDs.
[[nodiscard]] std::vector<std::string> RecentAfterTabRemoved(const std::vector<std::string>& recent, int removedTab);
ChangedPositions MostUsedAfterTabRemoved(MostUsedState& state, int removedTab);

// The Tavrin Tab after the button movedID went to slot `slot` of its group and
// the buttons between shifted one place: the recent entries and most-used
// positions showing a button of that group follow its new ID. Recent entries
// that are no button ID stay as they are.
[[nodiscard]] std::vector<std::string> RecentAfterButtonMoved(const std::vector<std::string>& recent, int movedID,
                                                              int slot);
ChangedPositions MostUsedAfterButtonMoved(MostUsedState& state, int movedID, int slot);

}  // namespace tavrin
