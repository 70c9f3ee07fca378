#include "rules/WeekBars.h"

#include <algorithm>
#include <cmath>

namespace tavrin {

// In floating point: a product of a count of 64 bits and a height need not
// fit in 64 bits, and a pixel needs no more precision than a double gives.
std::array<int, 7> BarHeights(const DayCounts& counts, std::int64_t largest, int height) noexcept {
    std::array<int, 7> heights{};
    if (largest <= 0 || height <= 0) return heights;
    for (std::size_t day = 0; day < counts.size(); ++day) {
        if (counts[day] <= 0) continue;
        const double share = static_cast<double>(std::min(counts[day], largest)) / static_cast<double>(largest);
        heights[day] = std::max(1, static_cast<int>(std::lround(share * height)));
    }
    return heights;
}

std::int64_t LargestDayCount(const std::vector<ReportRow>& rows) noexcept {
    std::int64_t largest = 0;
    for (const ReportRow& row : rows) largest = std::max(largest, *std::max_element(row.days.begin(), row.days.end()));
    return largest;
}

// Day counters of 32 bits: the sums of any number of rows a report can hold fit.
DayCounts SumOfDays(const std::vector<ReportRow>& rows) noexcept {
    DayCounts sums{};
    for (const ReportRow& row : rows) {
        for (std::size_t day = 0; day < sums.size(); ++day) sums[day] += row.days[day];
    }
    return sums;
}

const char* DayName(int day) noexcept {
    static constexpr const char* kNames[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    return day >= 0 && day < 7 ? kNames[day] : "";
}

std::string DayCountsText(const DayCounts& counts) {
    std::string text;
    for (int day = 0; day < 7; ++day) {
        if (day > 0) text += ", ";
        text += std::string(DayName(day)) + " " + std::to_string(counts[static_cast<std::size_t>(day)]);
    }
    return text;
}

std::string WeekTotalText(std::int64_t total) {
    return "This week: " + std::to_string(total) + (total == 1 ? " start" : " starts");
}

}  // namespace tavrin
