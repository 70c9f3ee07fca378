#include "rules/WeekBars.h"

#include <gtest/gtest.h>

#include <limits>

namespace tavrin {
namespace {

ReportRow RowOfDays(const DayCounts& days) {
    ReportRow row;
    row.days = days;
    return row;
}

TEST(WeekBarsTest, BarsScaleToTheLargestCountAndShowEveryStart) {
    EXPECT_EQ(BarHeights({0, 10, 5, 1, 0, 0, 20}, 20, 40), (std::array<int, 7>{0, 20, 10, 2, 0, 0, 40}));
    // One start among thousands still shows; a count above the largest stays within the height.
    EXPECT_EQ(BarHeights({1, 5000, 0, 0, 0, 0, 9000}, 5000, 16), (std::array<int, 7>{1, 16, 0, 0, 0, 0, 16}));
    // Nothing counted, or no room: no bars.
    EXPECT_EQ(BarHeights({3, 0, 0, 0, 0, 0, 0}, 0, 16), (std::array<int, 7>{}));
    EXPECT_EQ(BarHeights({3, 0, 0, 0, 0, 0, 0}, 3, 0), (std::array<int, 7>{}));
    const std::int64_t most = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(BarHeights({most, most / 2, 0, 0, 0, 0, 0}, most, 100)[1], 50);
}

TEST(WeekBarsTest, TheChartAddsTheDaysOfAllRowsShown) {
    const std::int64_t mostDay = std::numeric_limits<int>::max();
    const std::vector<ReportRow> rows{RowOfDays({1, 0, 2, 0, 0, 0, mostDay}), RowOfDays({3, 0, 0, 0, 0, 4, mostDay})};
    EXPECT_EQ(SumOfDays(rows), (DayCounts{4, 0, 2, 0, 0, 4, 2 * mostDay}));
    EXPECT_EQ(LargestDayCount(rows), mostDay);
    EXPECT_EQ(LargestDayCount({}), 0);
    EXPECT_EQ(SumOfDays({}), DayCounts{});
    EXPECT_EQ(WeekTotalText(1), "This week: 1 start");
    EXPECT_EQ(WeekTotalText(0), "This week: 0 starts");
    EXPECT_EQ(DayCountsText({1, 0, 2, 0, 0, 0, 7}), "Mon 1, Tue 0, Wed 2, Thu 0, Fri 0, Sat 0, Sun 7");
}

}  // namespace
}  // namespace tavrin
