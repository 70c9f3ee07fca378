// Which effect a file drop reports to the drag source. The values are those
// of OLE's drop effects; the program accepts copies and links, never moves, so
// that a source never deletes the files it dragged onto the window.
#pragma once

#include <cstdint>

namespace tavrin {

inline constexpr std::uint32_t kDropNone = 0;
inline constexpr std::uint32_t kDropCopy = 1;
inline constexpr std::uint32_t kDropMove = 2;
inline constexpr std::uint32_t kDropLink = 4;

// What the keys held during the drag ask for.
struct DragKeys {
    bool control = false;
    bool shift = false;
};

// The effect among those the source offers and the target accepts: Ctrl+Shift
// asks for a link, Ctrl for a copy, no key for a move; when that is not
// allowed, copy, move or link, the first allowed; none when nothing is.
[[nodiscard]] std::uint32_t ChooseDropEffect(std::uint32_t offered, std::uint32_t accepted, DragKeys keys) noexcept;

}  // namespace tavrin
