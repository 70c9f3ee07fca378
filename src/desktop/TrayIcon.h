// The program's icon in the notification area: click, menu and balloon events, balloon
// tips, and hiding the owner window in the notification area instead of minimizing it.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <string>
#include <string_view>

#include "win32/MessageWindow.h"
#include "win32/UniqueResource.h"

namespace tavrin {

// The shell's balloon icons (NIIF_NONE, NIIF_INFO, NIIF_WARNING, NIIF_ERROR).
enum class BalloonIcon : DWORD { None = 0, Info = 1, Warning = 2, Error = 3 };

class TrayIcon {
public:
    using EventHandler = std::function<void()>;

    // The message through which the shell reports mouse and balloon events.
    static constexpr UINT kCallbackMessage = WM_USER + 1024;
    // Longest texts the shell takes, in UTF-16 units.
    static constexpr size_t kMaxHint = 127;
    static constexpr size_t kMaxBalloonText = 255;
    static constexpr size_t kMaxBalloonTitle = 63;

    // `owner` is the program's main window: the one that ShowOwnerForm and HideOwnerForm
    // show and hide, that receives the menu's WM_COMMAND, and whose minimize command is
    // intercepted for MinimizeToTray.
    explicit TrayIcon(HWND owner);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // The icon is copied; the caller keeps its own.
    void SetIcon(HICON icon);
    void SetHint(std::string hint);
    void SetShowHint(bool showHint);
    // Adds the icon to the notification area or removes it.
    void SetIconVisible(bool visible);
    [[nodiscard]] bool IconVisible() const noexcept { return iconVisible_; }

    // Whether the shell accepted the balloon. Texts longer than the shell takes are cut.
    bool ShowBalloonTip(std::string_view title, std::string_view text, BalloonIcon icon, unsigned timeoutSeconds);
    void HideBalloonTip();

    void ShowOwnerForm();
    void HideOwnerForm();

    // The record last given to the shell, whose messages go to the shared message window.
    [[nodiscard]] const NOTIFYICONDATAW& NotifyData() const noexcept { return data_; }

    // Shown on a right click; not owned. The chosen item, and on a double click the
    // default item, is posted to the owner as WM_COMMAND.
    HMENU PopupMenu = nullptr;
    // Hide the owner in the notification area when it is minimized (needs OnMinimizeToTray).
    bool MinimizeToTray = false;

    // A left click, reported when the button comes up; the second click of a double click is none.
    EventHandler OnClick;
    EventHandler OnBalloonHintClick;
    EventHandler OnMinimizeToTray;

private:
    static LRESULT CALLBACK OwnerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR subclassId, DWORD_PTR self) noexcept;

    void ShellMessage(UINT message);
    void TaskbarCreated();
    void FillRecord();
    bool Notify(DWORD action);
    void ShowMenu();
    void PostDefaultMenuItem();
    void HideToTray();

    HWND owner_;
    bool ownerHooked_ = false;
    unique_hicon icon_;
    std::string hint_;
    bool showHint_ = true;
    bool iconVisible_ = false;
    NOTIFYICONDATAW data_{};
    bool clickPending_ = false;                 // the left button went down on the icon
    MessageWindow::Subscription subscription_;  // last: it calls into the members above
};

}  // namespace tavrin
