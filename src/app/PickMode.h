// A swap or a copy that waits for the click on its target. One pick waits at
// most: choosing another replaces it. While it waits, its source cell shows the
// pick-source look, and the group pages, their cells and the tab strip show the
// pick's cursor; a click on the tab strip only changes the page, so that the
// target may lie on another tab.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/ButtonCell.h"

namespace tavrin {

class PickMode {
public:
    enum class Kind { Swap, Copy };
    struct Pick {
        Kind kind;
        ButtonCell* source;
    };
    // Shows the cursor on the group pages and the tab strip (null: their own),
    // and the pick's text in the status bar (empty: none waits).
    using Display = std::function<void(HCURSOR cursor, const std::string& statusText)>;

    explicit PickMode(Display display) : display_(std::move(display)) {}

    void Begin(Kind kind, ButtonCell& source);
    // Ends the waiting pick, if any, and gives it; its source looks as usual again.
    std::optional<Pick> End();
    // Cells about to go end a pick whose source is among them.
    void ForgetSourceAmong(const std::vector<ButtonCell*>& cells);

    [[nodiscard]] bool Waiting() const noexcept { return pick_.has_value(); }
    [[nodiscard]] bool Waiting(Kind kind) const noexcept { return pick_ && pick_->kind == kind; }
    // The cursor of the tab strip and of pages built while the pick waits; null when none waits.
    [[nodiscard]] HCURSOR Cursor() const noexcept;

private:
    Display display_;
    std::optional<Pick> pick_;
};

// What the status bar says while a pick waits: which button waits, for what, and that Esc cancels.
[[nodiscard]] std::string PickStatusText(PickMode::Kind kind, const std::string& sourceHint, int slot);

}  // namespace tavrin
