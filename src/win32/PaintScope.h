// BeginPaint and EndPaint as one scope: the paint ends even when drawing throws.
#pragma once

#include <windows.h>

namespace tavrin {

class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    [[nodiscard]] HDC Dc() const noexcept { return dc_; }
    [[nodiscard]] const RECT& Area() const noexcept { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace tavrin
