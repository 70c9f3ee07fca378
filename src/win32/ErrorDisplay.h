// The program's one error policy for code that Windows calls back (window and
// dialog procedures, COM methods): an exception never unwinds into Windows; it
// becomes the error display, a message box with the error text, and the
// operation the user started ends there.
#pragma once

#include <windows.h>

#include <exception>
#include <optional>
#include <stdexcept>
#include <string>

namespace tavrin {

// A failed Win32 call: the call's name and the system's text for its error code.
class Win32Error : public std::runtime_error {
public:
    Win32Error(const char* call, DWORD code);
    [[nodiscard]] DWORD Code() const noexcept { return code_; }

private:
    DWORD code_;
};

// Throws a Win32Error for the calling thread's last error.
[[noreturn]] void ThrowLastError(const char* call);

// Shows the text of the exception in flight (call inside a catch block).
void ShowCurrentException(HWND owner) noexcept;

// Where the error display goes: a message box, unless a test has put its own
// display in place. Returns the display it replaced.
using ErrorDisplay = void (*)(HWND owner, const std::string& text);
ErrorDisplay SetErrorDisplay(ErrorDisplay display) noexcept;

// Runs a callback from Windows under the policy: its result, or nothing when it threw.
template <typename Callback>
auto CallGuarded(HWND owner, Callback&& callback) noexcept -> std::optional<decltype(callback())> {
    try {
        return callback();
    } catch (...) {
        ShowCurrentException(owner);
        return std::nullopt;
    }
}

}  // namespace tavrin
