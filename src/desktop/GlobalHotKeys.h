// System-wide hot keys: registers key combinations with Windows and reports their presses.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "rules/HotKeyText.h"
#include "win32/MessageWindow.h"
#include "win32/UniqueResource.h"

namespace tavrin {

class GlobalHotKeys {
public:
    // A registered hot key was pressed: its value and the index that RegisterGlobalKey returned.
    using PressedHandler = std::function<void(HotKeyValue hotKey, std::uint16_t index)>;

    struct RegisteredKey {
        HotKeyValue hotKey;
        std::uint16_t index;
    };

    GlobalHotKeys();
    ~GlobalHotKeys();
    GlobalHotKeys(const GlobalHotKeys&) = delete;
    GlobalHotKeys& operator=(const GlobalHotKeys&) = delete;

    // The index of the new registration, 0 when Windows refuses the combination.
    [[nodiscard]] std::uint16_t RegisterGlobalKey(HotKeyValue hotKey);
    // Releases the registration of `index` and registers `hotKey`; 0 when the index is
    // unknown or the new combination is refused.
    [[nodiscard]] std::uint16_t ReplaceGlobalKey(std::uint16_t index, HotKeyValue hotKey);
    // Whether Windows released the registration; the entry is forgotten either way.
    bool ReleaseGlobalKey(std::uint16_t index);
    void ReleaseAllGlobalKeys();

    [[nodiscard]] std::vector<RegisteredKey> RegisteredKeys() const;

    PressedHandler OnHotKeyPressed;

private:
    struct Entry {
        HotKeyValue hotKey;
        unique_atom atom;  // the registration's index
    };

    [[nodiscard]] bool HotKeyMessage(WPARAM wParam, LPARAM lParam);

    std::vector<Entry> keys_;
    MessageWindow::Subscription subscription_;  // last: it calls into keys_
};

}  // namespace tavrin
