#include "desktop/TrayIcon.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "win32/ErrorDisplay.h"
#include "win32/Utf16.h"

namespace tavrin {

namespace {

// NIF_MESSAGE, NIF_ICON and NIF_TIP: what every add and modify sends.
constexpr UINT kNormalFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

// Each icon has a small identifier of its own, which the shell hands back with
// every callback; an identifier of an icon that is gone finds nothing.
UINT nextIconId = 1;

// Copies as much of `text` as fits before the terminating zero, never half a surrogate pair.
template <size_t Capacity>
void CopyCut(wchar_t (&field)[Capacity], std::string_view utf8) {
    std::wstring text = Widen(utf8);
    if (text.size() > Capacity - 1) {
        text.resize(Capacity - 1);
        if (IS_HIGH_SURROGATE(text.back())) text.pop_back();
    }
    std::copy(text.begin(), text.end(), field);
    field[text.size()] = L'\0';
}

}  // namespace

TrayIcon::TrayIcon(HWND owner) : owner_(owner) {
    data_.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data_.uID = nextIconId++;
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    subscription_ = MessageWindow::Subscribe(
        [this, taskbarCreated](UINT message, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
            if (message == kCallbackMessage && wParam == data_.uID) {
                ShellMessage(LOWORD(lParam));
                return 0;
            }
            // Explorer started again and forgot every icon; the other icons hear it too.
            if (message == taskbarCreated && taskbarCreated != 0) TaskbarCreated();
            return std::nullopt;
        });
    if (owner_ != nullptr) {
        ownerHooked_ = SetWindowSubclass(owner_, OwnerWindowProc, reinterpret_cast<UINT_PTR>(this),
                                         reinterpret_cast<DWORD_PTR>(this));
    }
}

TrayIcon::~TrayIcon() {
    SetIconVisible(false);
    if (ownerHooked_) RemoveWindowSubclass(owner_, OwnerWindowProc, reinterpret_cast<UINT_PTR>(this));
}

void TrayIcon::SetIcon(HICON icon) {
    icon_.reset(icon != nullptr ? CopyIcon(icon) : nullptr);
    if (iconVisible_) Notify(NIM_MODIFY);
}

void TrayIcon::SetHint(std::string hint) {
    hint_ = std::move(hint);
    if (iconVisible_) Notify(NIM_MODIFY);
}

void TrayIcon::SetShowHint(bool showHint) {
    showHint_ = showHint;
    if (iconVisible_) Notify(NIM_MODIFY);
}

void TrayIcon::SetIconVisible(bool visible) {
    if (visible == iconVisible_) return;
    iconVisible_ = visible;
    if (!visible) {
        Notify(NIM_DELETE);
        return;
    }
    // The icon counts as visible even when the shell is not there yet: it is added
    // again when the taskbar announces itself.
    TaskbarCreated();
}

void TrayIcon::TaskbarCreated() {
    if (!iconVisible_ || !Notify(NIM_ADD)) return;
    data_.uVersion = 0;  // the shell's original callback behaviour
    Notify(NIM_SETVERSION);
}

void TrayIcon::FillRecord() {
    data_.hWnd = MessageWindow::Window();
    data_.uFlags = kNormalFlags;
    data_.uCallbackMessage = kCallbackMessage;
    data_.hIcon = icon_.get();
    CopyCut(data_.szTip, showHint_ ? hint_ : std::string());
}

bool TrayIcon::Notify(DWORD action) {
    if (action == NIM_ADD || action == NIM_MODIFY) FillRecord();
    return Shell_NotifyIconW(action, &data_);
}

bool TrayIcon::ShowBalloonTip(std::string_view title, std::string_view text, BalloonIcon icon,
                              unsigned timeoutSeconds) {
    HideBalloonTip();
    FillRecord();
    data_.uFlags |= NIF_INFO;
    CopyCut(data_.szInfo, text);
    CopyCut(data_.szInfoTitle, title);
    data_.uTimeout = timeoutSeconds * 1000;
    data_.dwInfoFlags = static_cast<DWORD>(icon);
    const bool accepted = Shell_NotifyIconW(NIM_MODIFY, &data_);
    data_.uFlags = kNormalFlags;
    return accepted;
}

void TrayIcon::HideBalloonTip() {
    FillRecord();
    data_.uFlags |= NIF_INFO;
    data_.szInfo[0] = L'\0';
    Shell_NotifyIconW(NIM_MODIFY, &data_);
    data_.uFlags = kNormalFlags;
}

void TrayIcon::ShowOwnerForm() {
    if (!IsWindow(owner_)) return;
    ShowWindow(owner_, IsIconic(owner_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(owner_);
}

void TrayIcon::HideOwnerForm() {
    if (IsWindow(owner_)) ShowWindow(owner_, SW_HIDE);
}

// Each event is fired as the last step of its message: a handler may destroy this icon.
void TrayIcon::ShellMessage(UINT message) {
    switch (message) {
        case NIN_BALLOONUSERCLICK:
            if (OnBalloonHintClick) OnBalloonHintClick();
            return;
        case WM_LBUTTONDOWN:
            clickPending_ = true;
            return;
        case WM_LBUTTONUP:
            // After a double click's second press (WM_LBUTTONDBLCLK) no click is pending.
            if (std::exchange(clickPending_, false) && OnClick) OnClick();
            return;
        case WM_LBUTTONDBLCLK:
            if (PopupMenu != nullptr) PostDefaultMenuItem();
            return;
        case WM_RBUTTONDOWN:
            if (PopupMenu != nullptr) ShowMenu();
            return;
    }
}

// The menu's chosen item is posted, so that its handler runs after the menu has gone
// and may close the owner, and with it this icon, safely.
void TrayIcon::ShowMenu() {
    const HWND owner = owner_;
    const HWND window = MessageWindow::Window();
    const HMENU menu = PopupMenu;
    // The menu closes when the user clicks elsewhere only if its window is in the foreground.
    SetForegroundWindow(window);
    POINT cursor{};
    GetCursorPos(&cursor);
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, window, nullptr));
    PostMessageW(owner, WM_NULL, 0, 0);
    if (command != 0) PostMessageW(owner, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void TrayIcon::PostDefaultMenuItem() {
    const UINT command = GetMenuDefaultItem(PopupMenu, FALSE, 0);
    if (command != static_cast<UINT>(-1)) PostMessageW(owner_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

void TrayIcon::HideToTray() {
    if (OnMinimizeToTray) OnMinimizeToTray();
    HideOwnerForm();
    SetIconVisible(true);
}

LRESULT CALLBACK TrayIcon::OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                           DWORD_PTR self) noexcept {
    const auto result = CallGuarded(window, [&]() -> std::optional<LRESULT> {
        auto* icon = reinterpret_cast<TrayIcon*>(self);
        const bool toTray = icon->MinimizeToTray && icon->OnMinimizeToTray;
        switch (message) {
            case WM_SYSCOMMAND:
                if (toTray && (wParam & 0xFFF0) == SC_MINIMIZE) {
                    icon->HideToTray();
                    return 0;  // no real minimize
                }
                break;
            case WM_SHOWWINDOW:
                // The window that owns the owner is being minimized.
                if (toTray && !wParam && lParam == SW_PARENTCLOSING) {
                    icon->HideToTray();
                    return 0;
                }
                if (wParam && lParam == 0) {
                    const LRESULT shown = DefSubclassProc(window, message, wParam, lParam);
                    SetForegroundWindow(window);
                    return shown;
                }
                break;
            case WM_NCDESTROY:
                RemoveWindowSubclass(window, OwnerWindowProc, subclassId);
                icon->ownerHooked_ = false;
                break;
        }
        return std::nullopt;
    });
    return result && *result ? **result : DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace tavrin
