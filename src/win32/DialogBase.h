// The base of every modal dialog (CRTP). RunModal shows an empty dialog of the
// given caption and client size over its owner (or a sizable one, see
// DialogFrame); the derived class makes its controls in OnInitDialog with
// AddControl. Sizes and places are given in
// 96-DPI pixels: the base scales them, and picks the font, for the DPI of the
// owner's monitor, so that a dialog needs nothing of its own for the display scale. The dialog procedure keeps `this`
// with the dialog from WM_INITDIALOG on (DWLP_USER) and forwards each message to
// the derived class's HandleMessage under the program's error policy. OK and
// Cancel end the dialog with their identifiers unless the derived class takes
// them. Windows destroys the dialog when it ends; the object outlives it.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "rules/Scale.h"
#include "win32/Dpi.h"
#include "win32/ErrorDisplay.h"
#include "win32/Utf16.h"

namespace tavrin {

// How a dialog's frame differs from a fixed box centred over its owner.
struct DialogFrame {
    bool sizable = false;         // a sizing border and a maximize box
    bool outerSize = false;       // the size given is the whole window's, not the client area's
    bool centreOnScreen = false;  // in the middle of the work area, wherever the owner is
};

template <typename Derived>
class DialogBase {
public:
    DialogBase(const DialogBase&) = delete;
    DialogBase& operator=(const DialogBase&) = delete;

    // The dialog while it is shown; null before and after.
    [[nodiscard]] HWND Handle() const noexcept { return dialog_; }

protected:
    DialogBase() = default;
    ~DialogBase() = default;

    // Shows the dialog modally and returns the value it ended with; -1 when it could not be shown.
    INT_PTR RunModal(HWND owner, std::wstring_view caption, SIZE size, DialogFrame frame = {}) {
        dpi_ = DpiOf(owner);
        size_ = {Scale(size.cx), Scale(size.cy)};
        frame_ = frame;
        const std::vector<WORD> dialogTemplate = EmptyTemplate(caption, frame);
        return DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                       reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner, DialogProc,
                                       reinterpret_cast<LPARAM>(this));
    }

    // A child control at `place` (96-DPI pixels of the client area) in the dialog's font.
    HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, const RECT& place, int id,
                    DWORD exStyle = 0) {
        const int left = Scale(place.left);
        const int top = Scale(place.top);
        const HWND control =
            CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, left, top,
                            Scale(place.right) - left, Scale(place.bottom) - top, dialog_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
        if (!control) ThrowLastError("CreateWindowExW");
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        return control;
    }

    // A 96-DPI length at the dialog's scale, for what the dialog sizes itself.
    [[nodiscard]] int Scale(int value) const noexcept { return Scaled(value, dpi_); }
    [[nodiscard]] int Dpi() const noexcept { return dpi_; }

    [[nodiscard]] HWND Control(int id) const noexcept { return GetDlgItem(dialog_, id); }

    // The text of a control, UTF-8.
    [[nodiscard]] std::string ControlText(int id) const {
        const HWND control = Control(id);
        std::wstring text(static_cast<size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
        text.resize(static_cast<size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
        return Narrow(text);
    }
    void SetControlText(int id, const std::string& text) const { SetWindowTextW(Control(id), Widen(text).c_str()); }
    void Close(INT_PTR result) const noexcept { EndDialog(dialog_, result); }

private:
    static constexpr DWORD kStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;

    // A dialog template without controls: the size is set in pixels when the dialog starts.
    static std::vector<WORD> EmptyTemplate(std::wstring_view caption, DialogFrame frame) {
        std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
        auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
        header->style = kStyle | (frame.sizable ? WS_THICKFRAME | WS_MAXIMIZEBOX : 0);
        words.push_back(0);  // no menu
        words.push_back(0);  // the standard dialog class
        words.insert(words.end(), caption.begin(), caption.end());
        words.push_back(0);
        words.push_back(8);  // point size of the font
        constexpr std::wstring_view kFont = L"MS Shell Dlg";
        words.insert(words.end(), kFont.begin(), kFont.end());
        words.push_back(0);
        return words;
    }

    // The size asked for, centred over the owner (or the screen's work area), and
    // moved into the work area of the owner's monitor where it would stand out:
    // a window kept at the screen's edge is narrower than many of its dialogs.
    void PlaceDialog() {
        RECT frame{0, 0, size_.cx, size_.cy};
        if (!frame_.outerSize) {
            AdjustWindowRectExForDpi(&frame, GetWindowLongW(dialog_, GWL_STYLE), FALSE,
                                     GetWindowLongW(dialog_, GWL_EXSTYLE), dpi_);
        }
        const int width = frame.right - frame.left;
        const int height = frame.bottom - frame.top;
        RECT around{};
        const HWND owner = GetWindow(dialog_, GW_OWNER);
        if (frame_.centreOnScreen || !owner || !IsWindowVisible(owner) || !GetWindowRect(owner, &around)) {
            SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
        }
        int left = around.left + ((around.right - around.left) - width) / 2;
        int top = around.top + ((around.bottom - around.top) - height) / 2;
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (GetMonitorInfoW(MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST), &monitor)) {
            const RECT& work = monitor.rcWork;
            left = std::max(std::min(left, static_cast<int>(work.right) - width), static_cast<int>(work.left));
            top = std::max(std::min(top, static_cast<int>(work.bottom) - height), static_cast<int>(work.top));
        }
        SetWindowPos(dialog_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (message == WM_INITDIALOG) {
            self = reinterpret_cast<Derived*>(lParam);
            self->dialog_ = dialog;
            SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
            const auto focusDefault = CallGuarded(dialog, [&] {
                self->font_ = CreateUiFont(self->dpi_);
                SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(self->font_.get()), FALSE);
                self->PlaceDialog();
                return self->OnInitDialog();
            });
            // A dialog that could not be built is not shown half made.
            if (!focusDefault) EndDialog(dialog, IDCANCEL);
            return focusDefault.value_or(FALSE);
        }
        if (!self) return FALSE;
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            self->dialog_ = nullptr;
            return FALSE;
        }
        const auto handled = CallGuarded(dialog, [&] { return self->HandleMessage(message, wParam, lParam); });
        if (handled && *handled) return *handled;
        if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    }

    HWND dialog_ = nullptr;
    int dpi_ = kBaseDpi;
    unique_hfont font_;
    SIZE size_{};
    DialogFrame frame_;
};

}  // namespace tavrin
