// The base of every window of the program (CRTP): the static window procedure
// keeps `this` with the window from WM_NCCREATE on and forwards each message to
// the derived class's HandleMessage, under the program's error policy. The
// window belongs to the object: destroying the object destroys the window.
#pragma once

#include <windows.h>

#include "win32/ErrorDisplay.h"
#include "win32/UniqueResource.h"

namespace tavrin {

template <typename Derived>
class BaseWindow {
public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    [[nodiscard]] HWND Handle() const noexcept { return window_.get(); }

protected:
    struct ClassOptions {
        UINT style = 0;
        HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW);
        HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        HICON icon = nullptr;
        HICON smallIcon = nullptr;
    };

    struct WindowOptions {
        DWORD exStyle = 0;
        const wchar_t* caption = L"";
        DWORD style = 0;
        RECT place{};  // left, top, right, bottom
        HWND parent = nullptr;
    };

    // The derived object is destroyed before this base: the window must no
    // longer reach it while it is being destroyed.
    ~BaseWindow() {
        if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    }

    // Registers the class on first use and creates the window; throws when
    // Windows refuses either.
    void Create(const wchar_t* className, const ClassOptions& classOptions, const WindowOptions& options) {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        if (!GetClassInfoExW(instance, className, &windowClass)) {
            windowClass.style = classOptions.style;
            windowClass.lpfnWndProc = WindowProc;
            windowClass.hInstance = instance;
            windowClass.hCursor = classOptions.cursor;
            windowClass.hbrBackground = classOptions.background;
            windowClass.hIcon = classOptions.icon;
            windowClass.hIconSm = classOptions.smallIcon;
            windowClass.lpszClassName = className;
            if (!RegisterClassExW(&windowClass)) ThrowLastError("RegisterClassExW");
        }
        const RECT& place = options.place;
        const HWND window = CreateWindowExW(options.exStyle, className, options.caption, options.style, place.left,
                                            place.top, place.right - place.left, place.bottom - place.top,
                                            options.parent, nullptr, instance, this);
        if (!window) ThrowLastError("CreateWindowExW");
    }

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) const noexcept {
        return DefWindowProcW(window_.get(), message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->window_.reset(window);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        if (!self) return DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            // Destroyed by Windows (with its parent or owner): nothing is left to destroy.
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            (void)self->window_.release();
            return DefWindowProcW(window, message, wParam, lParam);
        }
        const auto result = CallGuarded(window, [&] { return self->HandleMessage(message, wParam, lParam); });
        return result ? *result : DefWindowProcW(window, message, wParam, lParam);
    }

    unique_hwnd window_;
};

}  // namespace tavrin
