// The week bars of the frequency report: the starts of each day of this
// week, Monday to Sunday, drawn as seven bars per row and once more for all
// rows shown, each bar as high as its count against the largest day count of
// the bars drawn together.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "storage/ButtonStore.h"

namespace tavrin {

// Pixel heights of the seven bars in a space `height` pixels high: a count
// as high as `largest` fills it, one above 0 shows at least one pixel, and
// nothing shows while largest is 0.
[[nodiscard]] std::array<int, 7> BarHeights(const DayCounts& counts, std::int64_t largest, int height) noexcept;

// The largest count of a day of any of the rows.
[[nodiscard]] std::int64_t LargestDayCount(const std::vector<ReportRow>& rows) noexcept;
// The starts of each day of all rows together.
[[nodiscard]] DayCounts SumOfDays(const std::vector<ReportRow>& rows) noexcept;

// "Mon 2, Tue 0, ..., Sun 1": the counts in words, for a row's tip.
[[nodiscard]] std::string DayCountsText(const DayCounts& counts);
// "This week: 1 start", "This week: 12 starts".
[[nodiscard]] std::string WeekTotalText(std::int64_t total);
// "Mon" .. "Sun" for day 0 .. 6.
[[nodiscard]] const char* DayName(int day) noexcept;

}  // namespace tavrin
