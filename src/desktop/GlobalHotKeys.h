// System-wide hot keys: registers key combinations with Windows and reports their presses.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "desktop/HotKeyText.h"
#include "shell/UniqueResource.h"

namespace tavrin {

class TGlobalHotKeys {
public:
    // A registered hot key was pressed: its value and the index that RegisterGlobalKey returned.
    using TOnHotKeyPressed = std::function<void(THotKey hotKey, std::uint16_t index)>;

    struct TRegisteredKey {
        THotKey hotKey;
        std::uint16_t index;
    };

    TGlobalHotKeys();
    ~TGlobalHotKeys();
    TGlobalHotKeys(const TGlobalHotKeys&) = delete;
    TGlobalHotKeys& operator=(const TGlobalHotKeys&) = delete;

    // The index of the new registration, 0 when Windows refuses the combination.
    [[nodiscard]] std::uint16_t RegisterGlobalKey(THotKey hotKey);
    // Releases the registration of `index` and registers `hotKey`; 0 when the index is
    // unknown or the new combination is refused.
    [[nodiscard]] std::uint16_t ReplaceGlobalKey(std::uint16_t index, THotKey hotKey);
    // Whether Windows released the registration; the entry is forgotten either way.
    bool ReleaseGlobalKey(std::uint16_t index);
    void ReleaseAllGlobalKeys();

    [[nodiscard]] std::vector<TRegisteredKey> RegisteredKeys() const;
    [[nodiscard]] HWND Window() const noexcept { return window_.get(); }

    TOnHotKeyPressed OnHotKeyPressed;

private:
    struct TEntry {
        THotKey hotKey;
        unique_atom atom;  // the registration's index
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void HotKeyMessage(WPARAM wParam, LPARAM lParam);

    unique_hwnd window_;
    std::vector<TEntry> keys_;
};

}  // namespace tavrin
