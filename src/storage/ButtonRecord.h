// The record of one button, the identifiers of button slots, and the usage
// statistics a start advances: a total and seven day counters, each stamped
// with the ISO week in which it last counted.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>

#include "storage/Clock.h"

namespace tavrin {

constexpr int kSlotsPerGroup = 20;
constexpr int kNoButton = 0;

// The ID of slot 1..20 of the group with tab index 1, 2, ...: group × 100 + slot.
[[nodiscard]] constexpr int ButtonIDOf(int group, int slot) noexcept { return group * 100 + slot; }
[[nodiscard]] constexpr int GroupOfButton(int id) noexcept { return id / 100; }
[[nodiscard]] constexpr int SlotOfButton(int id) noexcept { return id % 100; }
[[nodiscard]] constexpr bool IsGridSlot(int slot) noexcept { return slot >= 1 && slot <= kSlotsPerGroup; }

// BtnStyle values.
constexpr int kNoButtonStyle = -1;
constexpr int kLaunchButton = 0;

// The largest value of each counter, what a file may hold and a start never
// passes: a total of 64 bits, a day counter of 32 bits, and a week stamp, an
// ISO week number (0 for never).
constexpr std::int64_t kMostRunTimes = std::numeric_limits<std::int64_t>::max();
constexpr int kMostDayCount = std::numeric_limits<int>::max();
constexpr int kLastWeek = 53;

struct ButtonRecord {
    int ID = kNoButton;
    bool Empty = true;  // the ID has no stored button
    int BtnStyle = kNoButtonStyle;
    std::string IconFile;
    int IconNumber = 0;
    std::string Command;
    std::string Parameters;
    std::string WorkingDir;
    std::string Description;
    std::string HotKey;
    int WindowStyle = 1;
    int Priority = 0;
    bool IgnoreRunTimes = false;
    std::int64_t TotolRunTimes = 0;
    std::array<int, 7> Day{};      // starts counted per day slot
    std::array<int, 7> DayWeek{};  // ISO week of the last start counted in the slot; 0 = never

    // True when there is nothing to write: the store deletes instead.
    [[nodiscard]] bool IsEmpty() const noexcept { return Empty || BtnStyle == kNoButtonStyle; }
    // Only a launch button is started, counted and reported.
    [[nodiscard]] bool IsLaunchButton() const noexcept { return !Empty && BtnStyle == kLaunchButton; }
};

// Day slot of a date: 0 for Monday through 6 for Sunday.
[[nodiscard]] int DaySlot(const LocalDate& date) noexcept;
// The ISO 8601 week number, 1 to 53: weeks begin on Monday and week 1 holds
// the year's first Thursday.
[[nodiscard]] int IsoWeekNumber(const LocalDate& date) noexcept;

// Counts one start on date.
void CountStart(ButtonRecord& record, const LocalDate& today) noexcept;

// The starts of each day of today's ISO week, Monday first (the day slots'
// own order), and which of them is today. A counter stamped with another
// week number counts 0 there.
using DayCounts = std::array<std::int64_t, 7>;
struct WeekDays {
    DayCounts counts{};
    int today = 0;  // 0 for Monday through 6 for Sunday
};
[[nodiscard]] WeekDays ThisWeeksDays(const ButtonRecord& record, const LocalDate& today) noexcept;
// The starts of today and of today's ISO week: the counters stamped with the
// week number of today. As in CountStart, only the number is compared.
[[nodiscard]] int TodayCount(const ButtonRecord& record, const LocalDate& today) noexcept;
[[nodiscard]] std::int64_t WeekCount(const ButtonRecord& record, const LocalDate& today) noexcept;
// "T:<today> / W<week> /A:<total>", or "" for a button left out of the report.
[[nodiscard]] std::string UsageText(const ButtonRecord& record, const LocalDate& today);
// How messages name a button: its description in quotes, else its command's
// file name in quotes, else "the button".
[[nodiscard]] std::string NameOfButton(const ButtonRecord& button);

}  // namespace tavrin
