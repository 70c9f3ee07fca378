#include "app/TraySide.h"

#include <algorithm>
#include <vector>

#include "app/Commands.h"
#include "app/ProgramResources.h"

namespace tavrin {

TraySide::TraySide(HWND window, const LayoutKeyNames& keyNames) : keyNames_(keyNames) {
    menu_.reset(CreatePopupMenu());
    AppendMenuItems(menu_.get(), kTrayMenu);
    // The default entry is shown bold; a double click on the icon chooses it.
    SetMenuDefaultItem(menu_.get(), static_cast<UINT>(kTrayMenu[0]), FALSE);

    TrayIcon& icon = icon_.emplace(window);
    icon.PopupMenu = menu_.get();
    icon.MinimizeToTray = true;
    icon.OnClick = [this] { ToggleWindow(); };
    // Shows the window but leaves hidden_ as it was: after this, the next
    // toggle only catches the flag up with the window, which stays shown.
    icon.OnBalloonHintClick = [this] { icon_->ShowOwnerForm(); };
    icon.OnMinimizeToTray = [this] { HideToTray(); };

    // Only the window's own hot key toggles it; a registration that an emptied
    // or refused setting left behind stays silent.
    hotKeys_.OnHotKeyPressed = [this](HotKeyValue, std::uint16_t index) {
        if (index != 0 && index == mainHotKeyIndex_) ToggleWindow();
    };
}

void TraySide::ShowIcon() {
    icon_->SetHint("Tavrin");
    icon_->SetIcon(LoadAppIcon(GetSystemMetrics(SM_CXSMICON)).get());  // the icon keeps a copy
    icon_->SetIconVisible(true);
}

void TraySide::ToggleWindow() {
    hidden_ = !hidden_;
    if (hidden_) {
        ReleaseCapture();  // a cell held down comes up without a click
        icon_->HideOwnerForm();
    } else {
        icon_->ShowOwnerForm();  // also brings the window to the foreground
    }
}

// The minimize command hides the window in the notification area instead; the
// icon hides it once more afterwards and makes sure the icon is there.
void TraySide::HideToTray() {
    hidden_ = true;
    ReleaseCapture();
    icon_->HideOwnerForm();
}

// Another start of the program reports itself; the window stays as it is.
void TraySide::ShowRunningBalloon() { icon_->ShowBalloonTip("Tavrin", "Tavrin is running.", BalloonIcon::Info, 10); }

HotKeyValue TraySide::Parsed(const std::string& text) const { return ParseHotKeyText(text, true, keyNames_); }

void TraySide::RegisterMainHotKey(const std::string& text) {
    const HotKeyValue hotKey = Parsed(text);
    mainHotKeyIndex_ = hotKey == 0 ? 0 : hotKeys_.RegisterGlobalKey(hotKey);
}

// A new combination replaces the registered one. An emptied or unparsable text
// keeps the old registration with the system until the program ends, but it no
// longer toggles; a combination kept that way is still this program's and
// becomes the hot key again, rather than being refused as taken.
void TraySide::ReregisterMainHotKey(const std::string& text) {
    const HotKeyValue hotKey = Parsed(text);
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
        RegisterMainHotKey(text);
    }
}

}  // namespace tavrin
