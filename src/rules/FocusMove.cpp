#include "rules/FocusMove.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <tuple>
#include <vector>

namespace tavrin {
namespace {

int MiddleX(const CellRect& cell) noexcept { return cell.left + cell.width / 2; }
int MiddleY(const CellRect& cell) noexcept { return cell.top + cell.height / 2; }

std::vector<int> ReadingOrder(std::span<const CellRect> cells) {
    std::vector<int> order(cells.size());
    std::iota(order.begin(), order.end(), 0);
    std::ranges::stable_sort(order, [&](int a, int b) {
        return std::tie(cells[a].top, cells[a].left) < std::tie(cells[b].top, cells[b].left);
    });
    return order;
}

// The nearest row in the direction first, then the nearest cell of that row.
int Vertical(std::span<const CellRect> cells, int current, bool down) {
    const CellRect& from = cells[current];
    int best = current;
    auto bestDistance = std::tuple(0, 0);
    for (int i = 0; i < static_cast<int>(cells.size()); ++i) {
        const int rows = down ? MiddleY(cells[i]) - MiddleY(from) : MiddleY(from) - MiddleY(cells[i]);
        if (rows <= 0) continue;
        const auto distance = std::tuple(rows, std::abs(MiddleX(cells[i]) - MiddleX(from)));
        if (best == current || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

int MovedFocus(std::span<const CellRect> cells, int current, FocusKey key) {
    if (cells.empty()) return -1;
    const std::vector<int> order = ReadingOrder(cells);
    if (current < 0 || current >= static_cast<int>(cells.size())) return order.front();
    const auto place = std::ranges::find(order, current) - order.begin();
    switch (key) {
        case FocusKey::Left:
            return place > 0 ? order[place - 1] : current;
        case FocusKey::Right:
            return place + 1 < static_cast<std::ptrdiff_t>(order.size()) ? order[place + 1] : current;
        case FocusKey::Up:
            return Vertical(cells, current, false);
        case FocusKey::Down:
            return Vertical(cells, current, true);
        case FocusKey::Home:
            return order.front();
        case FocusKey::End:
            return order.back();
    }
    return current;
}

}  // namespace tavrin
