// The buttons' own hot keys: every launch button of a group whose HotKey text
// names a combination holds it system-wide while the window lives, and its
// press starts the button. The part keeps which combination belongs to which
// button and follows the stored buttons after each change of them.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/TraySide.h"
#include "desktop/GlobalHotKeys.h"
#include "rules/HotKeyRefusal.h"
#include "rules/HotKeyText.h"
#include "storage/ButtonStore.h"

namespace tavrin {

class ButtonHotKeys {
public:
    // pressed: the hot key of the button of that ID was pressed.
    ButtonHotKeys(const TraySide& tray, const IKeyNameSource& keyNames, std::function<void(int id)> pressed);

    // Reads the hot keys of the launch buttons of groups 1 to groupCount and
    // makes the registrations follow them. Returns the IDs whose refusal
    // changed (their hints say so), in no particular order.
    std::vector<int> Resync(ButtonStore& store, int groupCount);

    // Why the button of id cannot have the hot key of a text in the stored
    // form; none when it can, or when the text names no combination.
    [[nodiscard]] std::optional<HotKeyRefusal> RefusalFor(int id, const std::string& text);
    // Why the stored hot key of the button of id is not registered; null when
    // it is, or when the button has none.
    [[nodiscard]] const HotKeyRefusal* Refused(int id) const;
    // The button whose press the combination starts; kNoButton for none.
    [[nodiscard]] int ButtonOf(HotKeyValue hotKey) const;
    [[nodiscard]] const GlobalHotKeys& HotKeys() const noexcept { return hotKeys_; }

private:
    struct Keyed {
        int id = kNoButton;
        HotKeyValue hotKey = 0;
        std::string name;         // how messages name the button
        std::uint16_t index = 0;  // of its registration; 0 while refused
        std::optional<HotKeyRefusal> refusal;
    };

    [[nodiscard]] HotKeyValue Parsed(const std::string& text) const;
    [[nodiscard]] std::vector<Keyed> Wanted(ButtonStore& store, int groupCount) const;
    [[nodiscard]] int Preference(const Keyed& button) const;  // lower is better
    [[nodiscard]] std::vector<int> RefusalsChanged(const std::vector<Keyed>& next) const;
    [[nodiscard]] std::optional<HotKeyRefusal> HeldByTray(HotKeyValue hotKey) const;
    [[nodiscard]] std::uint16_t RegisteredIndex(HotKeyValue hotKey) const;
    [[nodiscard]] const Keyed* Holder(HotKeyValue hotKey) const;
    void Register(Keyed& button);

    const TraySide& tray_;
    const IKeyNameSource& keyNames_;
    GlobalHotKeys hotKeys_;
    std::vector<Keyed> buttons_;  // by ID, as at the last Resync
};

}  // namespace tavrin
