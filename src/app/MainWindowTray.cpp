// The main window's side of the notification-area icon and the global hot key:
// the icon and the hot key show and hide the window, the icon's menu reaches the
// options, the web page and Close, and a second start is answered with a balloon.
#include "app/MainWindow.h"

#include <algorithm>
#include <vector>

#include "app/ProgramResources.h"

namespace tavrin {

// Made right after the window, before the creation steps: the components exist
// for the whole life of the window, while their settings come from the steps.
void MainWindow::CreateTrayComponents() {
    trayMenu_.reset(CreatePopupMenu());
    AppendMenuItems(trayMenu_.get(), kTrayMenu);
    // The default entry is shown bold; a double click on the icon chooses it.
    SetMenuDefaultItem(trayMenu_.get(), static_cast<UINT>(kTrayMenu[0]), FALSE);

    TrayIcon& tray = trayIcon_.emplace(Handle());
    tray.PopupMenu = trayMenu_.get();
    tray.MinimizeToTray = true;
    tray.OnClick = [this] { ToggleWindow(); };
    tray.OnBalloonHintClick = [this] { BalloonHintClick(); };
    tray.OnMinimizeToTray = [this] { HideToTray(); };

    hotKeys_.OnHotKeyPressed = [this](HotKeyValue, std::uint16_t index) { HotKeyPressed(index); };
}

// Once the window is shown: the icon with its tooltip goes into the notification area.
void MainWindow::ShowTrayIcon() {
    trayIcon_->SetHint("Tavrin");
    trayIcon_->SetIcon(LoadAppIcon(GetSystemMetrics(SM_CXSMICON)).get());  // the tray icon keeps a copy
    trayIcon_->SetIconVisible(true);
}

void MainWindow::ToggleWindow() {
    hiddenToTray_ = !hiddenToTray_;
    if (hiddenToTray_) {
        ReleaseCapture();  // a cell held down comes up without a click
        trayIcon_->HideOwnerForm();
    } else {
        // Shows the window and brings it to the foreground.
        trayIcon_->ShowOwnerForm();
    }
}

// The minimize command hides the window in the notification area instead; the tray
// icon hides it once more afterwards and makes sure the icon is there.
void MainWindow::HideToTray() {
    hiddenToTray_ = true;
    ReleaseCapture();
    trayIcon_->HideOwnerForm();
}

// Shows the window but leaves hiddenToTray_ as it was: after this, the next toggle
// only catches the flag up with the window, which stays shown.
void MainWindow::BalloonHintClick() { trayIcon_->ShowOwnerForm(); }

// Another start of the program reports itself; the window stays as it is.
void MainWindow::ShowRunningBalloon() {
    trayIcon_->ShowBalloonTip("Tavrin", "Tavrin is running.", BalloonIcon::Info, 10);
}

// Only the window's own hot key toggles it; a registration that an emptied or
// refused setting left behind stays silent.
void MainWindow::HotKeyPressed(std::uint16_t index) {
    if (index != 0 && index == mainHotKeyIndex_) ToggleWindow();
}

// The setting's text in the current layout's key names; 0 for an empty or unknown text.
HotKeyValue MainWindow::ParsedGlobalHotKey() const {
    return ParseHotKeyText(appSettings_->GlobalHotKeyText, true, layoutKeyNames_);
}

void MainWindow::RegisterMainHotKey() {
    const HotKeyValue hotKey = ParsedGlobalHotKey();
    mainHotKeyIndex_ = hotKey == 0 ? 0 : hotKeys_.RegisterGlobalKey(hotKey);
}

// A new combination replaces the registered one. An emptied or unparsable text
// keeps the old registration with the system until the program ends, but it no
// longer toggles; a combination kept that way is still this program's and
// becomes the hot key again, rather than being refused as taken.
void MainWindow::ReregisterMainHotKey() {
    const HotKeyValue hotKey = ParsedGlobalHotKey();
    if (hotKey == 0) {
        mainHotKeyIndex_ = 0;
        return;
    }
    const std::vector<GlobalHotKeys::RegisteredKey> kept = hotKeys_.RegisteredKeys();
    const auto same = std::find_if(kept.begin(), kept.end(), [&](const auto& key) { return key.hotKey == hotKey; });
    if (same != kept.end()) {
        if (mainHotKeyIndex_ != 0 && mainHotKeyIndex_ != same->index) hotKeys_.ReleaseGlobalKey(mainHotKeyIndex_);
        mainHotKeyIndex_ = same->index;
    } else if (mainHotKeyIndex_ != 0) {
        mainHotKeyIndex_ = hotKeys_.ReplaceGlobalKey(mainHotKeyIndex_, hotKey);
    } else {
        RegisterMainHotKey();
    }
}

}  // namespace tavrin
