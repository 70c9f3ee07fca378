#include "win32/ErrorDisplay.h"

#include <utility>

#include "win32/Utf16.h"

namespace tavrin {
namespace {

void ShowMessageBox(HWND owner, const std::string& text) {
    MessageBoxW(owner, Widen(text).c_str(), L"Tavrin", MB_OK | MB_ICONERROR);
}

ErrorDisplay currentDisplay = ShowMessageBox;

}  // namespace

Win32Error::Win32Error(const char* call, DWORD code)
    : std::runtime_error(std::string(call) + " failed: " + SystemErrorText(code)), code_(code) {}

void ThrowLastError(const char* call) { throw Win32Error(call, GetLastError()); }

void ShowCurrentException(HWND owner) noexcept {
    try {
        try {
            throw;
        } catch (const std::exception& error) {
            currentDisplay(owner, error.what());
        } catch (...) {
            currentDisplay(owner, "An unexpected error occurred.");
        }
    } catch (...) {
        // The display itself failed (no memory for the text): nothing is left to tell the user with.
    }
}

ErrorDisplay SetErrorDisplay(ErrorDisplay display) noexcept { return std::exchange(currentDisplay, display); }

}  // namespace tavrin
