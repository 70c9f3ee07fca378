// The base of every window of the program: the static window procedure keeps
// `this` with the window and forwards each message to the derived class's
// HandleMessage. No exception unwinds into Windows: it is shown as an error.
#pragma once

#include <windows.h>

#include "win32/ErrorDisplay.h"

namespace tavrin {

template <typename Derived>
class BaseWindow {
public:
    BaseWindow() = default;
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;
    virtual ~BaseWindow() {
        if (window_) {
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            DestroyWindow(window_);
        }
    }

    [[nodiscard]] HWND Handle() const noexcept { return window_; }

protected:
    struct ClassOptions {
        UINT style = 0;
        HCURSOR cursor = LoadCursorW(nullptr, IDC_ARROW);
        HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        HICON icon = nullptr;
        HICON smallIcon = nullptr;
    };

    // Registers the class on first use and creates the window, which then
    // belongs to this object until it is destroyed.
    HWND Create(const wchar_t* className, const ClassOptions& options, DWORD exStyle, const wchar_t* caption,
                DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu = nullptr) {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        if (!GetClassInfoExW(instance, className, &windowClass)) {
            windowClass.style = options.style;
            windowClass.lpfnWndProc = WindowProc;
            windowClass.hInstance = instance;
            windowClass.hCursor = options.cursor;
            windowClass.hbrBackground = options.background;
            windowClass.hIcon = options.icon;
            windowClass.hIconSm = options.smallIcon;
            windowClass.lpszClassName = className;
            RegisterClassExW(&windowClass);
        }
        return CreateWindowExW(exStyle, className, caption, style, x, y, width, height, parent, menu, instance, this);
    }

    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) const noexcept {
        return DefWindowProcW(window_, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->window_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
        if (!self) return DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->window_ = nullptr;
            return DefWindowProcW(window, message, wParam, lParam);
        }
        try {
            return self->HandleMessage(message, wParam, lParam);
        } catch (const std::exception& error) {
            ShowErrorMessage(window, error);
        } catch (...) {
            ShowUnknownErrorMessage(window);
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

}  // namespace tavrin
