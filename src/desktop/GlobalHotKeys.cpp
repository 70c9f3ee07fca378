#include "desktop/GlobalHotKeys.h"

#include <algorithm>
#include <string>

namespace tavrin {

namespace {

// Global atoms give each registration an identifier that no other program's hot key has.
constexpr wchar_t kAtomPrefix[] = L"TavrinGlobalHotKey";

}  // namespace

// The registrations belong to the shared message window, which receives WM_HOTKEY.
GlobalHotKeys::GlobalHotKeys()
    : subscription_(MessageWindow::Subscribe([this](UINT message, WPARAM wParam, LPARAM lParam) {
          return message == WM_HOTKEY && HotKeyMessage(wParam, lParam) ? std::optional<LRESULT>(0) : std::nullopt;
      })) {}

GlobalHotKeys::~GlobalHotKeys() { ReleaseAllGlobalKeys(); }

std::uint16_t GlobalHotKeys::RegisterGlobalKey(HotKeyValue hotKey) {
    // 0 stands for "no hot key" and is never given to Windows.
    if (hotKey == 0) return 0;
    const HotKeyParts parts = DecomposeHotKey(hotKey);
    unique_atom atom(GlobalAddAtomW((kAtomPrefix + std::to_wstring(hotKey)).c_str()));
    if (!atom || !RegisterHotKey(MessageWindow::Window(), atom.get(), parts.modifiers, parts.key)) return 0;
    const std::uint16_t index = atom.get();
    keys_.push_back({hotKey, std::move(atom)});
    return index;
}

std::uint16_t GlobalHotKeys::ReplaceGlobalKey(std::uint16_t index, HotKeyValue hotKey) {
    const bool known = std::any_of(keys_.begin(), keys_.end(), [&](const Entry& e) { return e.atom.get() == index; });
    if (!known) return 0;
    ReleaseGlobalKey(index);
    return RegisterGlobalKey(hotKey);
}

bool GlobalHotKeys::ReleaseGlobalKey(std::uint16_t index) {
    const auto entry = std::find_if(keys_.begin(), keys_.end(), [&](const Entry& e) { return e.atom.get() == index; });
    if (entry == keys_.end()) return false;
    const bool released = UnregisterHotKey(MessageWindow::Window(), index);
    keys_.erase(entry);  // deletes the atom
    return released;
}

void GlobalHotKeys::ReleaseAllGlobalKeys() {
    while (!keys_.empty()) ReleaseGlobalKey(keys_.back().atom.get());
}

std::vector<GlobalHotKeys::RegisteredKey> GlobalHotKeys::RegisteredKeys() const {
    std::vector<RegisteredKey> keys;
    for (const Entry& entry : keys_) keys.push_back({entry.hotKey, entry.atom.get()});
    return keys;
}

// Only a press of one of this component's own registrations is reported; the
// other components sharing the window see the rest.
bool GlobalHotKeys::HotKeyMessage(WPARAM wParam, LPARAM lParam) {
    const HotKeyValue hotKey = ComposeHotKey(LOWORD(lParam), HIWORD(lParam));
    const auto index = static_cast<std::uint16_t>(wParam);
    const bool ours = std::any_of(keys_.begin(), keys_.end(),
                                  [&](const Entry& e) { return e.atom.get() == index && e.hotKey == hotKey; });
    if (ours && OnHotKeyPressed) OnHotKeyPressed(hotKey, index);
    return ours;
}

}  // namespace tavrin
