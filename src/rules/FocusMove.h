// Where the keyboard focus goes over the cells of a page. Left and Right step
// through the cells in reading order (rows top to bottom, each left to right),
// so that they cross a row break; Up and Down go to the nearest cell of the
// nearest row above or below; Home and End go to the first and the last cell.
#pragma once

#include <span>

#include "rules/GridGeometry.h"

namespace tavrin {

enum class FocusKey { Left, Right, Up, Down, Home, End };

// The index in `cells` of the cell that takes the focus from cells[current];
// current itself at an edge, and the first cell in reading order when current
// is no index of cells. -1 for a page without cells.
[[nodiscard]] int MovedFocus(std::span<const CellRect> cells, int current, FocusKey key);

}  // namespace tavrin
