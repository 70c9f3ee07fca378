// Button IDs and the geometry of a group page. A button ID names a slot:
// tab index × 100 + slot, slots 1 to 10 forming the top row from left to right
// and 11 to 20 the bottom row. Tab index 0 is the Tavrin Tab, which has no
// slots; ID 0 means no button.
#pragma once

#include <optional>
#include <string_view>

#include "rules/Scale.h"
#include "storage/ButtonRecord.h"

namespace tavrin {

inline constexpr int kSlotsPerRow = 10;

// The sizes of the grid at a display scale. At 96 DPI a cell is a 34-pixel
// raised panel around one 32-pixel picture (the grid ignores the IconSize
// setting), and the main window's client area is 348 pixels wide: ten cells
// and the tab control's borders.
struct GridMetrics {
    int icon = 0;
    int cell = 0;
    int inset = 0;  // from a cell's edge to its picture
    int clientWidth = 0;
};

[[nodiscard]] constexpr GridMetrics GridAt(int dpi) noexcept {
    const int icon = Scaled(32, dpi);
    const int cell = Scaled(34, dpi);
    return {icon, cell, (cell - icon) / 2, kSlotsPerRow * cell + Scaled(8, dpi)};
}

struct CellRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const CellRect&, const CellRect&) = default;
};

// The cell of a slot (1 to 20) relative to its group page; cells touch without gaps.
[[nodiscard]] CellRect CellOfSlot(int slot, int dpi) noexcept;

// A rectangle given in 96-DPI pixels, at a display scale.
[[nodiscard]] constexpr CellRect ScaledRect(const CellRect& rect, int dpi) noexcept {
    return {Scaled(rect.left, dpi), Scaled(rect.top, dpi), Scaled(rect.width, dpi), Scaled(rect.height, dpi)};
}

// The ID a panel carries once its tab stands at newTabIndex: the slot is kept.
[[nodiscard]] constexpr int RenumberedID(int buttonID, int newTabIndex) noexcept {
    return ButtonIDOf(newTabIndex, SlotOfButton(buttonID));
}

// The ID a stored button has after tab removedTab was deleted: the buttons of
// later tabs move down one tab; those of the deleted tab are gone (nullopt).
[[nodiscard]] std::optional<int> IDAfterTabRemoved(int buttonID, int removedTab) noexcept;

// The ID a button has after tabs a and b exchanged places.
[[nodiscard]] int IDAfterTabsExchanged(int buttonID, int a, int b) noexcept;

// The ID a button has after the button of movedID went to slot `slot` of its
// group and every slot between shifted one place toward movedID's old slot.
[[nodiscard]] int IDAfterButtonMoved(int buttonID, int movedID, int slot) noexcept;

// A button ID held as decimal text (the recent list stores IDs so); nullopt
// when the text is not a plain non-negative decimal number that fits an int.
[[nodiscard]] std::optional<int> ParseButtonID(std::string_view text) noexcept;

}  // namespace tavrin
