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

std::vector<std::string> RecentAfterButtonMoved(const std::vector<std::string>& recent, int movedID, int slot) {
    std::vector<std::string> followed = recent;
    for (std::string& entry : followed) {
        const std::optional<int> listed = ParseButtonID(entry);
        if (!listed) continue;
        if (const int after = IDAfterButtonMoved(*listed, movedID, slot); after != *listed) {
            entry = std::to_string(after);
        }
    }
    return followed;
}

ChangedPositions MostUsedAfterButtonMoved(MostUsedState& state, int movedID, int slot) {
    ChangedPositions changed;
    for (int position = 1; position <= kMostUsedPositions; ++position) {
        const int shown = state.MostUsedIDs[position - 1];
        if (shown == kNoButton) continue;
        if (const int after = IDAfterButtonMoved(shown, movedID, slot); after != shown) {
            (void)SetMostUsedSlot(state, after, position);
            changed.push_back(position);
        }
    }
    return changed;
}

}  // namespace tavrin
