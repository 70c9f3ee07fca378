#include "storage/ButtonRecord.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

struct WeekCase {
    LocalDate date;
    int week;
    int slot;  // Monday 0 .. Sunday 6
};

TEST(ButtonRecordTest, IsoWeeksAndDaySlotsAcrossYearBoundaries) {
    const WeekCase cases[] = {
        {{2026, 12, 28}, 53, 0}, {{2026, 12, 31}, 53, 3}, {{2027, 1, 1}, 53, 4},  {{2027, 1, 3}, 53, 6},
        {{2027, 1, 4}, 1, 0},    {{2024, 12, 29}, 52, 6}, {{2024, 12, 30}, 1, 0}, {{2025, 1, 1}, 1, 2},
        {{2021, 1, 3}, 53, 6},   {{2021, 1, 4}, 1, 0},    {{2010, 1, 3}, 53, 6},  {{2005, 1, 1}, 53, 5},
        {{2000, 2, 29}, 9, 1},   {{2000, 12, 31}, 52, 6}, {{2001, 1, 1}, 1, 0},   {{2025, 3, 17}, 12, 0},
        {{2025, 12, 28}, 52, 6}, {{2025, 12, 29}, 1, 0},  {{1900, 1, 1}, 1, 0},   {{2100, 3, 1}, 9, 0},
    };
    for (const auto& [date, week, slot] : cases) {
        SCOPED_TRACE(std::to_string(date.year) + "-" + std::to_string(date.month) + "-" + std::to_string(date.day));
        EXPECT_EQ(IsoWeekNumber(date), week);
        EXPECT_EQ(DaySlot(date), slot);
    }
}

TEST(ButtonRecordTest, StartsCountPerDaySlotUntilTheWeekChanges) {
    ButtonRecord record;
    EXPECT_EQ(UsageText(record, {2025, 3, 5}), "T:0 / W0 /A:0");
    for (int i = 0; i < 3; ++i) CountStart(record, {2025, 3, 5});  // Wednesday of week 10
    EXPECT_EQ(record.Day[2], 3);
    EXPECT_EQ(record.DayWeek[2], 10);
    CountStart(record, {2025, 3, 12});  // Wednesday of week 11
    EXPECT_EQ(record.Day[2], 1);
    EXPECT_EQ(record.DayWeek[2], 11);
    EXPECT_EQ(record.TotolRunTimes, 4);

    ButtonRecord week;
    CountStart(week, {2025, 3, 17});  // Monday
    CountStart(week, {2025, 3, 17});
    CountStart(week, {2025, 3, 18});  // Tuesday
    EXPECT_EQ(UsageText(week, {2025, 3, 18}), "T:1 / W3 /A:3");
    // The next Monday: last week's counters are kept but count for neither today nor this week.
    EXPECT_EQ(UsageText(week, {2025, 3, 24}), "T:0 / W0 /A:3");
    EXPECT_EQ(week.Day[0], 2);
    week.IgnoreRunTimes = true;
    CountStart(week, {2025, 3, 18});
    EXPECT_EQ(UsageText(week, {2025, 3, 18}), "");
    EXPECT_EQ(week.TotolRunTimes, 4);
}

TEST(ButtonRecordTest, WeekStampsAcrossTheTurnOfTheYear) {
    ButtonRecord record;
    CountStart(record, {2025, 12, 22});  // Monday of week 52
    CountStart(record, {2026, 12, 28});  // Monday of week 53
    EXPECT_EQ(record.Day[0], 1);
    EXPECT_EQ(record.DayWeek[0], 53);
    CountStart(record, {2027, 1, 1});  // Friday, still week 53
    CountStart(record, {2027, 1, 4});  // Monday of week 1
    EXPECT_EQ(record.Day[0], 1);
    EXPECT_EQ(record.DayWeek[0], 1);
    EXPECT_EQ(record.Day[4], 1);
    EXPECT_EQ(record.DayWeek[4], 53);
    EXPECT_EQ(WeekCount(record, {2027, 1, 4}), 1);
    EXPECT_EQ(WeekCount(record, {2027, 1, 3}), 1);  // Sunday of week 53: the Friday only
    EXPECT_EQ(record.TotolRunTimes, 4);
}

// Only counters stamped with today's week number count, in the week of today's
// date, whatever the other counters hold.
TEST(ButtonRecordTest, TodayAndThisWeekCountOnlyCountersOfTheCurrentWeek) {
    ButtonRecord record;
    record.TotolRunTimes = 9;
    record.Day = {0, 2, 2, 0, 5, 0, 0};
    record.DayWeek = {0, 50, 49, 0, 48, 0, 0};
    EXPECT_EQ(UsageText(record, {2025, 12, 10}), "T:0 / W2 /A:9");  // Wednesday of week 50
    EXPECT_EQ(TodayCount(record, {2025, 12, 9}), 2);                // its Tuesday
    EXPECT_EQ(WeekCount(record, {2025, 12, 3}), 2);                 // Wednesday of week 49
    EXPECT_EQ(TodayCount(record, {2025, 12, 3}), 2);

    // 1 January 2027 lies in week 53 of 2026: last Monday's count is this week's.
    ButtonRecord turn;
    turn.Day = {3, 0, 0, 0, 4, 0, 0};
    turn.DayWeek = {53, 0, 0, 0, 1, 0, 0};
    EXPECT_EQ(UsageText(turn, {2027, 1, 1}), "T:0 / W3 /A:0");
    EXPECT_EQ(UsageText(turn, {2027, 1, 8}), "T:4 / W4 /A:0");  // Friday of week 1
}

// The bars of a week: each day of today's week, and 0 for a day whose counter
// is of an earlier week, whether that week lies before or after in number.
TEST(ButtonRecordTest, ThisWeeksDaysShowOnlyCountersOfTodaysWeekMondayFirst) {
    ButtonRecord record;
    record.Day = {4, 1, 7, 0, 2, 9, 3};
    record.DayWeek = {50, 50, 49, 0, 50, 51, 1};
    const WeekDays wednesday = ThisWeeksDays(record, {2025, 12, 10});  // Wednesday of week 50
    EXPECT_EQ(wednesday.counts, (DayCounts{4, 1, 0, 0, 2, 0, 0}));
    EXPECT_EQ(wednesday.today, 2);
    const WeekDays sunday = ThisWeeksDays(record, {2025, 12, 14});
    EXPECT_EQ(sunday.counts, wednesday.counts);
    EXPECT_EQ(sunday.today, 6);
    // A week later only Saturday's counter is of the week.
    EXPECT_EQ(ThisWeeksDays(record, {2025, 12, 15}).counts, (DayCounts{0, 0, 0, 0, 0, 9, 0}));
    EXPECT_EQ(ThisWeeksDays(record, {2025, 12, 15}).today, 0);
}

TEST(ButtonRecordTest, SameWeekNumberOfALaterYearContinuesTheCount) {
    ButtonRecord record;
    CountStart(record, {2025, 3, 17});  // Monday of week 12
    CountStart(record, {2026, 3, 16});  // Monday of week 12 a year later
    EXPECT_EQ(record.Day[0], 2);
    EXPECT_EQ(record.DayWeek[0], 12);
}

TEST(ButtonRecordTest, LargeCountsAreShownAndCountedInFullUpToTheirLargestValue) {
    ButtonRecord record;
    record.TotolRunTimes = 99'999'999'999;
    record.Day = {kMostDayCount, kMostDayCount, 0, 0, 0, 0, 0};
    record.DayWeek = {12, 12, 0, 0, 0, 0, 0};
    CountStart(record, {2025, 3, 17});  // Monday of week 12
    EXPECT_EQ(record.TotolRunTimes, 100'000'000'000);
    EXPECT_EQ(record.Day[0], kMostDayCount);
    EXPECT_EQ(UsageText(record, {2025, 3, 17}), "T:2147483647 / W4294967294 /A:100000000000");

    record.TotolRunTimes = kMostRunTimes;
    CountStart(record, {2025, 3, 17});
    EXPECT_EQ(record.TotolRunTimes, kMostRunTimes);
    EXPECT_EQ(UsageText(record, {2025, 3, 19}), "T:0 / W4294967294 /A:9223372036854775807");
}

}  // namespace
}  // namespace tavrin
