#include "rules/TabActions.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(TabActionsTest, TheTavrinTabAndTheLastGroupPageStay) {
    // Pages: the Tavrin Tab and two groups.
    EXPECT_EQ(TabMenuFor(0, 3), (TabMenuRules{false, false, false}));
    EXPECT_EQ(TabMenuFor(1, 3), (TabMenuRules{false, true, true}));
    EXPECT_EQ(TabMenuFor(2, 3), (TabMenuRules{true, false, true}));
    EXPECT_EQ(TabMenuFor(1, 2), (TabMenuRules{false, false, false}));  // the only group
    EXPECT_EQ(TabMenuFor(-1, 3), (TabMenuRules{}));                    // no active page
    EXPECT_EQ(TabMenuFor(3, 3), (TabMenuRules{}));
}

TEST(TabActionsTest, BlanksAndControlCharactersAroundANameAreNoName) {
    EXPECT_EQ(TrimmedName(" \t\r\nWork  Tools\x01 "), "Work  Tools");
    EXPECT_TRUE(TrimmedName(" \t\x1f ").empty());
    EXPECT_TRUE(TrimmedName("").empty());
    EXPECT_EQ(TrimmedName("\xd0\x98\xd0\xb3\xd1\x80\xd1\x8b"), "\xd0\x98\xd0\xb3\xd1\x80\xd1\x8b");  // UTF-8 bytes stay
}

TEST(TabActionsTest, TheTavrinTabLosesTheButtonsOfADeletedPageAndFollowsTheLaterOnes) {
    EXPECT_EQ(RecentAfterTabRemoved({"305", "201", "0", "101", "220", "x"}, 2),
              (std::vector<std::string>{"205", "0", "101", "0", "0", "0"}));
    MostUsedState state;
    state.MostUsedIDs = {202, 310, 203, 101, 0, 0};
    state.MostUsedCounts = {9, 8, 7, 6, 0, 0};
    EXPECT_EQ(MostUsedAfterTabRemoved(state, 2), (ChangedPositions{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(state.MostUsedIDs, (std::array<int, 6>{210, 101, 0, 0, 0, 0}));
    EXPECT_EQ(state.MostUsedCounts, (std::array<std::int64_t, 6>{8, 6, 0, 0, 0, 0}));
}

TEST(TabActionsTest, TheTavrinTabFollowsTheButtonsShiftedByAMoveWithinTheirGroup) {
    // 103 goes after to slot 7: 104 to 107 move up one slot; other groups and non-IDs stay.
    EXPECT_EQ(RecentAfterButtonMoved({"105", "103", "108", "x", "205", "0"}, 103, 7),
              (std::vector<std::string>{"104", "107", "108", "x", "205", "0"}));
    // 215 goes back to slot 3 across the rows: 203 to 214 move down one slot.
    EXPECT_EQ(RecentAfterButtonMoved({"214", "215", "203", "202"}, 215, 3),
              (std::vector<std::string>{"215", "203", "204", "202"}));
    MostUsedState state;
    state.MostUsedIDs = {107, 0, 103, 203, 101, 104};
    state.MostUsedCounts = {9, 0, 7, 6, 5, 4};
    EXPECT_EQ(MostUsedAfterButtonMoved(state, 103, 7), (ChangedPositions{1, 3, 6}));
    EXPECT_EQ(state.MostUsedIDs, (std::array<int, 6>{106, 0, 107, 203, 101, 103}));
    EXPECT_EQ(state.MostUsedCounts, (std::array<std::int64_t, 6>{9, 0, 7, 6, 5, 4}));
    EXPECT_TRUE(MostUsedAfterButtonMoved(state, 202, 2).empty());
}

}  // namespace
}  // namespace tavrin
