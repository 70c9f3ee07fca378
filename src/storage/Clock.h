// The local date, handed in so that statistics can be tested on any day.
#pragma once

namespace tavrin {

struct LocalDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
    bool operator==(const LocalDate&) const = default;
};

class IClock {
public:
    virtual ~IClock() = default;
    [[nodiscard]] virtual LocalDate Today() = 0;
};

}  // namespace tavrin
