// The icon number of the icon chooser: a whole-number field with a minimum and
// a maximum, counting icons from 1, and how choosing a file resets it.
#pragma once

#include <optional>
#include <string_view>

namespace tavrin {

// A value set to the field: below the minimum it becomes the minimum, above the
// maximum the maximum; while minimum and maximum are equal it is taken as it is.
[[nodiscard]] int ClampedIconIndex(int value, int minimum, int maximum) noexcept;

struct IconIndexField {
    int minimum = 0;
    int maximum = 0;
    int value = 0;
    bool enabled = true;

    // Sets the value by the clamping rule. Changing minimum or maximum alone does not move it.
    void Set(int newValue) noexcept { value = ClampedIconIndex(newValue, minimum, maximum); }
};

// The file field now names a file holding iconCount icons, or, without a count,
// no existing file (index 1 of 1). A file with fewer icons than the index shown
// starts again at its first icon; the field is enabled only for a choice of more than one.
void ApplyIconFile(IconIndexField& field, std::optional<int> iconCount) noexcept;

// The value a typed text stands for: a whole number, else the minimum.
[[nodiscard]] int ReadIconIndex(std::string_view text, int minimum) noexcept;

}  // namespace tavrin
