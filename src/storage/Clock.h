// The local date and time, handed in so that statistics, backups and the
// names of kept files can be tested on any day.
#pragma once

namespace tavrin {

struct LocalDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
    bool operator==(const LocalDate&) const = default;
};

struct LocalDateTime {
    LocalDate date;
    int hour = 0;    // 0 to 23
    int minute = 0;  // 0 to 59
    int second = 0;  // 0 to 59
    bool operator==(const LocalDateTime&) const = default;
};

class IClock {
public:
    virtual ~IClock() = default;
    [[nodiscard]] virtual LocalDate Today() = 0;
    [[nodiscard]] virtual LocalDateTime Now() = 0;
};

}  // namespace tavrin
