#include "app/ButtonHotKeys.h"

#include <algorithm>
#include <map>
#include <utility>

#include "rules/ShortcutText.h"

namespace tavrin {

ButtonHotKeys::ButtonHotKeys(const TraySide& tray, const IKeyNameSource& keyNames, std::function<void(int id)> pressed)
    : tray_(tray), keyNames_(keyNames) {
    hotKeys_.OnHotKeyPressed = [this, pressed = std::move(pressed)](HotKeyValue, std::uint16_t index) {
        const auto button =
            std::find_if(buttons_.begin(), buttons_.end(), [&](const Keyed& b) { return b.index == index; });
        if (button != buttons_.end()) pressed(button->id);
    };
}

// The text is in the form the properties box writes ("Shift+Ctrl+PgUp"), so
// it is read with the same rule that box reads it with.
HotKeyValue ButtonHotKeys::Parsed(const std::string& text) const { return TextToShortcut(text, keyNames_); }

std::optional<HotKeyRefusal> ButtonHotKeys::HeldByTray(HotKeyValue hotKey) const {
    for (const GlobalHotKeys::RegisteredKey& key : tray_.HotKeys().RegisteredKeys()) {
        if (key.hotKey != hotKey) continue;
        return HotKeyRefusal{
            key.index == tray_.HotKeyIndex() ? HotKeyHolder::GlobalHotKey : HotKeyHolder::FormerGlobalHotKey, {}};
    }
    return std::nullopt;
}

std::uint16_t ButtonHotKeys::RegisteredIndex(HotKeyValue hotKey) const {
    for (const GlobalHotKeys::RegisteredKey& key : hotKeys_.RegisteredKeys()) {
        if (key.hotKey == hotKey) return key.index;
    }
    return 0;
}

const ButtonHotKeys::Keyed* ButtonHotKeys::Holder(HotKeyValue hotKey) const {
    const auto holder = std::find_if(buttons_.begin(), buttons_.end(),
                                     [&](const Keyed& b) { return b.hotKey == hotKey && b.index != 0; });
    return holder != buttons_.end() ? &*holder : nullptr;
}

// A combination this part holds already stays registered; the global hot key
// is not asked of Windows again, which would only refuse it.
void ButtonHotKeys::Register(Keyed& button) {
    button.index = RegisteredIndex(button.hotKey);
    if (button.index != 0) return;
    button.refusal = HeldByTray(button.hotKey);
    if (button.refusal) return;
    button.index = hotKeys_.RegisterGlobalKey(button.hotKey);
    if (button.index == 0) button.refusal = HotKeyRefusal{HotKeyHolder::OtherProgram, {}};
}

std::vector<ButtonHotKeys::Keyed> ButtonHotKeys::Wanted(ButtonStore& store, int groupCount) const {
    std::vector<Keyed> wanted;
    for (const ButtonRecord& stored : store.StoredHotKeys(groupCount)) {
        if (const HotKeyValue hotKey = Parsed(stored.HotKey); hotKey != 0) {
            wanted.push_back({stored.ID, hotKey, NameOfButton(stored), 0, std::nullopt});
        }
    }
    return wanted;
}

// Of the buttons with one combination, the one that should have it: the ID
// that held it, else a button of the holder's name (the holder moved, and the
// others shifted), else the first.
int ButtonHotKeys::Preference(const Keyed& button) const {
    const Keyed* holder = Holder(button.hotKey);
    if (!holder) return 2;
    return holder->id == button.id ? 0 : holder->name == button.name ? 1 : 2;
}

std::vector<int> ButtonHotKeys::RefusalsChanged(const std::vector<Keyed>& next) const {
    std::vector<int> changed;
    for (const Keyed& button : next) {
        const HotKeyRefusal* was = Refused(button.id);
        if (was ? button.refusal != *was : button.refusal.has_value()) changed.push_back(button.id);
    }
    for (const Keyed& button : buttons_) {
        const bool gone = std::none_of(next.begin(), next.end(), [&](const Keyed& b) { return b.id == button.id; });
        if (gone && button.refusal) changed.push_back(button.id);
    }
    return changed;
}

// Registrations go by combination, not by ID: a button that moved keeps its
// registration under its new ID. Of two buttons with one combination, one
// has it and the other is refused. A combination refused before is asked for
// again, since its holder may have let it go.
std::vector<int> ButtonHotKeys::Resync(ButtonStore& store, int groupCount) {
    std::vector<Keyed> next = Wanted(store, groupCount);
    for (const GlobalHotKeys::RegisteredKey& key : hotKeys_.RegisteredKeys()) {
        if (std::none_of(next.begin(), next.end(), [&](const Keyed& b) { return b.hotKey == key.hotKey; })) {
            hotKeys_.ReleaseGlobalKey(key.index);
        }
    }
    std::map<HotKeyValue, Keyed*> owners;
    for (Keyed& button : next) {
        const auto [owner, first] = owners.emplace(button.hotKey, &button);
        if (!first && Preference(button) < Preference(*owner->second)) owner->second = &button;
    }
    for (const auto& entry : owners) Register(*entry.second);
    for (Keyed& button : next) {
        const Keyed& owner = *owners.at(button.hotKey);
        if (&owner == &button) continue;
        button.refusal = owner.index != 0 ? HotKeyRefusal{HotKeyHolder::Button, owner.name} : owner.refusal;
    }
    std::vector<int> changed = RefusalsChanged(next);
    buttons_ = std::move(next);
    return changed;
}

// A combination that nobody holds is tried for real and let go again: only
// Windows knows whether another program has it.
std::optional<HotKeyRefusal> ButtonHotKeys::RefusalFor(int id, const std::string& text) {
    const HotKeyValue hotKey = Parsed(text);
    if (hotKey == 0) return std::nullopt;
    if (const Keyed* holder = Holder(hotKey)) {
        if (holder->id == id) return std::nullopt;
        return HotKeyRefusal{HotKeyHolder::Button, holder->name};
    }
    if (std::optional<HotKeyRefusal> tray = HeldByTray(hotKey)) return tray;
    const std::uint16_t trial = hotKeys_.RegisterGlobalKey(hotKey);
    if (trial == 0) return HotKeyRefusal{HotKeyHolder::OtherProgram, {}};
    hotKeys_.ReleaseGlobalKey(trial);
    return std::nullopt;
}

const HotKeyRefusal* ButtonHotKeys::Refused(int id) const {
    const auto button = std::find_if(buttons_.begin(), buttons_.end(), [&](const Keyed& b) { return b.id == id; });
    return button != buttons_.end() && button->refusal ? &*button->refusal : nullptr;
}

int ButtonHotKeys::ButtonOf(HotKeyValue hotKey) const {
    const Keyed* holder = Holder(hotKey);
    return holder ? holder->id : kNoButton;
}

}  // namespace tavrin
