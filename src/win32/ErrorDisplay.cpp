#include "win32/ErrorDisplay.h"

#include "win32/Utf16.h"

namespace tavrin {

void ShowErrorMessage(HWND owner, const std::exception& error) noexcept {
    try {
        MessageBoxW(owner, Widen(error.what()).c_str(), L"Tavrin", MB_OK | MB_ICONERROR);
    } catch (...) {
        ShowUnknownErrorMessage(owner);
    }
}

void ShowUnknownErrorMessage(HWND owner) noexcept {
    MessageBoxW(owner, L"An unexpected error occurred.", L"Tavrin", MB_OK | MB_ICONERROR);
}

}  // namespace tavrin
