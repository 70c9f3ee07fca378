#include "rules/MostUsed.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

using Six = std::array<int, kMostUsedPositions>;
using Counts = std::array<std::int64_t, kMostUsedPositions>;

MostUsedState PanelOf(const Six& ids, const Counts& counts) {
    MostUsedState state;
    state.MostUsedIDs = ids;
    state.MostUsedCounts = counts;
    return state;
}

const Six kIDs{101, 102, 103, 104, 105, 106};

TEST(MostUsedTest, RankingPutsEarlierDrawnOfTiedButtonsLater) {
    MostUsedState state;
    state.RankCandidates = {{101, 4}, {102, 0}, {103, 9}, {105, 4}, {201, 7}, {202, 4}, {210, 1}, {301, 2}};
    RankMostUsed(state);
    EXPECT_EQ(state.MostUsedIDs, (Six{103, 201, 202, 105, 101, 301}));
    EXPECT_EQ(state.MostUsedCounts, (Counts{9, 7, 4, 4, 4, 2}));
    // The chosen buttons leave the candidates; the rest stay in drawing order.
    ASSERT_EQ(state.RankCandidates.size(), 2u);
    EXPECT_EQ(state.RankCandidates[0].id, 102);
    EXPECT_EQ(state.RankCandidates[1].id, 210);
}

TEST(MostUsedTest, RankingLeavesNeverStartedButtonsOut) {
    MostUsedState state;
    state.MostUsedIDs = kIDs;  // whatever was shown before is replaced
    state.RankCandidates = {{101, 0}, {102, 3}, {103, 3}, {104, 0}};
    RankMostUsed(state);
    EXPECT_EQ(state.MostUsedIDs, (Six{103, 102, 0, 0, 0, 0}));
    EXPECT_EQ(state.MostUsedCounts, (Counts{3, 3, 0, 0, 0, 0}));

    MostUsedState empty;
    RankMostUsed(empty);
    EXPECT_EQ(empty.MostUsedIDs, (Six{}));
}

TEST(MostUsedTest, NewcomerEntersBelowEqualCounts) {
    const Counts counts{9, 7, 7, 5, 3, 2};
    MostUsedState reachingThree = PanelOf(kIDs, counts);
    EXPECT_EQ(PromoteMostUsed(reachingThree, 999, 3), (ChangedPositions{6}));
    EXPECT_EQ(reachingThree.MostUsedIDs, (Six{101, 102, 103, 104, 105, 999}));
    EXPECT_EQ(reachingThree.MostUsedCounts, (Counts{9, 7, 7, 5, 3, 3}));

    MostUsedState reachingFour = PanelOf(kIDs, counts);
    EXPECT_EQ(PromoteMostUsed(reachingFour, 999, 4), (ChangedPositions{5, 6}));
    EXPECT_EQ(reachingFour.MostUsedIDs, (Six{101, 102, 103, 104, 999, 105}));
    EXPECT_EQ(reachingFour.MostUsedCounts, (Counts{9, 7, 7, 5, 4, 3}));

    MostUsedState reachingTwo = PanelOf(kIDs, counts);
    EXPECT_TRUE(PromoteMostUsed(reachingTwo, 999, 2).empty());
    EXPECT_EQ(reachingTwo.MostUsedIDs, kIDs);
}

TEST(MostUsedTest, ButtonOnThePanelClimbsPastSmallerCountsOnly) {
    MostUsedState state = PanelOf(kIDs, {9, 7, 6, 5, 3, 2});
    EXPECT_EQ(PromoteMostUsed(state, 104, 8), (ChangedPositions{2, 3, 4}));
    EXPECT_EQ(state.MostUsedIDs, (Six{101, 104, 102, 103, 105, 106}));
    EXPECT_EQ(state.MostUsedCounts, (Counts{9, 8, 7, 6, 3, 2}));

    // Reaching the count of the position above is not enough; the count is kept.
    EXPECT_TRUE(PromoteMostUsed(state, 103, 7).empty());
    EXPECT_EQ(state.MostUsedIDs, (Six{101, 104, 102, 103, 105, 106}));
    EXPECT_EQ(state.MostUsedCounts[3], 7);
    EXPECT_TRUE(PromoteMostUsed(state, 101, 10).empty());
    EXPECT_EQ(state.MostUsedCounts[0], 10);
}

TEST(MostUsedTest, FirstStartOnAnEmptyPanelTakesTheTop) {
    MostUsedState state;
    EXPECT_EQ(PromoteMostUsed(state, 305, 1), (ChangedPositions{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(state.MostUsedIDs, (Six{305, 0, 0, 0, 0, 0}));
    EXPECT_EQ(state.MostUsedCounts, (Counts{1, 0, 0, 0, 0, 0}));
}

TEST(MostUsedTest, StartFromTheTavrinTabOnlyUpdatesTheCount) {
    MostUsedState state = PanelOf(kIDs, {9, 7, 6, 5, 3, 2});
    UpdateMostUsedCount(state, 103, 8);
    UpdateMostUsedCount(state, 999, 50);
    EXPECT_EQ(state.MostUsedIDs, kIDs);
    EXPECT_EQ(state.MostUsedCounts, (Counts{9, 7, 8, 5, 3, 2}));
    // Its next start from the group page moves it up.
    EXPECT_EQ(PromoteMostUsed(state, 103, 9), (ChangedPositions{2, 3}));
    EXPECT_EQ(state.MostUsedIDs[1], 103);
}

TEST(MostUsedTest, RemovingMovesLaterPositionsUp) {
    MostUsedState state = PanelOf(kIDs, {9, 7, 6, 5, 3, 2});
    EXPECT_EQ(RemoveFromMostUsed(state, 102), (ChangedPositions{2, 3, 4, 5, 6}));
    EXPECT_EQ(state.MostUsedIDs, (Six{101, 103, 104, 105, 106, 0}));
    EXPECT_EQ(state.MostUsedCounts, (Counts{9, 6, 5, 3, 2, 0}));
    EXPECT_TRUE(RemoveFromMostUsed(state, 102).empty());
    EXPECT_TRUE(RemoveFromMostUsed(state, 0).empty());  // an empty position is not a button
    EXPECT_EQ(state.MostUsedIDs[5], 0);
}

TEST(MostUsedTest, SwapFollowsTheButtonsToTheirNewIDs) {
    MostUsedState state = PanelOf({101, 102, 103, 0, 0, 0}, {9, 7, 6, 0, 0, 0});
    EXPECT_EQ(SwapInMostUsed(state, 103, 101), (ChangedPositions{1, 3}));
    EXPECT_EQ(state.MostUsedIDs, (Six{103, 102, 101, 0, 0, 0}));
    EXPECT_EQ(state.MostUsedCounts, (Counts{9, 7, 6, 0, 0, 0}));
    // Onto an empty slot of another tab: the position follows to the new ID.
    EXPECT_EQ(SwapInMostUsed(state, 102, 415), (ChangedPositions{2}));
    EXPECT_EQ(state.MostUsedIDs, (Six{103, 415, 101, 0, 0, 0}));
    // Neither on the panel, or an ID with itself: nothing changes. An empty
    // position is not taken for a button with ID 0.
    EXPECT_TRUE(SwapInMostUsed(state, 201, 202).empty());
    EXPECT_TRUE(SwapInMostUsed(state, 103, 103).empty());
    EXPECT_EQ(SwapInMostUsed(state, 103, 0), (ChangedPositions{1}));
    EXPECT_EQ(state.MostUsedIDs, (Six{0, 415, 101, 0, 0, 0}));
}

TEST(MostUsedTest, SetMostUsedSlotAcceptsPositionsOneToSix) {
    MostUsedState state;
    EXPECT_TRUE(SetMostUsedSlot(state, 101, 1));
    EXPECT_TRUE(SetMostUsedSlot(state, 106, 6));
    EXPECT_FALSE(SetMostUsedSlot(state, 107, 0));
    EXPECT_FALSE(SetMostUsedSlot(state, 107, 7));
    EXPECT_EQ(state.MostUsedIDs, (Six{101, 0, 0, 0, 0, 106}));
}

}  // namespace
}  // namespace tavrin
