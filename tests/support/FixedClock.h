// A clock that shows the date and time of day the test set.
#pragma once

#include "storage/Clock.h"

namespace tavrin::testing {

class FixedClock : public IClock {
public:
    explicit FixedClock(LocalDate date = {2025, 3, 17}) : today(date) {}
    LocalDate Today() override { return today; }
    LocalDateTime Now() override { return {today, hour, minute, second}; }

    LocalDate today;
    int hour = 9;
    int minute = 30;
    int second = 5;
};

}  // namespace tavrin::testing
