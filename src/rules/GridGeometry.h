// Button IDs and the geometry of a group page. A button ID names a slot:
// tab index × 100 + slot, slots 1 to 10 forming the top row from left to right
// and 11 to 20 the bottom row. Tab index 0 is the Tavrin Tab, which has no
// slots; ID 0 means no button.
#pragma once

#include <optional>
#include <string_view>

#include "storage/ButtonRecord.h"

namespace tavrin {

inline constexpr int kIconSize = 32;             // the grid ignores the IconSize setting
inline constexpr int kCellSize = kIconSize + 2;  // a cell is a raised panel around one icon
inline constexpr int kSlotsPerRow = 10;
inline constexpr int kClientWidth = kIconSize * 10 + 28;  // the main window's client width

struct CellRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const CellRect&, const CellRect&) = default;
};

[[nodiscard]] constexpr bool IsGridSlot(int slot) noexcept { return slot >= 1 && slot <= kSlotsPerGroup; }

// The cell of a slot (1 to 20) relative to its group page; cells touch without gaps.
[[nodiscard]] CellRect CellOfSlot(int slot) noexcept;

// The ID a panel carries once its tab stands at newTabIndex: the slot is kept.
[[nodiscard]] constexpr int RenumberedID(int buttonID, int newTabIndex) noexcept {
    return ButtonIDOf(newTabIndex, SlotOfButton(buttonID));
}

// The ID a stored button has after tab removedTab was deleted: the buttons of
// later tabs move down one tab; those of the deleted tab are gone (nullopt).
[[nodiscard]] std::optional<int> IDAfterTabRemoved(int buttonID, int removedTab) noexcept;

// The ID a button has after tabs a and b exchanged places.
[[nodiscard]] int IDAfterTabsExchanged(int buttonID, int a, int b) noexcept;

// A button ID held as decimal text (the recent list stores IDs so); nullopt
// when the text is not a plain non-negative decimal number that fits an int.
[[nodiscard]] std::optional<int> ParseButtonID(std::string_view text) noexcept;

}  // namespace tavrin
