// Keeping the main window on the screen: after every move, an edge that comes
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

// The position the window takes when moved to `proposed`. The left and right
// edges snap against the primary screen (0 .. screenWidth), the top against 0
// and the bottom against the work area's height. The result is stable: moving
// the window there snaps no further.
[[nodiscard]] WindowPosition SnapToEdges(const WindowRect& proposed, int screenWidth, int workAreaHeight) noexcept;

}  // namespace tavrin
