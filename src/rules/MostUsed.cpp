#include "rules/MostUsed.h"

#include <algorithm>
#include <functional>

namespace tavrin {
namespace {

// Element index of the first or last position holding id; -1 when none does.
// ID 0 marks an empty position and is never looked for.
int FirstIndexOf(const MostUsedState& state, int id) noexcept {
    if (id == 0) return -1;
    const auto& ids = state.MostUsedIDs;
    const auto found = std::find(ids.begin(), ids.end(), id);
    return found == ids.end() ? -1 : static_cast<int>(found - ids.begin());
}

int LastIndexOf(const MostUsedState& state, int id) noexcept {
    if (id == 0) return -1;
    for (int index = kMostUsedPositions - 1; index >= 0; --index) {
        if (state.MostUsedIDs[index] == id) return index;
    }
    return -1;
}

ChangedPositions PositionsFrom(int firstIndex, int lastIndex) {
    ChangedPositions positions;
    for (int index = firstIndex; index <= lastIndex; ++index) positions.push_back(index + 1);
    return positions;
}

}  // namespace

void RankMostUsed(MostUsedState& state) {
    state.MostUsedIDs.fill(0);
    state.MostUsedCounts.fill(0);
    std::vector<std::int64_t> totals;
    totals.reserve(state.RankCandidates.size() + kMostUsedPositions);
    for (const RankCandidate& candidate : state.RankCandidates) totals.push_back(candidate.total);
    std::sort(totals.begin(), totals.end(), std::greater<>());
    totals.resize(std::max<std::size_t>(totals.size(), kMostUsedPositions), 0);

    // Filling from the bottom up and taking the earliest remaining candidate of
    // each total puts the earlier-drawn of tied buttons in the later position.
    for (int index = kMostUsedPositions - 1; index >= 0; --index) {
        const std::int64_t total = totals[index];
        state.MostUsedCounts[index] = total;
        if (total <= 0) continue;
        auto& candidates = state.RankCandidates;
        const auto chosen = std::find_if(candidates.begin(), candidates.end(),
                                         [total](const RankCandidate& candidate) { return candidate.total == total; });
        state.MostUsedIDs[index] = chosen->id;
        candidates.erase(chosen);
    }
}

ChangedPositions PromoteMostUsed(MostUsedState& state, int id, std::int64_t total) {
    auto& ids = state.MostUsedIDs;
    auto& counts = state.MostUsedCounts;
    int home = FirstIndexOf(state, id);
    int searchEnd = home;  // a button on the panel looks only above itself
    if (home >= 0) {
        counts[home] = total;
    } else {
        home = kMostUsedPositions - 1;  // the bottom button leaves the panel
        searchEnd = kMostUsedPositions;
    }
    const auto begin = counts.begin();
    const auto target = std::find_if(begin, begin + searchEnd, [total](std::int64_t count) { return count < total; });
    if (target == begin + searchEnd) return {};
    const int to = static_cast<int>(target - begin);
    for (int index = home; index > to; --index) {
        ids[index] = ids[index - 1];
        counts[index] = counts[index - 1];
    }
    ids[to] = id;
    counts[to] = total;
    return PositionsFrom(to, home);
}

void UpdateMostUsedCount(MostUsedState& state, int id, std::int64_t total) noexcept {
    const int index = FirstIndexOf(state, id);
    if (index >= 0) state.MostUsedCounts[index] = total;
}

ChangedPositions RemoveFromMostUsed(MostUsedState& state, int id) {
    const int removed = LastIndexOf(state, id);
    if (removed < 0) return {};
    for (int index = removed; index < kMostUsedPositions - 1; ++index) {
        state.MostUsedIDs[index] = state.MostUsedIDs[index + 1];
        state.MostUsedCounts[index] = state.MostUsedCounts[index + 1];
    }
    state.MostUsedIDs.back() = 0;
    state.MostUsedCounts.back() = 0;
    return PositionsFrom(removed, kMostUsedPositions - 1);
}

ChangedPositions SwapInMostUsed(MostUsedState& state, int a, int b) {
    if (a == b) return {};
    const int indexOfA = LastIndexOf(state, a);
    const int indexOfB = LastIndexOf(state, b);
    ChangedPositions positions;
    if (indexOfA >= 0) state.MostUsedIDs[indexOfA] = b;
    if (indexOfB >= 0) state.MostUsedIDs[indexOfB] = a;
    for (const int index : {std::min(indexOfA, indexOfB), std::max(indexOfA, indexOfB)}) {
        if (index >= 0) positions.push_back(index + 1);
    }
    return positions;
}

bool SetMostUsedSlot(MostUsedState& state, int id, int position) noexcept {
    if (position < 1 || position > kMostUsedPositions) return false;
    state.MostUsedIDs[position - 1] = id;
    return true;
}

}  // namespace tavrin
