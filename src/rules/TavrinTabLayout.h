// The layout of the Tavrin Tab, in 96-DPI pixels relative to its page: a row
// of six recent buttons above a row of six most-used buttons, a divider, and
// the four tool icons. The pitch of the rows is 35 pixels, one more than a
// group page's; every panel is a cell of the grid's size holding one picture.
#pragma once

#include <array>

#include "rules/GridGeometry.h"

namespace tavrin {

struct PanelPlace {
    int left = 0;
    int top = 0;
};

inline constexpr int kTavrinTabPitch = 35;

constexpr std::array<PanelPlace, 6> RowOfSix(int top) noexcept {
    std::array<PanelPlace, 6> row{};
    for (int k = 0; k < 6; ++k) row[k] = {k * kTavrinTabPitch, top};
    return row;
}

// The recent images, most recent first.
inline constexpr std::array<PanelPlace, 6> kRecentPanels = RowOfSix(0);
// The most-used images, most used first.
inline constexpr std::array<PanelPlace, 6> kMostUsedPanels = RowOfSix(34);

inline constexpr PanelPlace kOptionsPanel{225, 0};
inline constexpr PanelPlace kReportPanel{263, 0};
inline constexpr PanelPlace kBackupPanel{225, 34};
inline constexpr PanelPlace kRestorePanel{263, 34};

// The divider: a raised vertical line between the button rows and the tools.
inline constexpr CellRect kDivider{217, -4, 7, 75};

// The cell of a panel at a display scale: its corner scaled, its size the grid's.
[[nodiscard]] constexpr CellRect PanelCell(PanelPlace place, int dpi) noexcept {
    const int cell = GridAt(dpi).cell;
    return {Scaled(place.left, dpi), Scaled(place.top, dpi), cell, cell};
}

}  // namespace tavrin
