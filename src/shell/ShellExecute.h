// The one place where the program asks the shell to start something.
#pragma once

#include <windows.h>

#include "storage/Shell.h"

namespace tavrin {

// Hands the request to ShellExecuteW and returns at once with its result
// (above 32: accepted). The owner is applicationWindow for requests owned by
// the application, and the desktop window for the others or when applicationWindow is null.
int ExecuteShellRequest(const ExecuteRequest& request, HWND applicationWindow);

}  // namespace tavrin
