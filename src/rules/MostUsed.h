// The most-used panel of the Tavrin Tab: six positions, the most used first,
// ranked once at start-up from the stored totals and then kept up to date by
// starts, clears and swaps. Only the state lives here; the window draws the
// positions each operation reports as changed.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tavrin {

inline constexpr int kMostUsedPositions = 6;

struct RankCandidate {
    int id = 0;
    std::int64_t total = 0;  // TotolRunTimes of the button
};

// Positions are numbered 1 to 6; position k is element k - 1 of the arrays.
struct MostUsedState {
    std::array<int, kMostUsedPositions> MostUsedIDs{};              // 0 = empty position
    std::array<std::int64_t, kMostUsedPositions> MostUsedCounts{};  // total as last known, 0 when empty
    std::vector<RankCandidate> RankCandidates;                      // stored buttons in drawing order
};

// Positions (1 to 6, ascending) whose ID changed and that need drawing again.
using ChangedPositions = std::vector<int>;

// Fills all six positions from RankCandidates: the six highest totals above 0,
// highest first. Among equal totals the button drawn earlier takes the later
// position. The chosen candidates are taken out of the list.
void RankMostUsed(MostUsedState& state);

// After a start from a group page brought button id to total t: the button
// climbs past every button with a strictly smaller count, entering at the
// bottom (and pushing position 6 out) when it was not on the panel.
ChangedPositions PromoteMostUsed(MostUsedState& state, int id, std::int64_t total);

// After a start from the Tavrin Tab: only the count is updated, nothing moves.
void UpdateMostUsedCount(MostUsedState& state, int id, std::int64_t total) noexcept;

// A cleared button leaves the panel; the later positions move up and
// position 6 becomes empty.
ChangedPositions RemoveFromMostUsed(MostUsedState& state, int id);

// Two buttons exchanged their IDs: the positions showing them follow. Counts
// stay in place, since each belongs to the record that moved with its button.
ChangedPositions SwapInMostUsed(MostUsedState& state, int a, int b);

// Shows id at position (1 to 6); other positions do nothing and report false.
bool SetMostUsedSlot(MostUsedState& state, int id, int position) noexcept;

}  // namespace tavrin
