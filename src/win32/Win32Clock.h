// Today's date from the system's local time.
#pragma once

#include "storage/Clock.h"

namespace tavrin {

class Win32Clock : public IClock {
public:
    LocalDate Today() override;
};

}  // namespace tavrin
