#include "rules/TabActions.h"

#include <algorithm>

#include "rules/GridGeometry.h"

namespace tavrin {

std::vector<std::string> RecentAfterTabRemoved(const std::vector<std::string>& recent, int removedTab) {
    std::vector<std::string> kept;
    for (const std::string& text : recent) {
        if (const std::optional<int> id = IDAfterTabRemoved(ParseButtonID(text).value_or(kNoButton), removedTab)) {
            kept.push_back(std::to_string(*id));
        }
    }
    kept.resize(recent.size(), "0");
    return kept;
}

// From the last position up, so that a removal moving later positions up has
// passed them already.
ChangedPositions MostUsedAfterTabRemoved(MostUsedState& state, int removedTab) {
    ChangedPositions changed;
    for (int position = kMostUsedPositions; position >= 1; --position) {
        const int id = state.MostUsedIDs[position - 1];
        if (id == kNoButton) continue;
        const std::optional<int> moved = IDAfterTabRemoved(id, removedTab);
        if (!moved) {
            const ChangedPositions shifted = RemoveFromMostUsed(state, id);
            changed.insert(changed.end(), shifted.begin(), shifted.end());
        } else if (*moved != id) {
            (void)SetMostUsedSlot(state, *moved, position);
            changed.push_back(position);
        }
    }
    std::sort(changed.begin(), changed.end());
    changed.erase(std::unique(changed.begin(), changed.end()), changed.end());
    return changed;
}

}  // namespace tavrin
