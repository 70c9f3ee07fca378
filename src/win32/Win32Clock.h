// The date and time of day from the system's local time.
#pragma once

#include "storage/Clock.h"

namespace tavrin {

class Win32Clock : public IClock {
public:
    LocalDate Today() override;
    LocalDateTime Now() override;
};

}  // namespace tavrin
