#include "win32/Dpi.h"

#include "rules/Scale.h"
#include "win32/ErrorDisplay.h"

namespace tavrin {

int DpiOf(HWND window) noexcept {
    const UINT dpi = window ? GetDpiForWindow(window) : GetDpiForSystem();
    return dpi != 0 ? static_cast<int>(dpi) : kBaseDpi;
}

unique_hfont CreateUiFont(int dpi, UiFont which) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        ThrowLastError("SystemParametersInfoForDpi");
    }
    unique_hfont font(CreateFontIndirectW(which == UiFont::Menu ? &metrics.lfMenuFont : &metrics.lfMessageFont));
    if (!font) ThrowLastError("CreateFontIndirectW");
    return font;
}

}  // namespace tavrin
