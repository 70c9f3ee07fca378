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
    popupMenuTrayIcon_.reset(CreatePopupMenu());
    for (const MenuEntry& item : kPopupMenuTrayIcon) AppendMenuEntry(popupMenuTrayIcon_.get(), item);
    // The default entry is shown bold; a double click on the icon chooses it.
    SetMenuDefaultItem(popupMenuTrayIcon_.get(), kTrayShowCommand, FALSE);

    TrayIcon& tray = trayIcon_.emplace(Handle());
    tray.PopupMenu = popupMenuTrayIcon_.get();
    tray.MinimizeToTray = true;
    tray.OnClick = [this] { ToggleWindow(); };
    tray.OnBalloonHintClick = [this] { BalloonHintClick(); };
    tray.OnMinimizeToTray = [this] { MinimizeToTray(); };

    mainGlobalHotKeys_.OnHotKeyPressed = [this](HotKeyValue, std::uint16_t index) { HotKeyPressed(index); };
}

// The last creation step: the icon with its tooltip goes into the notification area.
void MainWindow::ShowTrayIcon() {
    trayIcon_->SetHint("Tavrin");
    trayIcon_->SetIcon(LoadAppIcon(16).get());  // the tray icon keeps a copy
    trayIcon_->SetIconVisible(true);
}

void MainWindow::ToggleWindow() {
    HiddenToTray = !HiddenToTray;
    if (HiddenToTray) {
        trayIcon_->HideOwnerForm();
    } else {
        // Shows the window and brings it to the foreground.
        trayIcon_->ShowOwnerForm();
    }
}

// The minimize command hides the window in the notification area instead; the tray
// icon hides it once more afterwards and makes sure the icon is there.
void MainWindow::MinimizeToTray() {
    HiddenToTray = true;
    trayIcon_->HideOwnerForm();
}

// Shows the window but leaves HiddenToTray as it was: after this, the next toggle
// only catches the flag up with the window, which stays shown.
void MainWindow::BalloonHintClick() { trayIcon_->ShowOwnerForm(); }

// Another start of the program reports itself; the window stays as it is.
void MainWindow::ShowRunningBalloon() {
    trayIcon_->ShowBalloonTip("Tavrin", "Tavrin is running.", BalloonIcon::Info, 10);
}

// Only the window's own hot key toggles it; a registration that an emptied or
// refused setting left behind stays silent.
void MainWindow::HotKeyPressed(std::uint16_t index) {
    if (index != 0 && index == MainHotKeyIndex) ToggleWindow();
}

// The setting's text in the current layout's key names; 0 for an empty or unknown text.
HotKeyValue MainWindow::ParsedGlobalHotKey() const {
    return ParseHotKeyText(appSettings_->GlobalHotKeyText, true, layoutKeyNames_);
}

void MainWindow::RegisterMainHotKey() {
    const HotKeyValue hotKey = ParsedGlobalHotKey();
    MainHotKeyIndex = hotKey == 0 ? 0 : mainGlobalHotKeys_.RegisterGlobalKey(hotKey);
}

// A new combination replaces the registered one. An emptied or unparsable text keeps
// the old registration with the system until the program ends, but no longer toggles.
void MainWindow::ReregisterMainHotKey() {
    const HotKeyValue hotKey = ParsedGlobalHotKey();
    if (MainHotKeyIndex != 0) {
        MainHotKeyIndex = hotKey == 0 ? 0 : mainGlobalHotKeys_.ReplaceGlobalKey(MainHotKeyIndex, hotKey);
        return;
    }
    // A combination that an earlier emptied setting left registered is still this
    // program's: it becomes the hot key again rather than being refused as taken.
    const std::vector<GlobalHotKeys::RegisteredKey> kept = mainGlobalHotKeys_.RegisteredKeys();
    const auto same = std::find_if(kept.begin(), kept.end(), [&](const auto& key) { return key.hotKey == hotKey; });
    if (hotKey != 0 && same != kept.end()) {
        MainHotKeyIndex = same->index;
        return;
    }
    RegisterMainHotKey();
}

// A command of the tray menu, which the tray icon posts once the menu has gone.
bool MainWindow::TrayMenuCommand(unsigned commandId) {
    const auto item = std::find_if(kPopupMenuTrayIcon.begin(), kPopupMenuTrayIcon.end(),
                                   [&](const MenuEntry& entry) { return entry.commandId == commandId; });
    if (commandId == 0 || item == kPopupMenuTrayIcon.end()) return false;
    if (commandId == kTrayShowCommand) {
        ToggleWindow();  // also when the window is shown: then "Show" hides it
    } else if (commandId == kTrayCloseCommand) {
        SendMessageW(Handle(), WM_CLOSE, 0, 0);  // as the system menu's Close
    } else {
        RunAction(item->action);
    }
    return true;
}

}  // namespace tavrin
