// What a screen reader is told of a cell of the main window: its name, and a
// description that holds the hint and where the cell stands ("button 3 of 20,
// Programs", "recent 2 of 6").
#pragma once

#include <string>
#include <string_view>

namespace tavrin {

// Where a cell stands: its position among its kind ("button 3 of 20") and the
// group it belongs to ("Programs"); either may be empty (a tool has neither).
struct CellPlace {
    std::string position;
    std::string group;
};

// The position of slot 1 to 20 of a group page: "button 3 of 20".
[[nodiscard]] std::string GridPosition(int slot);
// The position of image k of a row of six of the Tavrin Tab: "recent 2 of 6", "most used 1 of 6".
[[nodiscard]] std::string RowPosition(std::string_view row, int k);

// A button's name: its description, or its command's file name when the description is empty.
[[nodiscard]] std::string ButtonName(std::string_view description, std::string_view command);

struct CellSpeech {
    std::string name;
    std::string description;
};

// A cell that shows something is called by its name and described by its
// hint (left out when it says no more than the name), its position and group.
// An empty cell (no name) is called "empty" with its position, and described
// by its group.
[[nodiscard]] CellSpeech SpeechOf(std::string_view name, std::string_view hint, const CellPlace& place);

}  // namespace tavrin
