// Keeping the main window on its monitor: after every move, an edge that comes
// within 19 pixels of a screen edge sticks to it, and a window that lies partly
// outside is pulled back in.
#pragma once

namespace tavrin {

inline constexpr int kSnapDistance = 20;  // an edge closer than this snaps

struct WindowRect {
    int left = 0;
    int top = 0;
    int width = 0;  // outer size
    int height = 0;
};

struct WindowPosition {
    int left = 0;
    int top = 0;

    friend bool operator==(const WindowPosition&, const WindowPosition&) = default;
};

// The edges a window snaps to, in screen pixels: the left, top and right edges
// of the monitor it is on and the bottom of that monitor's work area.
struct SnapArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The position the window takes when moved to `proposed`. The result is
// stable: moving the window there snaps no further.
[[nodiscard]] WindowPosition SnapToEdges(const WindowRect& proposed, const SnapArea& area) noexcept;

}  // namespace tavrin
