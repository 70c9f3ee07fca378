#include "win32/ShownText.h"

#include <algorithm>

namespace tavrin {
namespace {

constexpr std::wstring_view kEllipsis = L"\x2026";

// The window's device context with the font selected, for the time of a measurement.
class MeasuringDc {
public:
    MeasuringDc(HWND window, HFONT font) noexcept
        : window_(window), dc_(GetDC(window)), previous_(SelectObject(dc_, font)) {}
    ~MeasuringDc() {
        SelectObject(dc_, previous_);
        ReleaseDC(window_, dc_);
    }
    MeasuringDc(const MeasuringDc&) = delete;
    MeasuringDc& operator=(const MeasuringDc&) = delete;

    [[nodiscard]] int Width(std::wstring_view text) const noexcept {
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
        return size.cx;
    }
    // How many characters of the text's start fit in the width.
    [[nodiscard]] int Fitting(std::wstring_view text, int width) const noexcept {
        int fit = 0;
        SIZE size{};
        GetTextExtentExPointW(dc_, text.data(), static_cast<int>(text.size()), std::max(width, 0), &fit, nullptr,
                              &size);
        return fit;
    }

private:
    HWND window_;
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace

std::wstring WithLiteralAmpersands(std::wstring_view text) {
    std::wstring shown;
    for (const wchar_t c : text) {
        shown += c;
        if (c == L'&') shown += L'&';
    }
    return shown;
}

int TextWidth(HWND window, HFONT font, std::wstring_view text) { return MeasuringDc(window, font).Width(text); }

// The cut falls between characters, never inside a surrogate pair.
std::wstring CutToWidth(HWND window, HFONT font, std::wstring_view text, int width) {
    const MeasuringDc dc(window, font);
    if (dc.Width(text) <= width) return std::wstring(text);
    std::size_t fit = static_cast<std::size_t>(dc.Fitting(text, width - dc.Width(kEllipsis)));
    if (fit > 0 && IS_HIGH_SURROGATE(text[fit - 1])) --fit;
    return std::wstring(text.substr(0, fit)) + std::wstring(kEllipsis);
}

}  // namespace tavrin
