#include "win32/ErrorDisplay.h"

#include <utility>

#include "win32/Utf16.h"

namespace tavrin {
namespace {

std::string SystemMessage(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text, length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' ')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(code) : Narrow(message);
}

void ShowMessageBox(HWND owner, const std::string& text) {
    MessageBoxW(owner, Widen(text).c_str(), L"Tavrin", MB_OK | MB_ICONERROR);
}

ErrorDisplay currentDisplay = ShowMessageBox;

}  // namespace

Win32Error::Win32Error(const char* call, DWORD code)
    : std::runtime_error(std::string(call) + " failed: " + SystemMessage(code)), code_(code) {}

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
