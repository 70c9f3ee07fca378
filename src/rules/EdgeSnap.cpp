#include "rules/EdgeSnap.h"

namespace tavrin {
namespace {

// One axis, relative to the area's near edge: the near edge snaps to 0, then the far edge to `extent`.
int SnapAxis(int position, int size, int extent) noexcept {
    if (position < kSnapDistance) position = 0;
    const int overhang = position + size - extent;
    if (overhang > 0 || (overhang < 0 && overhang > -kSnapDistance)) position = extent - size;
    // Every move of the window runs the rule again. When the window is wider
    // than the extent, or within 19 pixels of it, the two edges would pull it
    // back and forth without end; the near edge wins, so the title bar and the
    // first buttons stay on the screen.
    const int farGap = extent - size;
    if (position == farGap && farGap != 0 && farGap < kSnapDistance) position = 0;
    return position;
}

}  // namespace

WindowPosition SnapToEdges(const WindowRect& proposed, const SnapArea& area) noexcept {
    return {area.left + SnapAxis(proposed.left - area.left, proposed.width, area.right - area.left),
            area.top + SnapAxis(proposed.top - area.top, proposed.height, area.bottom - area.top)};
}

}  // namespace tavrin
