// The one place where the program asks the shell to start something.
#pragma once

#include <windows.h>

#include "storage/Shell.h"

namespace tavrin {

// Hands the request to ShellExecuteW and returns at once: true when the shell
// accepted it. A refused request leaves a trace (win32/DebugTrace.h), so that
// callers may ignore the answer. The owner is applicationWindow for requests
// owned by the application, and the desktop window for the others or when
// applicationWindow is null.
[[nodiscard]] bool ExecuteShellRequest(const ExecuteRequest& request, HWND applicationWindow) noexcept;

}  // namespace tavrin
