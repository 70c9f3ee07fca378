// The layout of the Tavrin Tab, in pixels relative to its page: a row of six
// recent buttons above a row of six most-used buttons, a divider, and the four
// tool icons. The pitch of the two rows is 35 pixels, one more than a group
// page's; every panel is a 34-pixel cell holding one 32-pixel image.
#pragma once

#include <array>

#include "rules/GridGeometry.h"

namespace tavrin {

struct PanelPlace {
    int left = 0;
    int top = 0;
};

inline constexpr int kTavrinTabPitch = kCellSize + 1;

constexpr std::array<PanelPlace, 6> RowOfSix(int top) noexcept {
    std::array<PanelPlace, 6> row{};
    for (int k = 0; k < 6; ++k) row[k] = {k * kTavrinTabPitch, top};
    return row;
}

// Image_Last1 .. Image_Last6 (Panel1 .. Panel6), most recent first.
inline constexpr std::array<PanelPlace, 6> kRecentPanels = RowOfSix(0);
// Image_Top1 .. Image_Top6 (Panel7 .. Panel12), most used first.
inline constexpr std::array<PanelPlace, 6> kMostUsedPanels = RowOfSix(kCellSize);

inline constexpr PanelPlace kOptionsPanel{225, 0};   // Panel15, Image_Options
inline constexpr PanelPlace kReportPanel{263, 0};    // Panel14, Image_Report
inline constexpr PanelPlace kBackupPanel{225, 34};   // Panel16, Image_Backup
inline constexpr PanelPlace kRestorePanel{263, 34};  // Panel17, Image_Restore

// Bevel1: a raised vertical line between the button rows and the tools.
inline constexpr CellRect kDivider{217, -4, 7, 75};

}  // namespace tavrin
