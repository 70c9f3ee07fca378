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

// Registrations go by combination, not by ID: a button that moved keeps its
// registration under its new ID. Of two buttons with one combination, the
// one that held it keeps it, else the first; the other is refused. A
// combination refused before is asked for again, since its holder may have
// let it go.
std::vector<int> ButtonHotKeys::Resync(ButtonStore& store, int groupCount) {
    std::vector<Keyed> next;
    for (const ButtonRecord& stored : store.StoredHotKeys(groupCount)) {
        if (const HotKeyValue hotKey = Parsed(stored.HotKey); hotKey != 0) {
            next.push_back({stored.ID, hotKey, NameOfButton(stored), 0, std::nullopt});
        }
    }
    for (const GlobalHotKeys::RegisteredKey& key : hotKeys_.RegisteredKeys()) {
        if (std::none_of(next.begin(), next.end(), [&](const Keyed& b) { return b.hotKey == key.hotKey; })) {
            hotKeys_.ReleaseGlobalKey(key.index);
        }
    }

    std::map<HotKeyValue, Keyed*> owners;
    for (Keyed& button : next) {
        const Keyed* before = Holder(button.hotKey);
        const auto [owner, first] = owners.emplace(button.hotKey, &button);
        if (!first && before && before->id == button.id) owner->second = &button;
    }
    for (auto& [hotKey, owner] : owners) Register(*owner);
    for (Keyed& button : next) {
        const Keyed& owner = *owners.at(button.hotKey);
        if (&owner == &button) continue;
        button.refusal = owner.index != 0 ? HotKeyRefusal{HotKeyHolder::Button, owner.name} : owner.refusal;
    }

    std::vector<int> changed;
    const auto noteChanged = [&](int id, const HotKeyRefusal* now) {
        const HotKeyRefusal* was = Refused(id);
        if ((was == nullptr) != (now == nullptr) || (was && *was != *now)) changed.push_back(id);
    };
    for (const Keyed& button : next) noteChanged(button.id, button.refusal ? &*button.refusal : nullptr);
    for (const Keyed& button : buttons_) {
        const bool gone = std::none_of(next.begin(), next.end(), [&](const Keyed& b) { return b.id == button.id; });
        if (gone && button.refusal) changed.push_back(button.id);
    }
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
