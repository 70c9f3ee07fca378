#include "win32/Win32Clock.h"

#include <windows.h>

namespace tavrin {

LocalDate Win32Clock::Today() { return Now().date; }

LocalDateTime Win32Clock::Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalDateTime{{now.wYear, now.wMonth, now.wDay}, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace tavrin
