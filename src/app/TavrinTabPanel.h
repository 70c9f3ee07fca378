// The Tavrin Tab's pictures: the six buttons started last, the six started
// most (and the state that ranks them) and the four tool images. The cells
// belong to the Tavrin Tab's page; the panel keeps which cell shows what and
// draws each through the window, which knows the buttons' records.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/ButtonCell.h"
#include "app/Commands.h"
#include "app/TabPage.h"
#include "rules/CellSpeech.h"
#include "rules/MostUsed.h"

namespace tavrin {

class TavrinTabPanel {
public:
    // Makes a cell of the Tavrin Tab's page at `place`; tool: a tool image, else a button's picture.
    using CellMaker = std::function<ButtonCell*(const CellRect& place, bool tool)>;
    // Draws a cell from the record of the button ID in its tag (none for 0).
    using CellPainter = std::function<void(ButtonCell& cell)>;

    explicit TavrinTabPanel(CellPainter draw) : draw_(std::move(draw)) {}

    // Makes the cells at the page's DPI; the page is built once, at start-up.
    void Build(const CellMaker& make, int dpi);
    // Moves the cells and the divider for a new DPI.
    void Place(TabPage& page, int dpi);

    // The recent images show the first six IDs of the list; a shorter list changes nothing.
    void ShowRecent(const std::vector<std::string>& recent);
    // The ranking state; after changing it, the positions it changed are redrawn with RedrawMostUsed.
    [[nodiscard]] MostUsedState& MostUsed() noexcept { return mostUsed_; }
    [[nodiscard]] const MostUsedState& MostUsed() const noexcept { return mostUsed_; }
    void RankMostUsed();
    void RedrawMostUsed(const ChangedPositions& positions);
    // The recent and most-used images that show id show it anew (its record changed in place).
    void RedrawImagesOf(int id);

    // Where a cell of the panel stands: "recent 2 of 6", "most used 1 of 6"; nothing for a tool.
    [[nodiscard]] CellPlace PlaceOf(const ButtonCell& cell) const;
    // The command of a tool image, empty for any other cell.
    [[nodiscard]] std::optional<Command> ToolCommandOf(const ButtonCell& cell) const noexcept;
    // The last most-used image: a click on its frame lists the recent IDs.
    [[nodiscard]] bool IsLastMostUsed(const ButtonCell& cell) const noexcept { return &cell == mostUsedImages_[5]; }

    [[nodiscard]] ButtonCell& RecentImage(int k) const { return *recentImages_.at(k - 1); }
    [[nodiscard]] ButtonCell& MostUsedImage(int k) const { return *mostUsedImages_.at(k - 1); }
    [[nodiscard]] ButtonCell& ToolImage(Command command) const;

private:
    CellPainter draw_;
    std::array<ButtonCell*, 6> recentImages_{};
    std::array<ButtonCell*, 6> mostUsedImages_{};
    std::array<ButtonCell*, 4> toolImages_{};
    MostUsedState mostUsed_;
};

}  // namespace tavrin
