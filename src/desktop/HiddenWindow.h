// The hidden windows through which the desktop components receive messages.
#pragma once

#include <windows.h>

#include "win32/UniqueResource.h"

namespace tavrin {

enum class HiddenWindowKind {
    MessageOnly,  // receives posted and sent messages only
    TopLevel,     // also receives broadcasts and can be the foreground window
};

// Creates a hidden window of a class with the given procedure (the class is registered
// once per process) and keeps `owner` in its user data, where HiddenWindowOwner finds it.
[[nodiscard]] unique_hwnd CreateHiddenWindow(const wchar_t* className, WNDPROC procedure, void* owner,
                                             HiddenWindowKind kind);

template <typename T>
[[nodiscard]] T* HiddenWindowOwner(HWND window) noexcept {
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace tavrin
