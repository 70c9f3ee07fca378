#include "rules/GridGeometry.h"

#include <gtest/gtest.h>

#include "rules/ButtonHint.h"
#include "rules/TavrinTabLayout.h"

namespace tavrin {
namespace {

TEST(GridGeometryTest, TwentyCellsInTwoTouchingRowsOfTen) {
    EXPECT_EQ(CellOfSlot(1), (CellRect{0, 0, 34, 34}));
    EXPECT_EQ(CellOfSlot(2), (CellRect{34, 0, 34, 34}));
    EXPECT_EQ(CellOfSlot(10), (CellRect{306, 0, 34, 34}));
    EXPECT_EQ(CellOfSlot(11), (CellRect{0, 34, 34, 34}));  // directly below slot 1
    EXPECT_EQ(CellOfSlot(20), (CellRect{306, 34, 34, 34}));
    EXPECT_LE(CellOfSlot(20).left + kCellSize, kClientWidth);
}

TEST(GridGeometryTest, ButtonIDsJoinTabAndSlot) {
    EXPECT_EQ(ButtonIDOf(3, 1), 301);
    EXPECT_EQ(GroupOfButton(1220), 12);
    EXPECT_EQ(SlotOfButton(1220), 20);
    EXPECT_TRUE(IsGridSlot(1));
    EXPECT_TRUE(IsGridSlot(20));
    EXPECT_FALSE(IsGridSlot(0));
    EXPECT_FALSE(IsGridSlot(21));
}

TEST(GridGeometryTest, TabMovesAndDeletionsRenumberIDs) {
    EXPECT_EQ(RenumberedID(317, 2), 217);
    // Deleting tab 2 of 4: tab 1 stays, tab 2 is gone, tabs 3 and 4 move down.
    EXPECT_EQ(IDAfterTabRemoved(105, 2), 105);
    EXPECT_EQ(IDAfterTabRemoved(205, 2), std::nullopt);
    EXPECT_EQ(IDAfterTabRemoved(320, 2), 220);
    EXPECT_EQ(IDAfterTabRemoved(401, 2), 301);
    // Moving tab 1 right exchanges it with tab 2.
    EXPECT_EQ(IDAfterTabsExchanged(107, 1, 2), 207);
    EXPECT_EQ(IDAfterTabsExchanged(211, 1, 2), 111);
    EXPECT_EQ(IDAfterTabsExchanged(311, 1, 2), 311);
}

TEST(GridGeometryTest, ParsesDecimalButtonIDsOnly) {
    EXPECT_EQ(ParseButtonID("0"), 0);
    EXPECT_EQ(ParseButtonID("1203"), 1203);
    for (const char* bad : {"", " 12", "12 ", "-5", "+5", "1e3", "0x10", "abc", "99999999999"}) {
        EXPECT_EQ(ParseButtonID(bad), std::nullopt) << bad;
    }
}

TEST(GridGeometryTest, HintShowsHotKeyInBrackets) {
    EXPECT_EQ(ButtonHint("Editor", "Ctrl+Alt+N"), "Editor -[Ctrl+Alt+N]");
    EXPECT_EQ(ButtonHint("Editor", ""), "Editor");
    EXPECT_EQ(ButtonHint("", "F9"), " -[F9]");
}

TEST(GridGeometryTest, TavrinTabPanelsDoNotOverlapAndFitTheWindow) {
    std::vector<PanelPlace> places(kRecentPanels.begin(), kRecentPanels.end());
    places.insert(places.end(), kMostUsedPanels.begin(), kMostUsedPanels.end());
    places.insert(places.end(), {kOptionsPanel, kReportPanel, kBackupPanel, kRestorePanel});
    EXPECT_EQ(kRecentPanels[5].left, 175);
    EXPECT_EQ(kMostUsedPanels[0].top, 34);
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_LE(places[i].left + kCellSize, kClientWidth);
        for (std::size_t j = i + 1; j < places.size(); ++j) {
            const bool apart = places[i].left + kCellSize <= places[j].left ||
                               places[j].left + kCellSize <= places[i].left ||
                               places[i].top + kCellSize <= places[j].top || places[j].top + kCellSize <= places[i].top;
            EXPECT_TRUE(apart) << "panels " << i << " and " << j;
        }
    }
    EXPECT_LT(kMostUsedPanels[5].left + kCellSize, kDivider.left);
    EXPECT_LE(kDivider.left + kDivider.width, kOptionsPanel.left);
}

}  // namespace
}  // namespace tavrin
