#include "win32/Win32Clock.h"

#include <windows.h>

namespace tavrin {

LocalDate Win32Clock::Today() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalDate{now.wYear, now.wMonth, now.wDay};
}

}  // namespace tavrin
