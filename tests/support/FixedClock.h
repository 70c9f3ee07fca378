// A clock that shows the date the test set.
#pragma once

#include "storage/Clock.h"

namespace tavrin::testing {

class FixedClock : public IClock {
public:
    explicit FixedClock(LocalDate date = {2025, 3, 17}) : today(date) {}
    LocalDate Today() override { return today; }

    LocalDate today;
};

}  // namespace tavrin::testing
