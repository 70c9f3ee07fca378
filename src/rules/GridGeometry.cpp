#include "rules/GridGeometry.h"

#include <charconv>

namespace tavrin {

CellRect CellOfSlot(int slot, int dpi) noexcept {
    const int index = slot - 1;
    const int cell = GridAt(dpi).cell;
    return {(index % kSlotsPerRow) * cell, (index / kSlotsPerRow) * cell, cell, cell};
}

std::optional<int> IDAfterTabRemoved(int buttonID, int removedTab) noexcept {
    const int tab = GroupOfButton(buttonID);
    if (tab == removedTab) return std::nullopt;
    return tab > removedTab ? RenumberedID(buttonID, tab - 1) : buttonID;
}

int IDAfterTabsExchanged(int buttonID, int a, int b) noexcept {
    const int tab = GroupOfButton(buttonID);
    if (tab == a) return RenumberedID(buttonID, b);
    if (tab == b) return RenumberedID(buttonID, a);
    return buttonID;
}

int IDAfterButtonMoved(int buttonID, int movedID, int slot) noexcept {
    const int group = GroupOfButton(movedID);
    const int from = SlotOfButton(movedID);
    const int at = SlotOfButton(buttonID);
    if (buttonID == movedID) return ButtonIDOf(group, slot);
    if (GroupOfButton(buttonID) != group) return buttonID;
    if (slot < from && at >= slot && at < from) return buttonID + 1;
    if (slot > from && at <= slot && at > from) return buttonID - 1;
    return buttonID;
}

std::optional<int> ParseButtonID(std::string_view text) noexcept {
    int value = 0;
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace tavrin
