// Layout sizes are given for 96 DPI (100 %) and scaled to the DPI of the
// monitor a window is on, here and nowhere else.
#pragma once

namespace tavrin {

inline constexpr int kBaseDpi = 96;

// value × dpi / 96 rounded to the nearest pixel, halves away from zero (as MulDiv rounds).
[[nodiscard]] constexpr int Scaled(int value, int dpi) noexcept {
    const long long product = static_cast<long long>(value) * dpi;
    const long long magnitude = ((product < 0 ? -product : product) + kBaseDpi / 2) / kBaseDpi;
    return static_cast<int>(product < 0 ? -magnitude : magnitude);
}

}  // namespace tavrin
