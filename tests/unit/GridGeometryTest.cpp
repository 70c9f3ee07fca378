#include "rules/GridGeometry.h"

#include <gtest/gtest.h>

#include "rules/ButtonHint.h"
#include "rules/HotKeyRefusal.h"
#include "rules/TavrinTabLayout.h"

namespace tavrin {
namespace {

constexpr int kScales[] = {96, 120, 144, 192};

TEST(GridGeometryTest, ScalingRoundsToTheNearestPixelAsMulDivDoes) {
    EXPECT_EQ(Scaled(34, 96), 34);
    EXPECT_EQ(Scaled(34, 120), 43);  // 42.5
    EXPECT_EQ(Scaled(-4, 144), -6);
    EXPECT_EQ(Scaled(-3, 120), -4);  // -3.75
    EXPECT_EQ(Scaled(1, 144), 2);    // 1.5
}

TEST(GridGeometryTest, TwentyCellsInTwoTouchingRowsOfTen) {
    EXPECT_EQ(CellOfSlot(1, 96), (CellRect{0, 0, 34, 34}));
    EXPECT_EQ(CellOfSlot(2, 96), (CellRect{34, 0, 34, 34}));
    EXPECT_EQ(CellOfSlot(10, 96), (CellRect{306, 0, 34, 34}));
    EXPECT_EQ(CellOfSlot(11, 96), (CellRect{0, 34, 34, 34}));  // directly below slot 1
    EXPECT_EQ(CellOfSlot(20, 96), (CellRect{306, 34, 34, 34}));
    EXPECT_EQ(GridAt(96).clientWidth, 348);
    EXPECT_EQ(CellOfSlot(2, 144).left, 51);
    EXPECT_EQ(GridAt(144).clientWidth, 522);
    for (const int dpi : kScales) {
        const GridMetrics grid = GridAt(dpi);
        EXPECT_EQ(grid.icon, dpi / 3) << dpi;  // 32, 40, 48, 64
        EXPECT_EQ(CellOfSlot(11, dpi).top, CellOfSlot(1, dpi).top + grid.cell) << dpi;
        EXPECT_EQ(CellOfSlot(3, dpi).left, CellOfSlot(2, dpi).left + grid.cell) << dpi;
        EXPECT_GE(grid.inset, 1) << dpi;
        EXPECT_LE(grid.inset + grid.icon, grid.cell - 1) << dpi;  // the frame stays visible on every side
        EXPECT_LE(CellOfSlot(20, dpi).left + grid.cell, grid.clientWidth) << dpi;
    }
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
    EXPECT_EQ(ButtonHint("Editor", "Ctrl+Alt+N", false, RefusalNote({HotKeyHolder::Button, "\"Notepad\""})),
              "Editor -[Ctrl+Alt+N] (hot key taken by \"Notepad\")");
    EXPECT_EQ(RefusalLine("Ctrl+Alt+N", {HotKeyHolder::OtherProgram, ""}), "Ctrl+Alt+N is taken by another program.");
    EXPECT_EQ(ButtonHint("Editor", "Ctrl+Alt+N", true), "Editor -[Ctrl+Alt+N] (missing)");
}

TEST(GridGeometryTest, TavrinTabPanelsDoNotOverlapAndFitTheWindowAtEveryScale) {
    std::vector<PanelPlace> places(kRecentPanels.begin(), kRecentPanels.end());
    places.insert(places.end(), kMostUsedPanels.begin(), kMostUsedPanels.end());
    places.insert(places.end(), {kOptionsPanel, kReportPanel, kBackupPanel, kRestorePanel});
    EXPECT_EQ(PanelCell(kRecentPanels[5], 96), (CellRect{175, 0, 34, 34}));
    EXPECT_EQ(PanelCell(kMostUsedPanels[0], 96).top, 34);
    for (const int dpi : kScales) {
        std::vector<CellRect> cells;
        for (const PanelPlace& place : places) cells.push_back(PanelCell(place, dpi));
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const CellRect& a = cells[i];
            EXPECT_LE(a.left + a.width, GridAt(dpi).clientWidth);
            for (std::size_t j = i + 1; j < cells.size(); ++j) {
                const CellRect& b = cells[j];
                const bool apart = a.left + a.width <= b.left || b.left + b.width <= a.left ||
                                   a.top + a.height <= b.top || b.top + b.height <= a.top;
                EXPECT_TRUE(apart) << "panels " << i << " and " << j << " at " << dpi;
            }
        }
        const CellRect divider = ScaledRect(kDivider, dpi);
        EXPECT_LT(cells[11].left + cells[11].width, divider.left) << dpi;
        EXPECT_LE(divider.left + divider.width, cells[12].left) << dpi;
    }
}

}  // namespace
}  // namespace tavrin
