// The program's general error display: a message box with the error text.
// Errors of the XML reader and of file access reach the user here, and the
// operation the user started ends.
#pragma once

#include <windows.h>

#include <exception>

namespace tavrin {

void ShowErrorMessage(HWND owner, const std::exception& error) noexcept;
// For an exception of unknown type caught at a window procedure.
void ShowUnknownErrorMessage(HWND owner) noexcept;

}  // namespace tavrin
