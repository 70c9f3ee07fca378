#include "dialogs/WaitBox.h"

#include "rules/Scale.h"
#include "win32/Dpi.h"
#include "win32/ErrorDisplay.h"
#include "win32/UniqueResource.h"

namespace tavrin {

// A static control is the whole box, its text centred both ways.
class WaitBox {
public:
    explicit WaitBox(HWND owner) {
        const int dpi = DpiOf(owner);
        const int width = Scaled(323, dpi);
        const int height = Scaled(114, dpi);
        RECT around{};
        if (!owner || !GetWindowRect(owner, &around)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
        window_.reset(CreateWindowExW(0, L"STATIC", L"Exporting report to file, please wait...",
                                      WS_POPUP | SS_CENTER | SS_CENTERIMAGE,
                                      around.left + (around.right - around.left - width) / 2,
                                      around.top + (around.bottom - around.top - height) / 2, width, height, owner,
                                      nullptr, GetModuleHandleW(nullptr), nullptr));
        if (!window_) ThrowLastError("CreateWindowExW");
        font_ = CreateUiFont(dpi);
        SendMessageW(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
        UpdateWindow(window_.get());
    }

    [[nodiscard]] HWND Handle() const noexcept { return window_.get(); }

private:
    unique_hfont font_;  // outlives the window that uses it
    unique_hwnd window_;
};

void WaitBoxCloser::operator()(WaitBox* box) const noexcept { delete box; }

ShownWaitBox ShowWaitBox(HWND owner) { return ShownWaitBox(new WaitBox(owner)); }

HWND WaitBoxWindow(const ShownWaitBox& box) noexcept { return box ? box->Handle() : nullptr; }

}  // namespace tavrin
