#include "storage/ButtonRecord.h"

#include "storage/PathNames.h"

namespace tavrin {
namespace {

// Days since 1970-01-01 in the proleptic Gregorian calendar (the civil-date
// algorithm of H. Hinnant: years counted from March, so that the leap day
// is the last day of the year).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) noexcept {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// 1970-01-01 was a Thursday, slot 3 when Monday is slot 0.
int DaySlotOfDays(std::int64_t days) noexcept {
    const std::int64_t slot = (days + 3) % 7;
    return static_cast<int>(slot < 0 ? slot + 7 : slot);
}

// Adds one without passing the largest value, which a hand-edited file may hold.
template <typename Count>
Count Increment(Count value, Count most) noexcept {
    return value >= most ? most : value + 1;
}

}  // namespace

int DaySlot(const LocalDate& date) noexcept { return DaySlotOfDays(DaysFromCivil(date.year, date.month, date.day)); }

// A week belongs to the year of its Thursday, and its number counts the
// Thursdays of that year up to it.
int IsoWeekNumber(const LocalDate& date) noexcept {
    const std::int64_t days = DaysFromCivil(date.year, date.month, date.day);
    const std::int64_t thursday = days - DaySlotOfDays(days) + 3;
    // The Thursday lies in the date's year or in the one before or after.
    std::int64_t year = date.year + 1;
    while (DaysFromCivil(year, 1, 1) > thursday) --year;
    return static_cast<int>((thursday - DaysFromCivil(year, 1, 1)) / 7 + 1);
}

void CountStart(ButtonRecord& record, const LocalDate& today) noexcept {
    record.TotolRunTimes = Increment(record.TotolRunTimes, kMostRunTimes);
    const int slot = DaySlot(today);
    const int week = IsoWeekNumber(today);
    // Only the week number is compared, not the year: a slot stamped with
    // the same week of an earlier year goes on counting.
    if (record.DayWeek[slot] == week) {
        record.Day[slot] = Increment(record.Day[slot], kMostDayCount);
    } else {
        record.Day[slot] = 1;
        record.DayWeek[slot] = week;
    }
}

// A counter stamped with another week number holds the starts of an earlier
// week: it is kept for the day it counts again, but is not part of today or
// of this week.
WeekDays ThisWeeksDays(const ButtonRecord& record, const LocalDate& today) noexcept {
    const int week = IsoWeekNumber(today);
    WeekDays days;
    days.today = DaySlot(today);
    for (std::size_t slot = 0; slot < record.Day.size(); ++slot) {
        if (record.DayWeek[slot] == week) days.counts[slot] = record.Day[slot];
    }
    return days;
}

int TodayCount(const ButtonRecord& record, const LocalDate& today) noexcept {
    const WeekDays days = ThisWeeksDays(record, today);
    return static_cast<int>(days.counts[static_cast<std::size_t>(days.today)]);
}

// Seven 32-bit counters always fit in the sum.
std::int64_t WeekCount(const ButtonRecord& record, const LocalDate& today) noexcept {
    std::int64_t sum = 0;
    for (const std::int64_t count : ThisWeeksDays(record, today).counts) sum += count;
    return sum;
}

std::string UsageText(const ButtonRecord& record, const LocalDate& today) {
    if (record.IgnoreRunTimes) return "";
    return "T:" + std::to_string(TodayCount(record, today)) + " / W" + std::to_string(WeekCount(record, today)) +
           " /A:" + std::to_string(record.TotolRunTimes);
}

std::string NameOfButton(const ButtonRecord& button) {
    const std::string& name = button.Description.empty() ? ExtractFileName(button.Command) : button.Description;
    return name.empty() ? "the button" : "\"" + name + "\"";
}

}  // namespace tavrin
