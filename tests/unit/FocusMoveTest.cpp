#include "rules/FocusMove.h"

#include <gtest/gtest.h>

#include <vector>

#include "rules/TavrinTabLayout.h"

namespace tavrin {
namespace {

std::vector<CellRect> GroupPage() {
    std::vector<CellRect> cells;
    for (int slot = 1; slot <= 20; ++slot) cells.push_back(CellOfSlot(slot, 144));
    return cells;
}

// Index i holds slot i + 1.
TEST(FocusMoveTest, OnAGroupPageLeftAndRightCrossTheRowBreakAndUpAndDownKeepTheColumn) {
    const std::vector<CellRect> page = GroupPage();
    EXPECT_EQ(MovedFocus(page, 9, FocusKey::Right), 10);  // 10 → 11
    EXPECT_EQ(MovedFocus(page, 10, FocusKey::Left), 9);
    EXPECT_EQ(MovedFocus(page, 0, FocusKey::Left), 0);
    EXPECT_EQ(MovedFocus(page, 19, FocusKey::Right), 19);
    EXPECT_EQ(MovedFocus(page, 14, FocusKey::Up), 4);
    EXPECT_EQ(MovedFocus(page, 4, FocusKey::Down), 14);
    EXPECT_EQ(MovedFocus(page, 14, FocusKey::Down), 14);
    EXPECT_EQ(MovedFocus(page, 12, FocusKey::Home), 0);
    EXPECT_EQ(MovedFocus(page, 3, FocusKey::End), 19);
    EXPECT_EQ(MovedFocus(page, -1, FocusKey::Down), 0);
    EXPECT_EQ(MovedFocus({}, 0, FocusKey::Right), -1);
}

// Cells given in the Tavrin Tab's making order: recent and most-used images in turn, then the tools.
TEST(FocusMoveTest, OnTheTavrinTabTheFocusReadsEachRowOnToItsTools) {
    std::vector<CellRect> cells;
    for (int k = 0; k < 6; ++k) {
        cells.push_back(PanelCell(kRecentPanels[k], 96));
        cells.push_back(PanelCell(kMostUsedPanels[k], 96));
    }
    for (const PanelPlace tool : {kOptionsPanel, kReportPanel, kBackupPanel, kRestorePanel}) {
        cells.push_back(PanelCell(tool, 96));
    }
    EXPECT_EQ(MovedFocus(cells, 10, FocusKey::Right), 12);  // the sixth recent image → Options
    EXPECT_EQ(MovedFocus(cells, 13, FocusKey::Right), 1);   // Report → the first most-used image
    EXPECT_EQ(MovedFocus(cells, 12, FocusKey::Down), 14);   // Options → Backup
    EXPECT_EQ(MovedFocus(cells, 3, FocusKey::Up), 2);       // most-used 2 → recent 2
    EXPECT_EQ(MovedFocus(cells, 0, FocusKey::End), 15);
}

}  // namespace
}  // namespace tavrin
