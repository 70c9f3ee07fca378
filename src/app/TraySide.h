// The main window's side of the notification area and of the global hot key:
// the icon and the hot key show and hide the window, the icon's menu reaches
// the options, the web page and Close (posted to the window as commands), and
// a second start of the program is answered with a balloon.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "desktop/GlobalHotKeys.h"
#include "win32/LayoutKeyNames.h"
#include "desktop/TrayIcon.h"
#include "win32/UniqueResource.h"

namespace tavrin {

class TraySide {
public:
    // Made right after the window, before its settings are read: the icon and
    // the hot keys exist for the window's whole life.
    TraySide(HWND window, const LayoutKeyNames& keyNames);

    // Once the window is shown: the icon with its tooltip goes into the notification area.
    void ShowIcon();
    // Hides the window into the notification area, or shows it and brings it to the front.
    void ToggleWindow();
    void ShowRunningBalloon();

    // Registers the global hot key of the setting's text (in the current
    // layout's key names); an empty or unknown text registers none.
    void RegisterMainHotKey(const std::string& text);
    // After the options: the new text replaces the registered combination.
    void ReregisterMainHotKey(const std::string& text);

    [[nodiscard]] bool Hidden() const noexcept { return hidden_; }
    [[nodiscard]] std::uint16_t HotKeyIndex() const noexcept { return mainHotKeyIndex_; }  // 0: none
    [[nodiscard]] const TrayIcon& Icon() const { return *icon_; }
    [[nodiscard]] const GlobalHotKeys& HotKeys() const noexcept { return hotKeys_; }

private:
    void HideToTray();
    [[nodiscard]] HotKeyValue Parsed(const std::string& text) const;

    const LayoutKeyNames& keyNames_;
    GlobalHotKeys hotKeys_;
    unique_hmenu menu_;             // outlives the icon that shows it
    std::optional<TrayIcon> icon_;  // made in the constructor, after the menu
    bool hidden_ = false;
    std::uint16_t mainHotKeyIndex_ = 0;
};

}  // namespace tavrin
